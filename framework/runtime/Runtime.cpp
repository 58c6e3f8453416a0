#include "framework/runtime/Runtime.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QSessionManager>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

#include "framework/runtime/PlatformChoice.h"
#include "framework/runtime/HandlerScope.h"
#include "framework/runtime/QuitSignals.h"
#include "framework/system/Dialogs.h"
#include "framework/system/MouseButtons.h"
#include "framework/ui/Window.h"

namespace {

struct RuntimeState {
    QApplication* ownedApp = nullptr;
    QStringList classes;
    QStringList exceptionClasses;
    std::shared_ptr<Application> app;
    bool running = false;
    bool opened = false;   // every Open has run: the settings are all restored
    bool exiting = false;  // the process is ending by exit() in the middle of the run
    std::thread::id mainThread;
    QEventLoop* mainLoop = nullptr;
    std::vector<QEventLoop*> modalLoops;
    std::exception_ptr pending;
    std::vector<std::function<void()>> pendingOpens;
    bool quitting = false, appClosed = false, quitRequested = false;
    int32_t exitCode = 0;
    bool active = false;
    Qt::ApplicationState lastState = Qt::ApplicationInactive;
    QTimer* deactivateDelay = nullptr;
    QMetaObject::Connection stateConnection, commitConnection;
};

// Never destroyed: the process may end by exit() from inside the event loop
// (Qt does when the display connection breaks), with the application object
// and the windows alive and other statics already gone.
RuntimeState& state() {
    static auto* s = new RuntimeState;
    return *s;
}

const char* const kFrameworkClasses[] = {
    "Application", "Window", "Control", "RectControl", "MenuItem", "AppleMenuItem", "QuitMenuItem", "MenuBar",
    "FileType", "ImageWell", "RoundRectangle", "Rectangle", "PushButton", "StaticText", "CheckBox", "PopupMenu",
    "Separator", "UpDownArrows", "Timer", "BevelButton", "DisclosureTriangle", "EditField", "Canvas", "DragItem",
    "FolderItem", "Picture", "Graphics", "StyledText", "BinaryStream", "MemoryBlock", "Date", "Shell", "XmlDocument"};

const char* const kExceptionClasses[] = {"RuntimeException", "NilObjectException", "OutOfBoundsException",
                                         "TypeMismatchException", "UnsupportedFormatException", "IOException",
                                         "XmlException", "ShellException"};

// Raises the application's Activate or Deactivate when its state really changes.
void setActive(bool active) {
    RuntimeState& s = state();
    if (active == s.active) return;
    s.active = active;
    if (!s.app) return;
    if (active) s.app->Event_Activate();
    else s.app->Event_Deactivate();
}

void applicationStateChanged(Qt::ApplicationState appState) {
    RuntimeState& s = state();
    s.lastState = appState;
    if (appState == Qt::ApplicationActive && !handlerRunning()) {
        s.deactivateDelay->stop();
        runGuarded([] { setActive(true); });
    } else {
        // Focus passing between two of our windows can leave none active for a
        // moment; a change during a handler waits until it returns.
        s.deactivateDelay->start();
    }
}

// Deactivation waits while a mouse button is down: a drag that began in another
// application (pressing on a file makes that application active) may be on its
// way to one of our windows. It goes ahead when the button is released, unless
// a drop on us made the application active again.
void settleApplicationState() {
    RuntimeState& s = state();
    const bool active = s.lastState == Qt::ApplicationActive;
    if (handlerRunning() || (!active && MouseButtonHeld())) {
        s.deactivateDelay->start();
        return;
    }
    runGuarded([active] { setActive(active); });
}

void watchApplicationState() {
    RuntimeState& s = state();
    if (s.deactivateDelay) return;
    s.deactivateDelay = new QTimer(qApp);
    s.deactivateDelay->setSingleShot(true);
    s.deactivateDelay->setInterval(150);
    QObject::connect(s.deactivateDelay, &QTimer::timeout, qApp, settleApplicationState);
    s.stateConnection = QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp, applicationStateChanged);
}

// A library may end the process by exit() from inside the event loop: Qt does
// when the connection to the X server breaks (a logout from X11). The windows
// and the application object are still alive; the settings are saved as for
// the session's save request, and nothing of the display is touched (Yield
// processes no events from here on). A quit under way has written the
// windows' settings already: the application's Close saves them.
void saveAtExit() {
    RuntimeState& s = state();
    if (!s.app || !s.opened || s.appClosed || std::this_thread::get_id() != s.mainThread) return;
    s.exiting = true;
    try {
        if (s.quitting) {
            s.appClosed = true;
            s.app->Event_Close();
        } else {
            s.app->Event_CommitData();
        }
    } catch (...) {
        // The process ends all the same.
    }
}

QEventLoop* innermostLoop() {
    RuntimeState& s = state();
    if (!s.modalLoops.empty()) return s.modalLoops.back();
    return s.mainLoop;
}

}  // namespace

void RuntimeInit(int& argc, char** argv, const AppIdentity& identity) {
    RuntimeState& s = state();
    if (!QApplication::instance()) {
        const QString platform = ChooseQtPlatform(QProcessEnvironment::systemEnvironment());
        if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform.toLatin1());
        s.ownedApp = new QApplication(argc, argv);
        // Chosen for this process only: programs it starts choose their own.
        if (!platform.isEmpty()) qunsetenv("QT_QPA_PLATFORM");
    }
    SetAppIdentity(identity);
    QCoreApplication::setApplicationName(identity.name);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEN_VERSION));
    // Only Quit ends the program; closing the last window does not.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    s.mainThread = std::this_thread::get_id();
    s.commitConnection = QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                                          [](QSessionManager&) { RuntimeCommitData(); });
    installQuitSignals();
    for (const char* name : kFrameworkClasses) RuntimeRegisterClass(QString::fromLatin1(name));
    watchApplicationState();
}

int32_t RuntimeExit() {
    RuntimeState& s = state();
    const int32_t code = s.exitCode;
    RuntimeReleaseSingleInstance();
    removeQuitSignals();
    releaseWindowLists();
    s.app.reset();
    s.running = s.opened = false;
    s.pending = nullptr;
    s.pendingOpens.clear();
    s.quitting = s.appClosed = s.quitRequested = false;
    s.exitCode = 0;
    s.active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    for (QMetaObject::Connection* c : {&s.stateConnection, &s.commitConnection}) {
        if (*c) QObject::disconnect(*c);
        *c = {};
    }
    delete s.deactivateDelay;
    s.deactivateDelay = nullptr;
    if (s.ownedApp) {
        delete s.ownedApp;
        s.ownedApp = nullptr;
    }
    return code;
}

void RuntimeRegisterClass(const QString& className) {
    if (className.isEmpty()) throw std::invalid_argument("a class needs a name to be registered");
    if (!state().classes.contains(className)) state().classes.append(className);
}

QStringList RegisteredClasses() { return state().classes; }

void _RuntimeInitExternalClasses() {
    for (const char* name : kExceptionClasses)
        if (!state().exceptionClasses.contains(QLatin1String(name))) state().exceptionClasses.append(QString::fromLatin1(name));
}

QStringList RegisteredExceptionClasses() { return state().exceptionClasses; }

void _RuntimeRegisterAppObject(std::shared_ptr<Application> app) { state().app = std::move(app); }

std::shared_ptr<Application> _GetAppObject() { return state().app; }

bool runtimeRunning() { return state().running; }

bool runtimeExiting() { return state().exiting; }

void RuntimeCommitData() {
    RuntimeState& s = state();
    // Before the Opens the settings are not all restored; a quit under way saves anyway.
    if (!s.app || !s.opened || s.quitting) return;
    runGuarded([&s] { s.app->Event_CommitData(); });
}

void queueWindowOpen(const std::function<void()>& open) { state().pendingOpens.push_back(open); }

void _RuntimeRun() {
    RuntimeState& s = state();
    s.running = true;
    {
        const HandlerScope scope;  // the Opens are handlers too
        if (s.app) s.app->Event_Open();
        std::vector<std::function<void()>> opens;
        opens.swap(s.pendingOpens);
        for (const auto& open : opens) open();
    }
    s.opened = true;
    if (s.quitRequested) return;  // Quit during an Open
    // Registered late, so that what the run made before it is still there when it runs.
    static const bool hooked = std::atexit(saveAtExit) == 0;
    (void)hooked;
    QEventLoop loop;
    s.mainLoop = &loop;
    loop.exec();
    s.mainLoop = nullptr;
    if (s.pending) {
        std::exception_ptr p = s.pending;
        s.pending = nullptr;
        std::rethrow_exception(p);
    }
}

void Quit(int32_t code) {
    RuntimeState& s = state();
    if (s.quitting) return;
    s.quitting = true;
    s.exitCode = code;
    const std::vector<WindowPtr> windows = openWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (!(*it)->isClosed()) (*it)->Close();
    if (s.app && !s.appClosed) {
        s.appClosed = true;
        s.app->Event_Close();
    }
    s.quitRequested = true;
    for (QEventLoop* loop : s.modalLoops) loop->exit(0);
    if (s.mainLoop) s.mainLoop->exit(code);
}

void _UnhandledException(const std::exception& e) {
    state().exitCode = 1;
    const QString what = QString::fromUtf8(e.what());
    MsgBox(QStringLiteral("%1 ran into an error that it could not handle:\n\n%2")
               .arg(CurrentAppIdentity().name, what.isEmpty() ? QStringLiteral("(no description)") : what));
}

void runGuarded(const std::function<void()>& handler) {
    std::exception_ptr caught;
    try {
        const HandlerScope scope;
        handler();
        return;
    } catch (...) {
        caught = std::current_exception();
    }
    RuntimeState& s = state();
    if (QEventLoop* loop = innermostLoop()) {
        if (!s.pending) s.pending = caught;
        loop->exit(1);
        return;
    }
    try {
        std::rethrow_exception(caught);
    } catch (const std::exception& e) {
        _UnhandledException(e);
    } catch (...) {
        _UnhandledException(std::runtime_error("an error of an unknown kind"));
    }
}

void rethrowPendingException() {
    RuntimeState& s = state();
    if (!s.pending) return;
    std::exception_ptr p = s.pending;
    s.pending = nullptr;
    std::rethrow_exception(p);
}

void registerModalLoop(QEventLoop* loop) { state().modalLoops.push_back(loop); }

void unregisterModalLoop(QEventLoop* loop) {
    auto& loops = state().modalLoops;
    loops.erase(std::remove(loops.begin(), loops.end(), loop), loops.end());
}

