#include "tests/support/PrivateBus.h"

#include <QProcess>
#include <QStandardPaths>

#include <csignal>
#include <cstdlib>
#include <sys/types.h>

namespace {

pid_t busPid = 0;

void stopBus() {
    if (busPid > 0) ::kill(busPid, SIGTERM);
    busPid = 0;
}

}  // namespace

QString PrivateBus::address() {
    static QString address;
    if (!address.isEmpty()) return address;
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) return QString();
    QProcess p;
    p.start(daemon, {QStringLiteral("--session"), QStringLiteral("--fork"), QStringLiteral("--print-address=1"),
                     QStringLiteral("--print-pid=1")});
    if (!p.waitForFinished(10000) || p.exitCode() != 0) return QString();
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() < 2) return QString();
    busPid = pid_t(lines.at(1).trimmed().toLongLong());
    std::atexit(stopBus);
    address = lines.at(0).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    return address;
}
