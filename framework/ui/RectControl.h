#pragma once
// A control with a place on the window: a Qt widget on the window's content
// area, positioned in window coordinates. Mouse events: MouseDown(x, y) returns
// True to claim the click, and only then does the control get MouseUp for it;
// MouseExit when the pointer leaves; DropObject for accepted drops.
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "framework/ui/Control.h"
#include "framework/ui/DragItem.h"

class QMimeData;
class RectControlFilter;

class RectControl : public Control {
public:
    ~RectControl() override;

    int32_t Left() const { return left_; }
    void SetLeft(int32_t v);
    int32_t Top() const { return top_; }
    void SetTop(int32_t v);
    int32_t Width() const { return width_; }
    void SetWidth(int32_t v);
    int32_t Height() const { return height_; }
    void SetHeight(int32_t v);
    bool LockLeft() const { return lockLeft_; }
    void SetLockLeft(bool v) { lockLeft_ = v; }
    bool LockTop() const { return lockTop_; }
    void SetLockTop(bool v) { lockTop_ = v; }
    bool LockRight() const { return lockRight_; }
    void SetLockRight(bool v) { lockRight_ = v; }
    bool LockBottom() const { return lockBottom_; }
    void SetLockBottom(bool v) { lockBottom_ = v; }
    int32_t TabPanelIndex() const { return tabPanelIndex_; }
    void SetTabPanelIndex(int32_t v) { tabPanelIndex_ = v; }
    QString InitialParent() const { return initialParent_; }
    void SetInitialParent(const QString& v) { initialParent_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // Shown as the widget's tool tip.
    QString HelpTag() const { return helpTag_; }
    void SetHelpTag(const QString& v);
    bool AutoDeactivate() const { return autoDeactivate_; }
    void SetAutoDeactivate(bool v) { autoDeactivate_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    QString BalloonHelp() const { return balloonHelp_; }
    void SetBalloonHelp(const QString& v) { balloonHelp_ = v; }
    QString DisabledBalloonHelp() const { return disabledBalloonHelp_; }
    void SetDisabledBalloonHelp(const QString& v) { disabledBalloonHelp_ = v; }

    // Accept drops of files whose extension belongs to one of the registered file
    // types named in the filter ("JPEG image;PNG image;"). Adds to earlier calls.
    void AcceptFileDrop(const QString& fileTypeFilter);
    void AcceptPictureDrop();

    // Moves the control by the window's change of size, by its locks.
    void followWindowResize(int32_t dWidth, int32_t dHeight);
    void attachToWindow(Window* window) override;
    QWidget* widget() const { return widget_; }

protected:
    // The kind's widget; the control owns it (through the window's content once attached).
    explicit RectControl(QWidget* widget);
    // After the box's width or height changed.
    virtual void boxResized() {}

private:
    friend class RectControlFilter;
    bool mousePress(int32_t x, int32_t y);
    void mouseRelease(int32_t x, int32_t y);
    void mouseLeave();
    bool dropWanted(const QMimeData* data) const;
    void drop(const QMimeData* data, int32_t action);
    void applyGeometry();

    QPointer<QWidget> widget_;
    RectControlFilter* filter_ = nullptr;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool lockLeft_ = false, lockTop_ = false, lockRight_ = false, lockBottom_ = false;
    int32_t tabPanelIndex_ = 0;
    QString initialParent_;
    bool visible_ = true;
    QString helpTag_;
    bool autoDeactivate_ = true;
    bool enabled_ = true;
    QString balloonHelp_, disabledBalloonHelp_;
    bool mouseClaimed_ = false;
    QStringList dropFileTypes_;
    bool dropPictures_ = false;
};
using RectControlPtr = std::shared_ptr<RectControl>;
