#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
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

// Removes everything in folder except the folder keep (and the folders on the
// way to it), whose contents are removed.
void emptyAllBut(const QString& folder, const QString& keep) {
    const auto entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.filePath();
        if (entry.isDir() && !entry.isSymLink() && (path == keep || keep.startsWith(path + QLatin1Char('/'))))
            emptyAllBut(path, path == keep ? QString() : keep);
        else if (entry.isDir() && !entry.isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

}  // namespace

QString TestEnvironment::Home() { return root().path() + QStringLiteral("/home"); }

void TestEnvironment::ResetHome() {
    // GIO's keyfile settings back end watches its folder for the life of the
    // program, and takes a vanished folder as read-only: empty it, keep it.
    emptyAllBut(Home(), Home() + QStringLiteral("/.config/glib-2.0/settings"));
    point("HOME", Home());
    point("XDG_CONFIG_HOME", Home() + QStringLiteral("/.config"));
    point("XDG_CACHE_HOME", Home() + QStringLiteral("/.cache"));
    point("XDG_DATA_HOME", Home() + QStringLiteral("/.local/share"));
    point("XDG_RUNTIME_DIR", root().path() + QStringLiteral("/runtime"));
    QFile::setPermissions(root().path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
