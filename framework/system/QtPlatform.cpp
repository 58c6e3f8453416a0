#include "framework/system/QtPlatform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <qpa/qplatformscreen.h>

#include "framework/core/Convert.h"
#include "framework/files/SpecialFolders.h"
#include "framework/system/Dialogs.h"
#include "framework/system/MouseButtons.h"

namespace {

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

bool haveWidgets() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
    qWarning("a dialog was asked for with no GUI application: cancelled");
    return false;
}

// How far the available area starts below the screen's top, in device pixels
// as the platform measures them: scaling the logical inset back would round
// it twice (a 27-pixel panel at scale 2 is 13.5 logical pixels).
int32_t topInsetInDevicePixels(QScreen* screen) {
    const QPlatformScreen* native = screen->handle();
    return native ? std::max(0, native->availableGeometry().top() - native->geometry().top()) : 0;
}

FolderItemPtr chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? nullptr : GetFolderItem(files.front(), 0);
}

}  // namespace

std::vector<ScreenInfo> QtPlatform::Screens() {
    std::vector<ScreenInfo> out;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {ScreenInfo{}};
    QList<QScreen*> list = QGuiApplication::screens();
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        list.removeAll(primary);
        list.prepend(primary);
    }
    for (QScreen* s : list) {
        const double dpr = s->devicePixelRatio();
        const QRect g = s->geometry(), a = s->availableGeometry();
        ScreenInfo info;
        info.name = s->name();
        info.manufacturer = s->manufacturer();
        info.model = s->model();
        info.serialNumber = s->serialNumber();
        info.left = g.x();
        info.top = g.y();
        info.width = Int(g.width() * dpr);
        info.height = Int(g.height() * dpr);
        info.availableLeft = a.x();
        info.availableTop = a.y();
        info.availableWidth = a.width();
        info.availableHeight = a.height();
        info.devicePixelRatio = dpr;
        info.topInset = topInsetInDevicePixels(s);
        out.push_back(info);
    }
    if (out.empty()) out.push_back(ScreenInfo{});
    return out;
}

bool QtPlatform::AltKeyDown() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

void QtPlatform::ShowMessage(const DialogRequest& request) {
    if (!haveWidgets()) return;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(request.text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::optional<Color> QtPlatform::ChooseColor(const DialogRequest& request) {
    if (!haveWidgets()) return std::nullopt;
    const Color& c = request.color;
    QColorDialog dialog(QColor(c.red, c.green, c.blue), QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(request.text);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) return std::nullopt;
    return RGB(chosen.red(), chosen.green(), chosen.blue());
}

FolderItemPtr QtPlatform::ChooseFileToOpen(const DialogRequest& request) {
    if (!haveWidgets()) return nullptr;
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = dialogNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.initialDirectory.isEmpty()) dialog.setDirectory(request.initialDirectory);
    if (!request.actionCaption.isEmpty()) dialog.setLabelText(QFileDialog::Accept, request.actionCaption);
    if (!request.cancelCaption.isEmpty()) dialog.setLabelText(QFileDialog::Reject, request.cancelCaption);
    // The file dialog has no place for a prompt of its own: it goes in a row below.
    if (!request.prompt.isEmpty()) {
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            auto* label = new QLabel(request.prompt, &dialog);
            label->setObjectName(QStringLiteral("promptLabel"));
            grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
        }
    }
    return chosenFile(dialog);
}

FolderItemPtr QtPlatform::ChooseFileToSave(const DialogRequest& request) {
    if (!haveWidgets()) return nullptr;
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = dialogNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (const FolderItemPtr pictures = SpecialFolder::Pictures()) dialog.setDirectory(pictures->AbsolutePath());
    dialog.selectFile(request.defaultName);
    return chosenFile(dialog);
}

bool QtPlatform::OpenURL(const QString& address) {
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid()) return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(url);
    return runOpener(opener, url);
}

bool QtPlatform::MouseButtonHeld() { return DisplayMouseButtonHeld(); }
