#include <QStringList>

#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/GSettingsDesktop.h"
#include "framework/desktop/PlasmaDesktop.h"
#include "framework/desktop/X11RootDesktop.h"
#include "framework/desktop/XfceDesktop.h"

namespace DesktopBackends {
namespace {

struct Choice {
    bool made = false;
    std::unique_ptr<DesktopBackend> backend;
};

Choice& choice() {
    static Choice c;
    return c;
}

bool names(const QStringList& desktops, std::initializer_list<const char*> wanted) {
    for (const QString& d : desktops)
        for (const char* w : wanted)
            if (d.trimmed().compare(QLatin1String(w), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// The first desktop that the session names and that runs here; each detector
// answers nullptr when its desktop is not available, and the next one is tried.
std::unique_ptr<DesktopBackend> detect() {
    const QStringList desktops =
        QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::unique_ptr<DesktopBackend> found;
    if (GSettingsDesktop::sessionIsGnomeFamily(desktops)) found = GSettingsDesktop::detect(GSettingsFlavour::gnome());
    if (!found && names(desktops, {"X-Cinnamon", "Cinnamon"}))
        found = GSettingsDesktop::detect(GSettingsFlavour::cinnamon());
    if (!found && names(desktops, {"MATE"})) found = GSettingsDesktop::detect(GSettingsFlavour::mate());
    if (!found && names(desktops, {"XFCE"})) found = XfceDesktop::detect();
    if (!found && names(desktops, {"KDE"})) found = PlasmaDesktop::detect();
    // Last: any other X11 session shows the root window's pixmap.
    if (!found) found = X11RootDesktop::detect();
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
