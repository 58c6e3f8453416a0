#include "framework/ui/RectControl.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "framework/files/FileNames.h"
#include "framework/files/FileTypeRegistry.h"
#include "framework/runtime/HandlerScope.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/Window.h"

// Watches the control's widget for the mouse and for drops.
class RectControlFilter : public QObject {
public:
    RectControlFilter(RectControl* control, QObject* parent) : QObject(parent), control_(control) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != control_->widget_) return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton) return false;
            const QPoint p = e->position().toPoint();
            return control_->mousePress(p.x(), p.y());
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton || !control_->mouseClaimed_) return false;
            const QPoint p = e->position().toPoint();
            control_->mouseRelease(p.x(), p.y());
            return true;
        }
        case QEvent::Leave:
            control_->mouseLeave();
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* e = static_cast<QDropEvent*>(event);
            if (control_->dropWanted(e->mimeData())) e->acceptProposedAction();
            else e->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            if (!control_->dropWanted(e->mimeData())) {
                e->ignore();
                return true;
            }
            e->acceptProposedAction();
            control_->drop(e->mimeData(), int32_t(e->dropAction()));
            return true;
        }
        default:
            return false;
        }
    }

private:
    RectControl* control_;
};

RectControl::RectControl(QWidget* widget) : widget_(widget) {
    widget_->setAttribute(Qt::WA_Hover, false);
    filter_ = new RectControlFilter(this, widget_);
    widget_->installEventFilter(filter_);

    DeclareInt32("Left", &RectControl::Left, &RectControl::SetLeft);
    DeclareInt32("Top", &RectControl::Top, &RectControl::SetTop);
    DeclareInt32("Width", &RectControl::Width, &RectControl::SetWidth);
    DeclareInt32("Height", &RectControl::Height, &RectControl::SetHeight);
    DeclareBoolean("LockLeft", &RectControl::LockLeft, &RectControl::SetLockLeft);
    DeclareBoolean("LockTop", &RectControl::LockTop, &RectControl::SetLockTop);
    DeclareBoolean("LockRight", &RectControl::LockRight, &RectControl::SetLockRight);
    DeclareBoolean("LockBottom", &RectControl::LockBottom, &RectControl::SetLockBottom);
    DeclareInt32("TabPanelIndex", &RectControl::TabPanelIndex, &RectControl::SetTabPanelIndex);
    DeclareString("InitialParent", &RectControl::InitialParent, &RectControl::SetInitialParent);
    DeclareBoolean("Visible", &RectControl::Visible, &RectControl::SetVisible);
    DeclareString("HelpTag", &RectControl::HelpTag, &RectControl::SetHelpTag);
    DeclareBoolean("AutoDeactivate", &RectControl::AutoDeactivate, &RectControl::SetAutoDeactivate);
    DeclareBoolean("Enabled", &RectControl::Enabled, &RectControl::SetEnabled);
    DeclareString("BalloonHelp", &RectControl::BalloonHelp, &RectControl::SetBalloonHelp);
    DeclareString("DisabledBalloonHelp", &RectControl::DisabledBalloonHelp, &RectControl::SetDisabledBalloonHelp);

    DeclareEvent("MouseDown", EventKind::MouseDown);
    DeclareEvent("MouseUp", EventKind::MouseXY);
    DeclareEvent("MouseExit", EventKind::Plain);
    DeclareEvent("DropObject", EventKind::Drop);
}

RectControl::~RectControl() { delete widget_.data(); }

void RectControl::applyGeometry() {
    if (widget_) widget_->setGeometry(left_, top_, std::max(0, width_), std::max(0, height_));
}

void RectControl::SetLeft(int32_t v) {
    left_ = v;
    applyGeometry();
}

void RectControl::SetTop(int32_t v) {
    top_ = v;
    applyGeometry();
}

void RectControl::SetWidth(int32_t v) {
    width_ = v;
    applyGeometry();
    boxResized();
}

void RectControl::SetHeight(int32_t v) {
    height_ = v;
    applyGeometry();
    boxResized();
}

void RectControl::SetVisible(bool v) {
    visible_ = v;
    // A widget without its window would show as a window of its own.
    if (widget_ && widget_->parentWidget()) widget_->setVisible(v);
}

void RectControl::SetHelpTag(const QString& v) {
    helpTag_ = v;
    if (widget_) widget_->setToolTip(v);
}

void RectControl::SetEnabled(bool v) {
    enabled_ = v;
    if (widget_) widget_->setEnabled(v);
}

void RectControl::attachToWindow(Window* window) {
    Control::attachToWindow(window);
    if (!widget_ || !window) return;
    widget_->setParent(window->contentWidget());
    applyGeometry();
    widget_->setVisible(visible_);
}

void RectControl::followWindowResize(int32_t dWidth, int32_t dHeight) {
    if (lockRight_ && lockLeft_) width_ += dWidth;
    else if (lockRight_) left_ += dWidth;
    if (lockBottom_ && lockTop_) height_ += dHeight;
    else if (lockBottom_) top_ += dHeight;
    applyGeometry();
    if ((lockLeft_ && lockRight_ && dWidth) || (lockTop_ && lockBottom_ && dHeight)) boxResized();
}

void RectControl::AcceptFileDrop(const QString& fileTypeFilter) {
    for (const QString& name : fileTypeFilter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString type = name.trimmed();
        if (!type.isEmpty() && !dropFileTypes_.contains(type, Qt::CaseInsensitive)) dropFileTypes_.append(type);
    }
    if (widget_) widget_->setAcceptDrops(true);
}

void RectControl::AcceptPictureDrop() {
    dropPictures_ = true;
    if (widget_) widget_->setAcceptDrops(true);
}

namespace {

// The first local file of a drop, every byte of its name kept; empty when there is none.
QString firstFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    return urls.isEmpty() ? QString() : FileNameFromUrl(urls.first());
}

}  // namespace

bool RectControl::dropWanted(const QMimeData* data) const {
    if (!data) return false;
    if (dropPictures_ && data->hasImage()) return true;
    const QString file = firstFile(data);
    if (file.isEmpty() || dropFileTypes_.isEmpty()) return false;
    const QString suffix = QFileInfo(file).suffix();
    if (suffix.isEmpty()) return false;
    for (const QString& type : dropFileTypes_)
        for (const QString& ext : FileTypeExtensions(type))
            if (ext.compare(suffix, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void RectControl::drop(const QMimeData* data, int32_t action) {
    FolderItemPtr file;
    PicturePtr picture;
    const QString path = firstFile(data);
    if (!path.isEmpty()) {
        const QString suffix = QFileInfo(path).suffix();
        for (const QString& type : dropFileTypes_)
            for (const QString& ext : FileTypeExtensions(type))
                if (!suffix.isEmpty() && ext.compare(suffix, Qt::CaseInsensitive) == 0) file = GetFolderItem(path, 0);
    }
    if (dropPictures_ && data->hasImage()) {
        QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull()) picture = std::make_shared<Picture>(image.convertToFormat(QImage::Format_ARGB32));
    }
    if (!file && !picture) return;
    auto item = std::make_shared<DragItem>(file, picture);
    // A drop from another application: the window comes to the front (and the
    // application becomes active, so hiding on deactivate does not follow).
    Window* window = TrueWindow();
    if (window && !window->isClosed()) window->Show();
    auto deliver = [this, item, action] { runGuarded([&] { RaiseDrop(QStringLiteral("DropObject"), item, action); }); };
    if (!handlerRunning() || !window) return deliver();
    // Dropped while a handler of ours runs (it yields): the drop is not lost,
    // it reaches its handler once the running one has returned. The control
    // lives as long as its window.
    runAfterHandlers([weak = window->weak_from_this(), deliver] {
        if (weak.lock()) deliver();
    });
}

bool RectControl::mousePress(int32_t x, int32_t y) {
    mouseClaimed_ = false;
    if (!hasHandler(QStringLiteral("MouseDown"))) return false;
    bool claimed = false;
    runGuarded([&] { claimed = RaiseMouseDown(QStringLiteral("MouseDown"), x, y); });
    mouseClaimed_ = claimed;
    return claimed;
}

void RectControl::mouseRelease(int32_t x, int32_t y) {
    mouseClaimed_ = false;
    runGuarded([&] { RaiseXY(QStringLiteral("MouseUp"), x, y); });
}

void RectControl::mouseLeave() {
    runGuarded([&] { Raise(QStringLiteral("MouseExit")); });
}
