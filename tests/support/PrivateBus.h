#pragma once
// A private D-Bus session bus for the tests that need one (xfconfd is started
// on it by activation). Started once per test program on first use, it becomes
// the program's session bus (DBUS_SESSION_BUS_ADDRESS), so it must be started
// before anything asks Qt for the session bus; it is stopped by its PID at exit.
#include <QString>

namespace PrivateBus {
// The bus's address; a test fails (never skips) when no bus could be started.
QString address();
}
