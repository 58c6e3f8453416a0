#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir& root() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zentravelle-test-XXXXXX"));
    return dir;
}

void point(const char* variable, const QString& path) {
    QDir().mkpath(path);
    setenv(variable, QFile::encodeName(path).constData(), 1);
}

}  // namespace

QString TestEnvironment::Home() { return root().path() + QStringLiteral("/home"); }

void TestEnvironment::ResetHome() {
    QDir(Home()).removeRecursively();
    point("HOME", Home());
    point("XDG_CONFIG_HOME", Home() + QStringLiteral("/.config"));
    point("XDG_CACHE_HOME", Home() + QStringLiteral("/.cache"));
    point("XDG_DATA_HOME", Home() + QStringLiteral("/.local/share"));
    point("XDG_RUNTIME_DIR", root().path() + QStringLiteral("/runtime"));
    QFile::setPermissions(root().path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
