// The main of every test program: a private home, the offscreen platform, no
// desktop (or GNOME's settings), a QApplication for the tests that need
// widgets, and the platform fakes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QtGlobal>

#include <cstdlib>

#include "framework/desktop/DesktopBackend.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Each test detects the session's desktop afresh from the environment it sets.
class FreshDesktopChoice : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { DesktopBackends::reset(); }
    void OnTestEnd(const ::testing::TestInfo&) override { DesktopBackends::reset(); }
};

// The offscreen platform cannot raise a window and says so each time a window
// is shown; every other message goes on to Qt's own handler.
QtMessageHandler qtHandler = nullptr;

void dropRaiseWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message == QLatin1String("This plugin does not support raise()")) return;
    qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("XDG_CURRENT_DESKTOP");
    unsetenv("GSETTINGS_BACKEND");
    // ZEN_TEST_DESKTOP=GNOME: the same tests under GNOME's settings, with GSettings
    // kept in a file under the private configuration folder.
    if (qEnvironmentVariable("ZEN_TEST_DESKTOP") == QLatin1String("GNOME")) {
        setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
    }
    unsetenv("XDG_PICTURES_DIR");
    TestEnvironment::ResetHome();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshDesktopChoice);
    qtHandler = qInstallMessageHandler(dropRaiseWarning);
    QApplication app(argc, argv);
    FakePlatform platform;  // no dialog shows, no address opens, unless a test says so
    return RUN_ALL_TESTS();
}
