// The runtime: the order of the Open and Close events, quitting, errors that
// escape a handler, the application's activation and the single instance.
#include <QGuiApplication>
#include <QRegularExpression>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QTimer>
#include <chrono>
#include <future>
#include <stdexcept>
#include <unistd.h>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>

#include <QElapsedTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include "framework/runtime/Yield.h"
#include "framework/system/MouseButtons.h"
#include "framework/ui/LayoutRecord.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Timer.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UiEvents.h"

namespace {

QStringList& journal() {
    static QStringList log;
    return log;
}

class JournalApp : public Application {
public:
    void Event_Open() override { journal() << QStringLiteral("App.Open"); }
    void Event_Close() override { journal() << QStringLiteral("App.Close"); }
    void Event_Activate() override { journal() << QStringLiteral("App.Activate"); }
    void Event_Deactivate() override { journal() << QStringLiteral("App.Deactivate"); }
};

class JournalWindow : public Window {
public:
    bool quitOnClose = false;
    QString label() const { return className().section(QLatin1Char('.'), 0, 0); }
    void Event_Open() override { journal() << label() + (widget()->isVisible() ? ".Open while shown" : ".Open"); }
    void Event_Close() override {
        journal() << label() + QStringLiteral(".Close");
        if (quitOnClose) Quit(0);  // as the main window does
    }
};

// Its layout record says invisible.
class HiddenJournalWindow : public JournalWindow {
public:
    void Layout() override { _SetProperties(*this, LayoutRecord().Bool("Visible", false).Bytes()); }
};

std::shared_ptr<JournalWindow> journalWindow(const QString& label, bool quitOnClose = false) {
    auto w = NewWindow<JournalWindow>(label + QStringLiteral(".") + label);
    w->quitOnClose = quitOnClose;
    return w;
}

class RuntimeTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        journal().clear();
    }
};

}  // namespace

TEST_F(RuntimeTest, RunRaisesAppOpenFirstThenWindowsInOrder) {
    _RuntimeRegisterAppObject(std::make_shared<JournalApp>());
    auto a = journalWindow(QStringLiteral("A"));
    auto b = NewWindow<HiddenJournalWindow>(QStringLiteral("B.B"));
    EXPECT_TRUE(journal().isEmpty()) << "no Open before the runtime runs";
    EXPECT_FALSE(a->widget()->isVisible()) << "no window shows before its Open";
    // A window shows once its own Open has run (the place Open restores is the
    // one it first appears at), unless its record keeps it hidden.
    QTimer::singleShot(0, [a, b] {
        auto c = journalWindow(QStringLiteral("C"));  // built while the loop runs: opened at once
        for (const WindowPtr& w : {WindowPtr(a), WindowPtr(b), WindowPtr(c)})
            journal() << w->className().left(1) + (w->widget()->isVisible() ? " shown" : " hidden");
        Quit(3);
    });
    _RuntimeRun();
    EXPECT_EQ(Joined(journal().mid(0, 7)), "App.Open, A.Open, B.Open, C.Open, A shown, B hidden, C shown");
    EXPECT_EQ(RuntimeExit(), 3);
}

TEST_F(RuntimeTest, QuitClosesWindowsThenTheAppOnce) {
    _RuntimeRegisterAppObject(std::make_shared<JournalApp>());
    auto main = journalWindow(QStringLiteral("Main"), true);
    journalWindow(QStringLiteral("Other"));
    // The user closes the main window; its Close handler quits.
    QTimer::singleShot(0, [main] { main->widget()->close(); });
    _RuntimeRun();
    EXPECT_EQ(Joined(journal().filter(QStringLiteral("Close"))), "Main.Close, Other.Close, App.Close");
    EXPECT_TRUE(openWindows().empty());
    Quit(0);  // again: nothing more
    EXPECT_EQ(journal().filter(QStringLiteral("Close")).size(), 3);
}

TEST_F(RuntimeTest, QuitDuringOpenSkipsTheLoop) {
    struct QuitsAtOpen : Application {
        void Event_Open() override { Quit(5); }
    };
    _RuntimeRegisterAppObject(std::make_shared<QuitsAtOpen>());
    _RuntimeRun();  // returns without waiting for events
    EXPECT_EQ(RuntimeExit(), 5);
}

TEST_F(RuntimeTest, AnErrorInAHandlerEndsTheLoopAndIsThrown) {
    auto w = NewWindow<Window>(QStringLiteral("Err"));
    auto button = w->__New<PushButton>();
    w->_AddControl(QStringLiteral("PushButton1"), button);
    _InstallInstanceEventHandler(button, QStringLiteral("Action"),
                                 std::function<void()>([] { throw std::runtime_error("handler failed"); }));
    QTimer::singleShot(0, [button] { button->Push(); });
    bool failedSafe = false;
    QTimer failSafe;  // ends the loop should the error not; gone with the test
    failSafe.setSingleShot(true);
    QObject::connect(&failSafe, &QTimer::timeout, [&] {
        failedSafe = true;
        Quit(0);
    });
    failSafe.start(3000);
    try {
        _RuntimeRun();
        FAIL() << "the error did not reach _RuntimeRun";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "handler failed");
    }
    EXPECT_FALSE(failedSafe);
}

TEST_F(RuntimeTest, UnhandledErrorsReachTheUserAndSetTheExitCode) {
    _UnhandledException(std::runtime_error("disk on fire"));
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::MsgBox);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("disk on fire")));
    EXPECT_EQ(RuntimeExit(), 1);

    // Outside the event loop an error from a Qt-raised handler goes the same way.
    runGuarded([] { throw std::logic_error("stray"); });
    EXPECT_EQ(platform.TakeShown().size(), 1u);
}

TEST_F(RuntimeTest, ApplicationActivationIsRaisedOnChangesOnly) {
    SimulateApplicationActive(false);  // whatever the offscreen platform says now
    _RuntimeRegisterAppObject(std::make_shared<JournalApp>());
    SimulateApplicationActive(true);
    SimulateApplicationActive(true);
    SimulateApplicationActive(false);
    SimulateApplicationActive(false);
    SimulateApplicationActive(true);
    EXPECT_EQ(Joined(journal()), "App.Activate, App.Deactivate, App.Activate");
}

TEST_F(RuntimeTest, TheApplicationStateDrivesActivateAndDeactivate) {
    SimulateApplicationActive(true);
    _RuntimeRegisterAppObject(std::make_shared<JournalApp>());
    auto* app = static_cast<QGuiApplication*>(QCoreApplication::instance());
    // Focus passing between two of our windows: a moment with none active is no deactivation.
    Q_EMIT app->applicationStateChanged(Qt::ApplicationInactive);
    Q_EMIT app->applicationStateChanged(Qt::ApplicationActive);
    ProcessEventsFor(300);
    EXPECT_TRUE(journal().isEmpty()) << Joined(journal());
    // Another application comes to the front, then ours again.
    Q_EMIT app->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_TRUE(WaitUntil([] { return journal().contains(QStringLiteral("App.Deactivate")); }));
    Q_EMIT app->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(Joined(journal()), "App.Deactivate, App.Activate");
}

namespace {

// What a second start does before it leaves, from another thread: this one
// goes on serving meanwhile, as the first instance would.
bool WakeFromAnotherStart() {
    auto woken = std::async(std::launch::async, [] { return RuntimeWakeRunningInstance(); });
    while (woken.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) QCoreApplication::processEvents();
    return woken.get();
}

}  // namespace

TEST_F(RuntimeTest, ASecondStartWakesTheFirst) {
    EXPECT_FALSE(RuntimeWakeRunningInstance()) << "nobody to wake yet";
    auto w = NewWindow<Window>(QStringLiteral("Main"));
    w->Hide();
    ASSERT_TRUE(w->isMinimized());
    ASSERT_TRUE(RuntimeClaimSingleInstance()) << "the first start serves";
    EXPECT_TRUE(WakeFromAnotherStart());
    EXPECT_TRUE(WaitUntil([&] { return !w->isMinimized(); }));
    RuntimeReleaseSingleInstance();
    EXPECT_FALSE(RuntimeWakeRunningInstance()) << "released: the rendezvous is gone";
}

// Another start of this same program that took the connection but is busy in
// a long handler still runs: it answers once back in its event loop. Stopped,
// it is stale.
TEST_F(RuntimeTest, ABusyInstanceOfOursIsRunningAStoppedOneIsStale) {
    const QString name = qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + CurrentAppIdentity().instanceName;
    QFile::remove(name);
    const QByteArray path = QFile::encodeName(name);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener, 8) != 0)
            ::_exit(1);
        if (::write(ready[1], "r", 1) != 1) ::_exit(1);
        for (;;) (void)::accept(listener, nullptr, nullptr);  // takes every connection, never answers
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_TRUE(RuntimeWakeRunningInstance()) << "busy, not stale";
    ::kill(child, SIGSTOP);
    EXPECT_FALSE(RuntimeWakeRunningInstance()) << "a stopped process is stale";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    QFile::remove(name);
}

TEST_F(RuntimeTest, WithoutARuntimeFolderTheRendezvousIsPrivateAndAnUnansweredSocketIsStale) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmp = qgetenv("TMPDIR");
    const QString temp = TestEnvironment::Home() + QStringLiteral("/tmp");
    QDir().mkpath(temp);
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temp));
    const AppIdentity id = CurrentAppIdentity();
    const QString folder = QStringLiteral("%1/%2-%3").arg(temp, id.instanceName).arg(::getuid());
    const QString name = folder + QLatin1Char('/') + id.instanceName;
    const auto othersMayEnter = [&] {
        return QFileInfo(folder).permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                                  QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    };

    // A folder that others may enter is not used: the start runs with no rendezvous.
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
    EXPECT_TRUE(RuntimeClaimSingleInstance());
    EXPECT_FALSE(QFileInfo::exists(name));
    EXPECT_FALSE(WakeFromAnotherStart());
    RuntimeReleaseSingleInstance();
    QDir(folder).removeRecursively();

    // Made afresh, the folder is the user's alone.
    EXPECT_TRUE(RuntimeClaimSingleInstance());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(othersMayEnter());
    EXPECT_TRUE(WakeFromAnotherStart());
    RuntimeReleaseSingleInstance();

    // A socket that takes the connection but never answers (a hung instance).
    QLocalServer hung;
    ASSERT_TRUE(hung.listen(name));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(RuntimeClaimSingleInstance()) << "this start becomes the first";
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_TRUE(WakeFromAnotherStart()) << "and serves the next one";
    RuntimeReleaseSingleInstance();

    qputenv("XDG_RUNTIME_DIR", runtime);
    if (tmp.isEmpty()) qunsetenv("TMPDIR");
    else qputenv("TMPDIR", tmp);
}

TEST_F(RuntimeTest, ClaimingTwiceInOneProcessKeepsOneServer) {
    ASSERT_TRUE(RuntimeClaimSingleInstance());
    EXPECT_TRUE(RuntimeClaimSingleInstance());
    RuntimeReleaseSingleInstance();
    // Released: a new claim serves again rather than finding a stale socket.
    EXPECT_TRUE(RuntimeClaimSingleInstance());
    RuntimeReleaseSingleInstance();
}

TEST_F(RuntimeTest, PluginsAndClassesAreKnownByName) {
    EXPECT_NO_THROW(_InitPluginEntrypoints());
    EXPECT_TRUE(pluginEntrypointResolved(QStringLiteral("XmlDocument")));
    try {
        resolvePluginEntrypoints({QStringLiteral("Shell"), QStringLiteral("MoviePlayer")});
        FAIL() << "an unknown plug-in resolved";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("MoviePlayer"), std::string::npos);
    }
    RuntimeRegisterClass(QStringLiteral("App"));
    RuntimeRegisterClass(QStringLiteral("Window1"));
    RuntimeRegisterClass(QStringLiteral("App"));
    _RuntimeInitExternalClasses();
    const QStringList classes = RegisteredClasses();
    EXPECT_EQ(classes.count(QStringLiteral("App")), 1);
    EXPECT_LT(classes.indexOf(QStringLiteral("Window")), classes.indexOf(QStringLiteral("App")))
        << "the framework's own classes come first";
    EXPECT_EQ(classes.last(), QStringLiteral("Window1")) << "the program's classes stay last";
    EXPECT_TRUE(RegisteredExceptionClasses().contains(QStringLiteral("NilObjectException")));
    EXPECT_THROW(RuntimeRegisterClass(QString()), std::invalid_argument);
}

TEST_F(RuntimeTest, ShortVersionIsTheProjectVersion) {
    Application app;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(app.ShortVersion()).hasMatch())
        << app.ShortVersion().toStdString();
    EXPECT_EQ(app.ShortVersion(), QCoreApplication::applicationVersion());
}

TEST_F(RuntimeTest, DeactivationWaitsWhileAMouseButtonIsHeld) {
    SimulateApplicationActive(true);
    _RuntimeRegisterAppObject(std::make_shared<JournalApp>());
    auto* app = static_cast<QGuiApplication*>(QCoreApplication::instance());
    // A press on a file in another application made that one active: a drag may be on its way.
    FakePlatform::Current().SetMouseButtonHeld(true);
    Q_EMIT app->applicationStateChanged(Qt::ApplicationInactive);
    ProcessEventsFor(400);
    EXPECT_TRUE(journal().isEmpty()) << Joined(journal());
    // Released elsewhere, with no drop on us.
    FakePlatform::Current().SetMouseButtonHeld(false);
    EXPECT_TRUE(WaitUntil([] { return journal().contains(QStringLiteral("App.Deactivate")); }));
    FakePlatform::Current().SetMouseButtonHeld(std::nullopt);
}

TEST_F(RuntimeTest, YieldStartsNoHandlerAndIsCheapWhenCalledOften) {
    auto w = NewWindow<Window>(QStringLiteral("W.W"));
    w->Show();
    auto button = w->__New<PushButton>();
    w->_AddControl(QStringLiteral("PushButton1"), button);
    button->SetDefault(true);
    int pushes = 0, ticks = 0;
    _InstallInstanceEventHandler(button, QStringLiteral("Action"), std::function<void()>([&] { ++pushes; }));
    auto timer = w->__New<Timer>();
    w->_AddControl(QStringLiteral("Timer1"), timer);
    _InstallInstanceEventHandler(timer, QStringLiteral("Action"), std::function<void()>([&] { ++ticks; }));
    timer->SetPeriod(1);
    timer->SetMode(2);
    ProcessEventsFor(20);
    ASSERT_GT(ticks, 0);

    int pushesInside = -1, ticksInside = -1, yieldPasses = 0;
    bool armed = false;  // a zero timer waits for the next pass of the event loop
    runGuarded([&] {
        // Return typed while the handler runs; the timer keeps firing.
        QWindow* target = w->widget()->windowHandle();
        QWindowSystemInterface::handleKeyEvent(target, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QWindowSystemInterface::handleKeyEvent(target, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        const int ticksBefore = ticks;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 50) {
            if (!armed) {
                armed = true;
                QTimer::singleShot(0, [&] {
                    armed = false;
                    ++yieldPasses;
                });
            }
            Yield();
            QThread::usleep(500);
        }
        pushesInside = pushes;
        ticksInside = ticks - ticksBefore;
    });
    EXPECT_EQ(pushesInside, 0) << "input waits until the handler returns";
    EXPECT_EQ(ticksInside, 0) << "ticks during a handler are skipped";
    EXPECT_GT(yieldPasses, 1) << "yields let the event loop run";
    EXPECT_LT(yieldPasses, 10) << "at most one pass every 10 ms";
    EXPECT_TRUE(WaitUntil([&] { return pushes == 1 && !armed; }));
    const int after = ticks;
    EXPECT_TRUE(WaitUntil([&] { return ticks > after; })) << "ticks resume";
}
