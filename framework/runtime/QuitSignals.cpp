#include "framework/runtime/QuitSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <csignal>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "framework/runtime/HandlerScope.h"
#include "framework/runtime/Runtime.h"

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler only writes a byte here; the event loop reads it. Made once per
// process: a signal may come at any time, even between two runs.
int pipeEnds[2] = {-1, -1};
struct sigaction before[std::size(kSignals)];
QSocketNotifier* notifier = nullptr;
bool quitQueued = false;

void cancelLater(QObject* object) {
    if (auto* dialog = qobject_cast<QDialog*>(object); dialog && dialog->isWindow())
        QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);  // inside its own loop
}

// Once a signal asked to quit, every dialog is cancelled as it shows: a logout
// waits for no answer, and the handler that waits on the dialog must return
// before the quit can run.
class DialogCanceller : public QObject {
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) cancelLater(watched);
        return false;
    }
};
DialogCanceller* canceller = nullptr;

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);  // a full pipe has one waiting already
    errno = saved;
}

void drainPipe() {
    char bytes[64];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
}

void signalled() {
    drainPipe();
    if (quitQueued) return;
    quitQueued = true;
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        canceller = new DialogCanceller;
        app->installEventFilter(canceller);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) cancelLater(w);
    }
    runAfterHandlers([] { runGuarded([] { Quit(0); }); });
}

}  // namespace

void installQuitSignals() {
    if (notifier || !QCoreApplication::instance()) return;
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    drainPipe();  // a signal of an earlier run in this process
    quitQueued = false;
    notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, signalled);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], nullptr, &before[i]);
        // Ignored by whoever started us (nohup, a background job): it stays ignored.
        if (before[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
    }
}

void removeQuitSignals() {
    if (!notifier) return;
    for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &before[i], nullptr);
    delete notifier;
    notifier = nullptr;
    delete canceller;
    canceller = nullptr;
}
