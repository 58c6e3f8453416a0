#include "framework/desktop/X11RootDesktop.h"

#include <QGuiApplication>
#include <QImage>

#include <cmath>

#include "framework/core/Session.h"
#include "framework/desktop/X11RootPixmap.h"
#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"
#include "framework/system/Screens.h"

std::unique_ptr<DesktopBackend> X11RootDesktop::detect(const SessionDesktops& desktops) {
    if (desktops.namesKnownDesktop()) return nullptr;
    // Under XWayland the program runs on xcb, but the compositor draws the
    // background: a root pixmap there would only hold memory.
    if (IsWaylandSession()) return nullptr;
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb") || !qEnvironmentVariableIsEmpty("DISPLAY");
    if (!x11 || !X11RootPixmap::available(QByteArray())) return nullptr;
    return std::make_unique<X11RootDesktop>();
}

bool X11RootDesktop::setPicture(int32_t screen, const QString& path) {
    const ScreenPtr shown = Screen(screen - 1);
    if (!shown || shown->width <= 0 || shown->height <= 0) return false;
    // Read as every picture is read: by the name's exact bytes, a regular file only, within the size limit.
    const FolderItemPtr file = GetFolderItem(path, 0);
    const PicturePtr opened = file ? file->OpenAsPicture() : nullptr;
    if (!opened) return false;
    QImage picture = opened->Image();
    // The composed picture has the screen's size; anything else is stretched to it.
    if (picture.size() != QSize(shown->width, shown->height))
        picture = picture.scaled(shown->width, shown->height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Root coordinates are device pixels; the screen's position is in window coordinates.
    const double ratio = shown->devicePixelRatio;
    const QPoint position(int(std::lround(shown->left * ratio)), int(std::lround(shown->top * ratio)));
    return X11RootPixmap::show(display_, picture, position);
}
