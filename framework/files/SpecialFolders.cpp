#include "framework/files/SpecialFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTextStream>

#include <functional>

#include "framework/core/AppIdentity.h"
#include "framework/files/AtomicFile.h"

namespace {

QString home() { return QString::fromLocal8Bit(qgetenv("HOME")); }

// QTemporaryFile's pattern for GetTemporaryFolderItem: the X's become letters and digits.
const QString kTemporaryItemPattern = QStringLiteral("dropped-XXXXXX.jpg");
const QRegularExpression kTemporaryItemName(QStringLiteral("^dropped-[A-Za-z0-9]{6}\\.jpg$"));

QString xdgDir(const char* variable, const QString& fallback) {
    const QString v = QString::fromLocal8Bit(qgetenv(variable));
    if (!v.isEmpty() && QDir::isAbsolutePath(v)) return v;
    if (home().isEmpty()) return QString();
    return home() + QLatin1Char('/') + fallback;
}

FolderItemPtr ensureFolder(const QString& path) {
    if (path.isEmpty() || !QDir().mkpath(path)) return nullptr;
    return std::make_shared<FolderItem>(QDir::cleanPath(path));
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

FolderItemPtr ApplicationCacheFolder() {
    const QString cache = xdgDir("XDG_CACHE_HOME", QStringLiteral(".cache"));
    if (cache.isEmpty()) return nullptr;
    return ensureFolder(cache + QLatin1Char('/') + CurrentAppIdentity().cacheFolderName);
}

FolderItemPtr GetTemporaryFolderItem() {
    const FolderItemPtr dir = ApplicationCacheFolder();
    if (!dir) return nullptr;
    // Reserve a unique name, then hand out the path of the still-empty file.
    QTemporaryFile file(dir->AbsolutePath() + QLatin1Char('/') + kTemporaryItemPattern);
    file.setAutoRemove(false);
    if (!file.open()) return nullptr;
    return std::make_shared<FolderItem>(file.fileName());
}

namespace {

QString picturesPath() {
    const QString dir = picturesFromUserDirs();
    if (!dir.isEmpty() || home().isEmpty()) return dir;
    return home() + QStringLiteral("/Pictures");
}

}  // namespace

FolderItemPtr SpecialFolder::Pictures() { return ensureFolder(picturesPath()); }

int RemoveLeftoversOfKilledWrites(const WrittenFiles& files) {
    const QString cache = xdgDir("XDG_CACHE_HOME", QStringLiteral(".cache"));
    const QString appCache = cache.isEmpty() ? QString() : cache + QLatin1Char('/') + CurrentAppIdentity().cacheFolderName;
    const auto named = [](const QStringList& names) {
        return [&names](const QString& target) { return names.contains(target); };
    };
    const struct {
        QString dir;
        std::function<bool(const QString&)> written;
    } folders[] = {
        {xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config")), named(files.preferences)},
        {picturesPath(), named(files.pictures)},
        {appCache,
         [&](const QString& target) {
             return files.cache.contains(target) || kTemporaryItemName.match(target).hasMatch();
         }},
    };
    int removed = 0;
    for (const auto& f : folders)
        if (!f.dir.isEmpty() && QFileInfo(f.dir).isDir())
            removed += RemoveAtomicLeftovers(QDir::cleanPath(f.dir), f.written);
    return removed;
}
