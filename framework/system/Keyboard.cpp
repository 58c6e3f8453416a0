#include "framework/system/Keyboard.h"

#include <QGuiApplication>

namespace {

std::optional<bool>& optionOverride() {
    static std::optional<bool> down;
    return down;
}

}  // namespace

namespace Keyboard {

bool AsyncOptionKey() {
    if (optionOverride()) return *optionOverride();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

void SetOptionKeyForTesting(std::optional<bool> down) { optionOverride() = down; }

}  // namespace Keyboard
