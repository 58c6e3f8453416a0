// The whole program run in-process: start-up, the About box, quitting and shut-down.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "app/AboutWindow.h"
#include "app/App.h"
#include "app/ImageFiles.h"
#include "app/MenuBar1.h"
#include "app/ZentravelleImage.h"
#include "framework/files/FileTypeRegistry.h"
#include "framework/runtime/HandlerScope.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/StaticText.h"
#include "mainwindow/Window1.h"
#include "startup/Startup.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UiEvents.h"

namespace {

int RunProgram() {
    static char arg0[] = "zentravelle";
    static char* argv[] = {arg0, nullptr};
    return ZentravelleMain(1, argv);
}

QString PrefsPath() { return TestEnvironment::Home() + QStringLiteral("/.config/Zentravelle Prefs"); }

class Startup : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment::ResetHome(); }
    void TearDown() override { RuntimeExit(); }
    FakePlatform platform;
};

TEST_F(Startup, BuildsEverythingBeforeTheLoopAndReleasesItAfter) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
        checked = true;
        auto app = App();
        ASSERT_TRUE(app);
        EXPECT_TRUE(app->prefs) << "the application's Open has run";
        EXPECT_EQ(app->appName, QStringLiteral("Zentravelle"));
        EXPECT_FALSE(app->AppCopyRight.isEmpty());
        EXPECT_TRUE(app->AboutImage) << "the About picture is a resource of the program";
        EXPECT_EQ(app->AboutImage, ZentravelleImage()) << "the picture is cached";
        EXPECT_EQ(app->MenuBar(), std::static_pointer_cast<MenuBar>(MenuBar1()));
        EXPECT_TRUE(_GetImplicitWindow(QStringLiteral("Window1.Window1")));
        EXPECT_EQ(Window1()->MenuBar(), app->MenuBar());
        EXPECT_TRUE(LookupFileType(QStringLiteral("PNG image")).has_value());
        const QStringList classes = RegisteredClasses();
        const QStringList ours = {"App", "Window1", "Window1.Timer1", "MenuBar1", "PrefsManager", "AboutWindow"};
        ASSERT_GE(classes.size(), ours.size());
        EXPECT_EQ(classes.mid(classes.size() - ours.size()), ours) << "the program's classes come last, in order";
        EXPECT_TRUE(pluginEntrypointResolved(QStringLiteral("ImageWell")));
        Quit(0);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(checked);
    // Shut-down released the globals, and with the types their registration.
    EXPECT_FALSE(MenuBar1::_implicitInstance);
    EXPECT_FALSE(ImageFiles::pJPEGFiles || ImageFiles::pTIFFFiles || ImageFiles::pPNGFiles || ImageFiles::pGIFImage);
    EXPECT_FALSE(ZentravelleImageCache::_permapic);
    EXPECT_FALSE(LookupFileType(QStringLiteral("JPEG image")).has_value());
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(Startup, QuittingWritesThePreferencesFile) {
    ASSERT_FALSE(QFile::exists(PrefsPath()));
    QTimer::singleShot(0, [] { Quit(0); });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(QFile::exists(PrefsPath()));
}

TEST_F(Startup, LeftoversOfSavesKilledHalfWayAreRemovedAtStartAndNothingElse) {
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const QString tag = QStringLiteral(".%1.Ab12Cd.partial").arg(ended);
    const QStringList leftovers = {TestEnvironment::Home() + QStringLiteral("/.config/.Zentravelle Prefs") + tag,
                                 TestEnvironment::Home() + QStringLiteral("/.config/.com.apple.desktop.plist") + tag,
                                 TestEnvironment::Home() + QStringLiteral("/Pictures/.ZentravelleDesktopPicture.png") + tag,
                                 TestEnvironment::Home() + QStringLiteral("/.cache/zentravelle/.help.html") + tag,
                                 TestEnvironment::Home() + QStringLiteral("/.cache/zentravelle/.dropped-x1Y2z3.jpg") + tag};
    // Other programs' files of the same naming are theirs.
    const QStringList kept = {TestEnvironment::Home() + QStringLiteral("/.config/Zentravelle Prefs.dPviBu"),
                            TestEnvironment::Home() + QStringLiteral("/Pictures/holiday.jpg.partial"),
                            TestEnvironment::Home() + QStringLiteral("/.config/.otherapp.rc") + tag,
                            TestEnvironment::Home() + QStringLiteral("/Pictures/.holiday.jpg") + tag};
    QDir().mkpath(TestEnvironment::Home() + QStringLiteral("/.config"));
    QDir().mkpath(TestEnvironment::Home() + QStringLiteral("/Pictures"));
    QDir().mkpath(TestEnvironment::Home() + QStringLiteral("/.cache/zentravelle"));
    for (const auto* list : {&leftovers, &kept})
        for (const QString& path : *list) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        }
    QTimer::singleShot(0, [] { Quit(0); });
    EXPECT_EQ(RunProgram(), 0);
    for (const QString& path : leftovers) EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString& path : kept) EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
}

TEST_F(Startup, ClosingTheMainWindowQuits) {
    QTimer::singleShot(0, [] { Window1()->Close(); });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(QFile::exists(PrefsPath())) << "the application's Close saved the store";
}

TEST_F(Startup, ASignalDuringAHandlerCancelsItsDialogAndQuitsOnceTheHandlerReturns) {
    bool returned = false;
    QTimer::singleShot(0, [&] {
        runGuarded([&] {
            raise(SIGTERM);
            QDialog waiting;
            EXPECT_EQ(waiting.exec(), QDialog::Rejected);  // its loop takes the signal in
            EXPECT_TRUE(OpenWindow1()) << "the quit waits for the handler";
            returned = true;
        });
    });
    const QObject watchdog;  // a lost signal fails here rather than hanging
    QTimer::singleShot(10000, &watchdog, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        Quit(3);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(returned);
    EXPECT_TRUE(QFile::exists(PrefsPath()));
}

TEST_F(Startup, TheSessionsSaveRequestSavesTheWindowsSettingsAndTheRunGoesOn) {
    QTimer::singleShot(0, [] {
        runAfterHandlers([] {  // once every Open has run
            Window1()->EditField1->SetText(QStringLiteral("Abmeldung"));
            RuntimeCommitData();
            QFile saved(PrefsPath());
            EXPECT_TRUE(saved.open(QIODevice::ReadOnly) && saved.readAll().contains("Abmeldung"));
            EXPECT_TRUE(OpenWindow1());
            Quit(0);
        });
    });
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(Startup, HidesTheMainWindowWhileAnotherApplicationIsActive) {
    // Once the start-up handlers have returned: a change of state waits for a running handler.
    QTimer::singleShot(0, [] {
        runAfterHandlers([] {
            auto window = Window1();
            SimulateApplicationActive(true);
            SimulateApplicationActive(false);
            EXPECT_TRUE(window->isMinimized()) << "deactivating hides the main window";
            SimulateApplicationActive(true);
            EXPECT_FALSE(window->isMinimized()) << "activating shows it again";
            Quit(0);
        });
    });
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(Startup, AboutBoxShowsNameVersionNoticeAndPicture) {
    int shown = 0;
    std::function<void()> inspect = [&] {
        auto about = std::dynamic_pointer_cast<class AboutWindow>(
            _GetImplicitWindow(QStringLiteral("AboutWindow.AboutWindow")));
        ASSERT_TRUE(about);
        ++shown;
        auto name = std::dynamic_pointer_cast<StaticText>(RuntimeWindowControlByName(*about, QStringLiteral("StaticText1")));
        auto notice = std::dynamic_pointer_cast<StaticText>(RuntimeWindowControlByName(*about, QStringLiteral("StaticText2")));
        auto canvas = std::dynamic_pointer_cast<Canvas>(RuntimeWindowControlByName(*about, QStringLiteral("Canvas1")));
        auto ok = std::dynamic_pointer_cast<PushButton>(RuntimeWindowControlByName(*about, QStringLiteral("PushButton1")));
        ASSERT_TRUE(name && notice && canvas && ok);
        EXPECT_EQ(name->Text(), QStringLiteral("Zentravelle") + App()->ShortVersion());
        EXPECT_FALSE(App()->ShortVersion().isEmpty());
        EXPECT_TRUE(name->Bold());
        EXPECT_EQ(name->TextFont(), QStringLiteral("Geneva"));
        EXPECT_EQ(name->TextAlign(), 1);
        EXPECT_EQ(notice->Text(), App()->AppCopyRight);
        EXPECT_TRUE(notice->Multiline());
        EXPECT_EQ(canvas->Backdrop(), App()->AboutImage);
        EXPECT_EQ(about->Title(), QStringLiteral("About Zentravelle"));
        EXPECT_EQ(about->Frame(), 1);
        EXPECT_FALSE(about->Resizeable());
        EXPECT_FALSE(about->MinimizeButton());
        EXPECT_TRUE(ok->Default());
        EXPECT_FALSE(ok->Cancel());
        // Every control sits on the window's vertical middle line.
        for (const ControlPtr& c : about->controls()) {
            auto r = std::dynamic_pointer_cast<RectControl>(c);
            EXPECT_NEAR(r->Left() + r->Width() / 2.0, 150, 2) << c->Name().toStdString();
        }
        SimulateMouseDown(*ok, 5, 5);
        SimulateMouseUp(*ok, 5, 5);
    };
    bool returned = false;
    QTimer::singleShot(0, [&] {
        auto about = MenuBar1()->Child(QStringLiteral("FileMenu"))->Child(QStringLiteral("FileAboutZentravelle"));
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, inspect);
            EXPECT_FALSE(App()->_FileAboutZentravelle_Action()) << "the handler returns False after the box closed";
            EXPECT_FALSE(_GetImplicitWindow(QStringLiteral("AboutWindow.AboutWindow")));
        }
        // Choosing the menu item runs the same handler.
        QTimer::singleShot(0, inspect);
        chooseMenuItem(about, Window1().get());
        returned = true;
        Quit(0);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(returned);
    EXPECT_EQ(shown, 3) << "each showing builds the box anew";
}

TEST_F(Startup, AnErrorThatNothingCaughtIsReportedAndShutDownStillRuns) {
    // With no home at all there is no preferences folder: the application's Open fails.
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    const int status = RunProgram();
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_NE(status, 0);
    const auto shown = platform.TakeShown();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().kind, DialogKind::MsgBox);
    EXPECT_FALSE(MenuBar1::_implicitInstance) << "shut-down ran";
}

}  // namespace
