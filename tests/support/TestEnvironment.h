#pragma once
// Every test program runs with HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME,
// XDG_RUNTIME_DIR and XDG_DATA_HOME pointing into one fresh temporary folder,
// so nothing touches the real user's files or desktop.
#include <QString>

namespace TestEnvironment {
// The temporary home of this test program.
QString Home();
// Empties the temporary home (between tests that must not see each other's files).
void ResetHome();
}
