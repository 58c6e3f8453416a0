#pragma once
// One desktop's own way of showing pictures: GNOME-family settings, Xfce's
// xfconf, Plasma's shell scripting, the X11 root window. The desktop service
// keeps its record on every desktop and asks the backend of the session, chosen
// once, for what the desktop itself shows. With no backend the record is the
// desktop.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

struct DesktopShown {
    QString path;       // the local file shown; "" when the picture is no local file
    QString placement;  // the record's placement text: "Crop", "SizeToFit",
                        // "FillScreen", "Centered", "Tiled"; "" for none
};

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;
    // A short name for the README's table and the tests: "GNOME", "Xfce", ...
    virtual QString name() const = 0;
    // True when every screen has a picture of its own; false when the desktop
    // shows one picture on all screens (then only screen 1 is read and set).
    virtual bool perScreen() const = 0;
    // What screen (numbered from 1) shows; nothing when it could not be read,
    // and the record answers instead.
    virtual std::optional<DesktopShown> picture(int32_t screen) = 0;
    // Shows path on screen; false when the desktop refused it.
    virtual bool setPicture(int32_t screen, const QString& path) = 0;
};

namespace DesktopBackends {

// The session's backend, chosen on first use from XDG_CURRENT_DESKTOP and what
// runs; nullptr when the record is the desktop.
DesktopBackend* current();
// Replaces the choice (nullptr: the record alone); tests install fakes here.
void install(std::unique_ptr<DesktopBackend> backend);
// Forgets the choice, so the next current() detects again.
void reset();

}  // namespace DesktopBackends
