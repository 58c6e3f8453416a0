// One instance per user: the first start listens on a local socket in the
// user's runtime folder; a later start finds it, asks it to come to the front,
// waits for its answer and leaves. A socket that does not answer is stale,
// unless a start of this very program holds it and is only busy.
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/AppIdentity.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/Window.h"

namespace {

constexpr int kAnswerWithinMs = 1000;

QLocalServer*& server() {
    static QLocalServer* s = nullptr;
    return s;
}

// Without $XDG_RUNTIME_DIR: a folder of our own in the temp folder, made
// private. Empty when it cannot be had or is not private (someone else's, a
// link, open to others): then there is no rendezvous.
QString privateFolder() {
    const QString path = QStringLiteral("%1/%2-%3")
                             .arg(QDir::tempPath(), CurrentAppIdentity().instanceName)
                             .arg(::getuid());
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) return QString();
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) return QString();
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077) != 0) {
        qWarning("%s is not a private folder of this user: no single-instance rendezvous", native.constData());
        return QString();
    }
    return path;
}

QString rendezvousFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? privateFolder() : runtime;
}

QString rendezvousName() {
    const QString folder = rendezvousFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + CurrentAppIdentity().instanceName;
}

// The peer accepted but did not answer in time. A start of this program (same
// user, same executable, not stopped) is only busy in a long handler: it
// answers when it gets back to its event loop, so this start must not take its
// place. Anything else (another program, a stopped process, ourselves) is stale.
bool busyInstanceOfOurs(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t length = sizeof peer;
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0) return false;
    if (peer.uid != ::getuid() || peer.pid <= 0 || peer.pid == ::getpid()) return false;
    const QString proc = QStringLiteral("/proc/%1").arg(peer.pid);
    const QString exe = QFile::symLinkTarget(proc + QStringLiteral("/exe"));
    if (exe.isEmpty() || exe != QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))) return false;
    QFile stat(proc + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readLine();
    const qsizetype end = line.lastIndexOf(')');  // the state follows the name in parentheses
    const char state = end >= 0 && end + 2 < line.size() ? line.at(end + 2) : 'Z';
    return state != 'T' && state != 't' && state != 'Z';
}

void bringToFront() {
    for (const WindowPtr& window : openWindows()) window->Show();
}

}  // namespace

bool RuntimeClaimSingleInstance() {
    if (server()) return true;
    const QString name = rendezvousName();
    if (name.isEmpty()) return true;  // no rendezvous: run anyway rather than not at all
    // Two starts at the same moment must not both become the first. A lock held
    // longer than this by a live start is not waited for: at worst two
    // instances run, which is better than none (a dead holder's lock is stale
    // and taken over).
    QLockFile lock(name + QStringLiteral(".lock"));
    if (!lock.tryLock(2000)) qWarning("the single-instance lock is busy; going on without it");

    if (RuntimeWakeRunningInstance()) return false;
    QLocalServer::removeServer(name);  // left behind by a run that crashed, or stale
    auto* listener = new QLocalServer;
    listener->setSocketOptions(QLocalServer::UserAccessOption);
    if (!listener->listen(name)) {
        delete listener;
        return true;  // no rendezvous: run anyway rather than not at all
    }
    QObject::connect(listener, &QLocalServer::newConnection, listener, [listener] {
        while (QLocalSocket* peer = listener->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer] {
                if (!peer->readAll().contains("activate")) return;
                peer->write("ok\n");
                peer->flush();
                bringToFront();
            });
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    server() = listener;
    return true;
}

bool RuntimeWakeRunningInstance() {
    const QString name = rendezvousName();
    if (name.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kAnswerWithinMs)) return false;
    socket.write("activate\n");
    socket.flush();
    if (socket.bytesToWrite() > 0) socket.waitForBytesWritten(kAnswerWithinMs);
    // A running instance answers; a socket that does not is stale (a stopped
    // process, or one that is not ours), unless our own instance is busy.
    const bool answered = socket.waitForReadyRead(kAnswerWithinMs) && socket.readAll().contains("ok");
    const bool running = answered || busyInstanceOfOurs(socket);
    socket.disconnectFromServer();
    return running;
}

void RuntimeReleaseSingleInstance() {
    if (!server()) return;
    server()->close();
    delete server();
    server() = nullptr;
}
