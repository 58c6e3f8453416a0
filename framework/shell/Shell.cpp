#include "framework/shell/Shell.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "framework/core/AppIdentity.h"

QString Shell::PlatformToolsFolder() {
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString dir = QCoreApplication::applicationDirPath();
        candidates << dir + QStringLiteral("/platform-tools") << dir + QStringLiteral("/../platform-tools")
                   << dir + QStringLiteral("/../libexec/") + CurrentAppIdentity().toolsFolderName;
    }
#ifdef ZEN_PLATFORM_TOOLS_DIR
    candidates << QStringLiteral(ZEN_PLATFORM_TOOLS_DIR);
#endif
    for (const QString& dir : candidates) {
        const QFileInfo tool(dir + QStringLiteral("/defaults"));
        if (tool.isFile() && tool.isExecutable()) return QFileInfo(dir).canonicalFilePath();
    }
    return QString();
}

void Shell::Execute(const QString& command) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString tools = PlatformToolsFolder();
    if (!tools.isEmpty()) {
        const QString path = env.value(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
        env.insert(QStringLiteral("PATH"), tools + QLatin1Char(':') + path);
    }
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    // The caller reads Result right after Execute: wait as long as the command runs.
    const bool finished = process.waitForFinished(-1);
    result_ = QString::fromUtf8(process.readAll());
    if (!finished || process.exitStatus() != QProcess::NormalExit) {
        errorCode_ = -1;
        return;
    }
    errorCode_ = process.exitCode();
}
