#include "framework/desktop/SessionDesktops.h"

#include <optional>

namespace {

// Names compare without regard to case; GNOME is known by a part of the name.
const struct {
    const char* name;
    KnownDesktop desktop;
} kKnown[] = {
    {"Unity", KnownDesktop::Gnome}, {"Budgie", KnownDesktop::Gnome}, {"Pantheon", KnownDesktop::Gnome},
    {"X-Cinnamon", KnownDesktop::Cinnamon}, {"Cinnamon", KnownDesktop::Cinnamon},
    {"MATE", KnownDesktop::Mate},
    {"XFCE", KnownDesktop::Xfce},
    {"KDE", KnownDesktop::Kde},
    {"LXQt", KnownDesktop::Other}, {"LXDE", KnownDesktop::Other},
    {"Deepin", KnownDesktop::Other}, {"DDE", KnownDesktop::Other},
};

std::optional<KnownDesktop> knownAs(const QString& name) {
    // GNOME, GNOME-Classic, GNOME-Flashback, ...
    if (name.contains(QLatin1String("GNOME"), Qt::CaseInsensitive)) return KnownDesktop::Gnome;
    for (const auto& known : kKnown)
        if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0) return known.desktop;
    return std::nullopt;
}

}  // namespace

SessionDesktops::SessionDesktops(const QString& currentDesktop) {
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (const QString trimmed = name.trimmed(); !trimmed.isEmpty()) names_.append(trimmed);
}

bool SessionDesktops::names(KnownDesktop desktop) const {
    for (const QString& name : names_)
        if (knownAs(name) == desktop) return true;
    return false;
}

bool SessionDesktops::namesKnownDesktop() const {
    for (const QString& name : names_)
        if (knownAs(name)) return true;
    return false;
}
