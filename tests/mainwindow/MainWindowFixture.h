#pragma once
// A main window for a test: an application object with an empty preferences
// store (no file), one 1440 x 900 screen, private desktop records, and every
// dialog answered by the test or failing it (the platform fakes). The window is built but its Open
// has not run; OpenWindow() runs it.
#include <gtest/gtest.h>

#include "app/App.h"
#include "framework/runtime/Runtime.h"
#include "framework/runtime/Yield.h"
#include "framework/system/Keyboard.h"
#include "framework/system/Screens.h"
#include "framework/system/ShowURL.h"
#include "mainwindow/Window1.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"

// Readable failure messages for texts, lists of texts and colours.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    *os << '}';
}
inline void PrintTo(const Color& c, std::ostream* os) {
    *os << "RGB(" << c.Red() << ", " << c.Green() << ", " << c.Blue() << ")";
}

// A screen of that connector name and size, with no panel.
inline ScreenInfo MakeScreen(const QString& name, int32_t width, int32_t height) {
    ScreenInfo s;
    s.name = name;
    s.width = s.availableWidth = width;
    s.height = s.availableHeight = height;
    return s;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestEnvironment::ResetHome();
        platform.SetUnansweredHandler([](DialogKind kind) { ADD_FAILURE() << "unanswered dialog " << int(kind); });
        platform.SetOptionKey(false);
        platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1440, 900)});
        SetYieldInterval(0);  // the tests look at what runs at each yield
        app = std::make_shared<class App>();
        app->prefs = std::make_shared<PrefsManager>(nullptr);
        _RuntimeRegisterAppObject(app);
        window = Window1();
    }

    void TearDown() override {
        if (!window->isClosed()) window->Close();
        window.reset();
        app.reset();
        SetYieldInterval(10);
        RuntimeExit();
        EXPECT_EQ(platform.PendingAnswers(), 0) << "answers queued for dialogs that never showed";
    }

    void OpenWindow() { window->Event_Open(); }

    FakePlatform platform;  // fresh for each test; the one before comes back after it
    std::shared_ptr<class App> app;
    std::shared_ptr<class Window1> window;
};
