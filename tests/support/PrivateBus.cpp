#include "tests/support/PrivateBus.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

// Gone, or a zombie nobody reaps (the bus's services are not our children).
bool ended(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && line.mid(close + 2, 1) == "Z";
}

void stop(pid_t pid) {
    if (pid <= 0 || pid == getpid()) return;
    ::kill(pid, SIGTERM);
    QElapsedTimer timer;
    timer.start();
    while (!ended(pid) && timer.elapsed() < 3000) QThread::msleep(5);
}

// At the end of the test program, while Qt still runs: the services the bus
// started first (they write their files on the way out, into the test's home,
// which must not be removed before), then the bus itself.
class StopBus : public ::testing::EmptyTestEventListener {
public:
    explicit StopBus(pid_t bus) : bus_(bus) {}
    void OnTestProgramEnd(const ::testing::UnitTest&) override {
        if (QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface()) {
            const QStringList names = bus->registeredServiceNames().value();
            for (const QString& name : names) {
                if (name.startsWith(QLatin1Char(':')) || name == QLatin1String("org.freedesktop.DBus")) continue;
                stop(pid_t(bus->servicePid(name).value()));
            }
        }
        stop(bus_);
    }

private:
    pid_t bus_;
};

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
    ::testing::UnitTest::GetInstance()->listeners().Append(new StopBus(pid_t(lines.at(1).trimmed().toLongLong())));
    address = lines.at(0).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    return address;
}
