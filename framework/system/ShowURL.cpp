#include "framework/system/ShowURL.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "framework/system/Headless.h"

namespace {

struct State {
    std::optional<bool> recording;
    bool opens = true;
    std::vector<QString> shown;
};

State& state() {
    static State s;
    return s;
}

// The desktop's opener says whether it found a program for the address; one
// that is still busy after a moment (a browser it waits for) has found one.
bool runOpener(const QString& opener, const QUrl& url) {
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(opener, {url.toString(QUrl::FullyEncoded)});
    if (!process->waitForStarted(3000)) {
        delete process;
        return QDesktopServices::openUrl(url);
    }
    QEventLoop wait;
    QObject::connect(process, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(2000, &wait, &QEventLoop::quit);
    if (process->state() != QProcess::NotRunning) wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() != QProcess::NotRunning) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return opened;
}

}  // namespace

bool ShowURL(const QString& address) {
    if (ShowURLSeam::Recording()) {
        state().shown.push_back(address);
        return state().opens;
    }
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid()) return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(url);
    return runOpener(opener, url);
}

namespace ShowURLSeam {
bool Recording() { return state().recording.value_or(isHeadlessPlatform()); }
void SetRecording(std::optional<bool> recording) { state().recording = recording; }
std::vector<QString> TakeShown() { return std::exchange(state().shown, {}); }
void SetOpens(bool opens) { state().opens = opens; }
}  // namespace ShowURLSeam
