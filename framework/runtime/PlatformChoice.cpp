#include "framework/runtime/PlatformChoice.h"

QString ChooseQtPlatform(const QProcessEnvironment& env) {
    if (!env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty()) return QString();
    const bool wayland = env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland") ||
                         !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    const bool xwayland = !env.value(QStringLiteral("DISPLAY")).isEmpty();
    return wayland && xwayland ? QStringLiteral("xcb") : QString();
}
