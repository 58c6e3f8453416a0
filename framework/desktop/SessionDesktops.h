#pragma once
// The desktops a session names (XDG_CURRENT_DESKTOP: a colon-separated list,
// most specific first, e.g. "ubuntu:GNOME"), read once when the backend is
// chosen and handed to the backends' detection.
#include <QString>
#include <QStringList>

// The desktop environments known by name. Every one of them draws its own
// background; those before Other have a backend here.
enum class KnownDesktop { Gnome, Cinnamon, Mate, Xfce, Kde, Other };

class SessionDesktops {
public:
    // currentDesktop: XDG_CURRENT_DESKTOP's value; empty for a session that names none.
    explicit SessionDesktops(const QString& currentDesktop = QString());

    // True when one of the names is of desktop's family (GNOME: any name with
    // "GNOME" in it, and the desktops built on its settings: Unity, Budgie, Pantheon).
    bool names(KnownDesktop desktop) const;
    // True when one of the names is a known desktop: then the desktop, not
    // the root window, shows the background.
    bool namesKnownDesktop() const;

private:
    QStringList names_;
};
