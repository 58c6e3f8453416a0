// One instance per user: the first start listens on a local socket in the
// user's runtime folder; a later start finds it, asks it to come to the front,
// waits for its answer and leaves. A socket that does not answer is stale.
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <cerrno>
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
    // A running instance answers; a socket that does not is stale (a hung or
    // stopped process, or one that is not ours).
    const bool answered = socket.waitForReadyRead(kAnswerWithinMs) && socket.readAll().contains("ok");
    socket.disconnectFromServer();
    return answered;
}

void RuntimeReleaseSingleInstance() {
    if (!server()) return;
    server()->close();
    delete server();
    server() = nullptr;
}
