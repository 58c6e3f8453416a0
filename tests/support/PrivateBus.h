#pragma once
// A private D-Bus session bus for the tests that need one (xfconfd is started
// on it by activation). Started once per test program on first use, it becomes
// the program's session bus (DBUS_SESSION_BUS_ADDRESS), so it must be started
// before anything asks Qt for the session bus. At the end of the test program
// the services it started and then the bus are stopped by their PIDs.
#include <QString>

namespace PrivateBus {
// The bus's address; a test fails (never skips) when no bus could be started.
QString address();
}
