#pragma once
// The desktop of an X11 session with no desktop environment: the root
// window's background pixmap, published as _XROOTPMAP_ID and ESETROOT_PMAP_ID
// for terminals and compositors that draw it themselves.
//
// One pixmap covers the whole root; each screen's picture is drawn into that
// screen's rectangle (stretched to it when its size differs), and the other
// screens keep what the previous pixmap showed there. The pixmap is made on a
// connection of its own whose resources outlive it (RetainPermanent), so it
// stays after the program quits. A root property of our own tells later runs
// which pixmap was ours: that one is freed (by killing the client that kept
// it) once it is no longer the background, another program's only when both
// properties name it, and only ever a pixmap.
//
// X11 keeps no file name: picture() answers nothing and the record answers.
#include <QByteArray>
#include <QString>
#include <memory>

#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/SessionDesktops.h"

class X11RootDesktop : public DesktopBackend {
public:
    // The backend in an X11 session (not Wayland) whose desktops name no
    // known desktop environment (they draw their own background); else nullptr.
    static std::unique_ptr<DesktopBackend> detect(const SessionDesktops& desktops);

    // display: an X display name; empty for $DISPLAY.
    explicit X11RootDesktop(QByteArray display = QByteArray()) : display_(std::move(display)) {}

    QString name() const override { return QStringLiteral("X11"); }
    bool perScreen() const override { return true; }
    std::optional<DesktopShown> picture(int32_t) override { return std::nullopt; }
    // Draws path into screen's rectangle of the root (the framework's Screen()).
    bool setPicture(int32_t screen, const QString& path) override;

private:
    QByteArray display_;
};
