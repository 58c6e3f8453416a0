#pragma once
// Which Qt platform plug-in the program asks for. Under Qt's Wayland platform a
// window cannot be placed and no panel inset is reported; XWayland gives both.
// So on a Wayland session with XWayland (DISPLAY set) and no platform chosen by
// the user (QT_QPA_PLATFORM unset or empty) it is "xcb"; otherwise empty:
// Qt's own choice.
#include <QProcessEnvironment>
#include <QString>

QString ChooseQtPlatform(const QProcessEnvironment& env);
