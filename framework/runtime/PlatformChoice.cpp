#include "framework/runtime/PlatformChoice.h"

#include "framework/core/Session.h"

QString ChooseQtPlatform(const QProcessEnvironment& env) {
    if (!env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty()) return QString();
    const bool xwayland = !env.value(QStringLiteral("DISPLAY")).isEmpty();
    return IsWaylandSession(env) && xwayland ? QStringLiteral("xcb") : QString();
}
