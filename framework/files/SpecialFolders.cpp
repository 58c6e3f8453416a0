#include "framework/files/SpecialFolders.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QMutex>
#include <QSet>
#include <QTextStream>

#include "framework/files/AtomicFile.h"

namespace {

QString home() { return QString::fromLocal8Bit(qgetenv("HOME")); }

QString xdgDir(const char* variable, const QString& fallback) {
    const QString v = QString::fromLocal8Bit(qgetenv(variable));
    if (!v.isEmpty() && QDir::isAbsolutePath(v)) return v;
    if (home().isEmpty()) return QString();
    return home() + QLatin1Char('/') + fallback;
}

// The folder, created when missing. The first time in a process that a
// folder is asked for, the temporary files of atomic writes that a killed
// process left there are removed (only those: see AtomicFile.h).
FolderItemPtr ensureFolder(const QString& path) {
    if (path.isEmpty() || !QDir().mkpath(path)) return nullptr;
    const QString clean = QDir::cleanPath(path);
    static QMutex mutex;
    static QSet<QString> swept;
    {
        const QMutexLocker lock(&mutex);
        if (!swept.contains(clean)) {
            swept.insert(clean);
            RemoveAtomicLeftovers(clean);
        }
    }
    return std::make_shared<FolderItem>(clean);
}

// XDG_PICTURES_DIR from user-dirs.dirs, with $HOME expanded.
QString picturesFromUserDirs() {
    QFile f(xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/user-dirs.dirs"));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    static const QRegularExpression line(QStringLiteral("^\\s*XDG_PICTURES_DIR\\s*=\\s*\"(.*)\"\\s*$"));
    QTextStream in(&f);
    while (!in.atEnd()) {
        const auto m = line.match(in.readLine());
        if (!m.hasMatch()) continue;
        QString dir = m.captured(1).replace(QStringLiteral("$HOME"), home());
        if (dir == home() || dir == home() + QLatin1Char('/')) return QString();  // "disabled"
        return QDir::isAbsolutePath(dir) ? dir : QString();
    }
    return QString();
}

}  // namespace

FolderItemPtr PreferencesFolder() { return ensureFolder(xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config"))); }

FolderItemPtr GetTemporaryFolderItem() {
    const QString cache = xdgDir("XDG_CACHE_HOME", QStringLiteral(".cache"));
    if (cache.isEmpty()) return nullptr;
    const QString dir = cache + QStringLiteral("/zentravelle");
    if (!QDir().mkpath(dir)) return nullptr;
    // Reserve a unique name, then hand out the path of the still-empty file.
    QTemporaryFile file(dir + QStringLiteral("/dropped-XXXXXX.jpg"));
    file.setAutoRemove(false);
    if (!file.open()) return nullptr;
    return std::make_shared<FolderItem>(file.fileName());
}

FolderItemPtr SpecialFolder::Pictures() {
    QString dir = picturesFromUserDirs();
    if (dir.isEmpty()) {
        if (home().isEmpty()) return nullptr;
        dir = home() + QStringLiteral("/Pictures");
    }
    return ensureFolder(dir);
}
