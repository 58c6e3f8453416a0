#include "framework/system/Headless.h"

#include <QGuiApplication>

bool isHeadlessPlatform() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
