#include "framework/core/Session.h"

bool IsWaylandSession(const QProcessEnvironment& env) {
    return env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland") ||
           !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
}
