#pragma once
// What kind of graphical session this is, from the session's environment.
#include <QProcessEnvironment>

// A Wayland session, whatever Qt platform the program itself runs on (under
// XWayland it runs on xcb, yet the desktop is not an X11 one).
bool IsWaylandSession(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
