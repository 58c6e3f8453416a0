// One instance per user: the first start listens on a local socket in the
// user's runtime folder; a later start finds it, asks it to come to the front
// and leaves.
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include "framework/core/AppIdentity.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/Window.h"

namespace {

QLocalServer*& server() {
    static QLocalServer* s = nullptr;
    return s;
}

QString rendezvousFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString rendezvousName() { return rendezvousFolder() + QLatin1Char('/') + CurrentAppIdentity().instanceName; }

void bringToFront() {
    for (const WindowPtr& window : _OpenWindows()) window->Show();
}

}  // namespace

bool RuntimeClaimSingleInstance() {
    if (server()) return true;
    const QString folder = rendezvousFolder();
    const QString name = rendezvousName();
    // Two starts at the same moment must not both become the first.
    QLockFile lock(name + QStringLiteral(".lock"));
    lock.tryLock(2000);

    if (_RuntimeWakeRunningInstance()) return false;
    QLocalServer::removeServer(name);  // left behind by a run that crashed
    auto* listener = new QLocalServer;
    listener->setSocketOptions(QLocalServer::UserAccessOption);
    if (!listener->listen(name)) {
        delete listener;
        return true;  // no rendezvous: run anyway rather than not at all
    }
    QObject::connect(listener, &QLocalServer::newConnection, listener, [listener] {
        while (QLocalSocket* peer = listener->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer] {
                if (peer->readAll().contains("activate")) bringToFront();
            });
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    server() = listener;
    return true;
}

bool _RuntimeWakeRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(rendezvousName());
    if (!socket.waitForConnected(1000)) return false;
    socket.write("activate\n");
    socket.flush();
    if (socket.bytesToWrite() > 0) socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

void _RuntimeReleaseSingleInstance() {
    if (!server()) return;
    server()->close();
    delete server();
    server() = nullptr;
}
