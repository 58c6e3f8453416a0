#include "framework/core/AppIdentity.h"

#include <QCoreApplication>
#include <optional>

namespace {

std::optional<AppIdentity>& current() {
    static std::optional<AppIdentity> identity;
    return identity;
}

AppIdentity fromExecutable() {
    const QString name = QCoreApplication::applicationName().isEmpty() ? QStringLiteral("application")
                                                                       : QCoreApplication::applicationName();
    const QString lower = name.toLower();
    return {name, lower + QStringLiteral(".instance"), lower, lower, QString()};
}

}  // namespace

AppIdentity CurrentAppIdentity() { return current() ? *current() : fromExecutable(); }

void SetAppIdentity(const AppIdentity& identity) { current() = identity; }
