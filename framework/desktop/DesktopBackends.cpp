#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/GSettingsDesktop.h"
#include "framework/desktop/PlasmaDesktop.h"
#include "framework/desktop/SessionDesktops.h"
#include "framework/desktop/X11RootDesktop.h"
#include "framework/desktop/XfceDesktop.h"

namespace DesktopBackends {
namespace {

struct Choice {
    bool made = false;
    std::unique_ptr<DesktopBackend> backend;
};

// Never destroyed: a backend's D-Bus connection must not be let go after Qt's
// own statics at exit; reset() lets it go in order.
Choice& choice() {
    static auto* c = new Choice;
    return *c;
}

// The first desktop that the session names and that runs here; each detector
// answers nullptr when its desktop is not available, and the next one is tried.
std::unique_ptr<DesktopBackend> detect() {
    // The one place that reads the session's desktops.
    const SessionDesktops desktops(QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")));
    std::unique_ptr<DesktopBackend> found;
    if (desktops.names(KnownDesktop::Gnome)) found = GSettingsDesktop::detect(GSettingsFlavour::gnome());
    if (!found && desktops.names(KnownDesktop::Cinnamon))
        found = GSettingsDesktop::detect(GSettingsFlavour::cinnamon());
    if (!found && desktops.names(KnownDesktop::Mate)) found = GSettingsDesktop::detect(GSettingsFlavour::mate());
    if (!found && desktops.names(KnownDesktop::Xfce)) found = XfceDesktop::detect();
    // Plasma and the root window weigh the desktops in their own detection, which their tests call.
    if (!found) found = PlasmaDesktop::detect(desktops);
    // Last: any other X11 session shows the root window's pixmap.
    if (!found) found = X11RootDesktop::detect(desktops);
    return found;
}

}  // namespace

DesktopBackend* current() {
    Choice& c = choice();
    if (!c.made) {
        c.backend = detect();
        c.made = true;
    }
    return c.backend.get();
}

void install(std::unique_ptr<DesktopBackend> backend) {
    choice().backend = std::move(backend);
    choice().made = true;
}

void reset() {
    choice().backend.reset();
    choice().made = false;
}

}  // namespace DesktopBackends
