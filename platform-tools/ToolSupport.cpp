#include "platform-tools/ToolSupport.h"

#include <QDir>

#include <cstdio>

#include "framework/files/FileNames.h"
#include "framework/files/SpecialFolders.h"

namespace ToolSupport {

QStringList arguments(int argc, char** argv) {
    QStringList list;
    for (int i = 1; i < argc; ++i) list << DecodeFileName(QByteArray(argv[i]));
    return list;
}

void out(const QString& text) {
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void err(const QString& text) {
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QString preferencesFolder() {
    const FolderItemPtr folder = PreferencesFolder();
    return folder ? folder->AbsolutePath() : QString();
}

QString mapPreferencesPath(const QString& path) {
    const QString prefs = preferencesFolder();
    if (prefs.isEmpty()) return path;
    const QString tail = QStringLiteral("/Library/Preferences/");
    QStringList prefixes = {QStringLiteral("~") + tail};
    const QString home = QString::fromLocal8Bit(qgetenv("HOME"));
    if (!home.isEmpty()) prefixes << QDir::cleanPath(home) + tail;
    const QString clean = QDir::cleanPath(path);
    for (const QString& prefix : prefixes) {
        if (clean.startsWith(prefix) && clean.size() > prefix.size())
            return prefs + QLatin1Char('/') + clean.mid(prefix.size());
    }
    return path;
}

}  // namespace ToolSupport
