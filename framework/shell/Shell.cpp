#include "framework/shell/Shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "framework/core/AppIdentity.h"

namespace {

// True when the running program lies inside the tree it was built in.
bool runsFromBuildTree([[maybe_unused]] const QString& programDir) {
#ifdef ZEN_PLATFORM_TOOLS_DIR
    const QString build = QDir(QStringLiteral(ZEN_PLATFORM_TOOLS_DIR "/..")).canonicalPath();
    return !build.isEmpty() && (programDir == build || programDir.startsWith(build + QLatin1Char('/')));
#else
    return false;
#endif
}

}  // namespace

QString Shell::PlatformToolsFolder() {
    QStringList candidates;
    bool buildTree = true;  // no application: a tool or a test, run from the build tree
    if (QCoreApplication::instance()) {
        const QString dir = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
        // Installed: <prefix>/bin/<program> finds <prefix>/libexec/<tools folder name>/.
        candidates << dir + QStringLiteral("/platform-tools") << dir + QStringLiteral("/../platform-tools")
                   << dir + QStringLiteral("/../libexec/") + CurrentAppIdentity().toolsFolderName;
        buildTree = runsFromBuildTree(dir);
    }
#ifdef ZEN_PLATFORM_TOOLS_DIR
    // An installed program never borrows the tools of a build tree that may change under it.
    if (buildTree) candidates << QStringLiteral(ZEN_PLATFORM_TOOLS_DIR);
#endif
    for (const QString& dir : candidates) {
        const QFileInfo tool(dir + QStringLiteral("/defaults"));
        if (tool.isFile() && tool.isExecutable()) return QFileInfo(dir).canonicalFilePath();
    }
    return QString();
}

void Shell::Execute(const QString& command) {
    const QString tools = PlatformToolsFolder();
    if (tools.isEmpty()) {
        // Without our stand-ins, "killall Dock" or "defaults write" would reach
        // the system's tools of those names: run nothing.
        result_ = QStringLiteral("sh: the platform tools (defaults, plutil, killall) were not found beside the program\n");
        errorCode_ = 127;
        return;
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString path = env.value(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    env.insert(QStringLiteral("PATH"), tools + QLatin1Char(':') + path);
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
