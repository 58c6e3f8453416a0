#include "framework/desktop/DesktopService.h"

#include <QDir>
#include <QStringList>

#include "framework/desktop/DesktopRecord.h"
#include "framework/desktop/GnomeDesktop.h"
#include "framework/system/Screens.h"

namespace DesktopService {

QString screenName(int32_t screen) {
    const ScreenPtr s = Screen(screen - 1);
    if (!s) return QString();
    QStringList parts;
    for (const QString& part : {s->manufacturer, s->model, s->serialNumber}) {
        if (!part.trimmed().isEmpty()) parts << part.trimmed();
    }
    const QString connector = s->name.trimmed();
    if (parts.isEmpty()) return connector.isEmpty() ? QStringLiteral("Display") : connector;
    if (s->serialNumber.trimmed().isEmpty() && !connector.isEmpty()) parts << connector;
    return parts.join(QLatin1Char(' '));
}

QString picture(int32_t screen) {
    const QString name = screenName(screen);
    if (name.isEmpty()) return QString();
    const bool main = screen == 1;
    DesktopRecord record;
    if (main) {
        if (const auto gnome = GnomeDesktop::detect()) {
            if (const auto shown = gnome->picture()) {
                // Mirror what GNOME shows, so that the placement query reads GNOME's choice.
                if (!shown->isEmpty()) record.setPicture(name, true, *shown);
                record.setPlacement(name, true, GnomeDesktop::placementFor(gnome->pictureOptions()));
                record.save();
                return *shown;
            }
        }
    }
    return record.picture(name, main);
}

void setPicture(int32_t screen, const QString& path) {
    const QString name = screenName(screen);
    if (name.isEmpty() || path.isEmpty() || !QDir::isAbsolutePath(path)) return;
    const bool main = screen == 1;
    DesktopRecord record;
    record.setPicture(name, main, path);
    if (main) {
        if (const auto gnome = GnomeDesktop::detect()) {
            // Always set, even to the value GNOME already has: the record may be
            // behind, and the caller relies on the picture being set anew.
            gnome->setPicture(path);
            record.setPlacement(name, true, GnomeDesktop::placementFor(gnome->pictureOptions()));
        }
    }
    record.save();
}

}  // namespace DesktopService
