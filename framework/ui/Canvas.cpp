#include "framework/ui/Canvas.h"

#include <QPainter>

namespace {

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(const Canvas* canvas) : canvas_(canvas) {}

protected:
    void paintEvent(QPaintEvent*) override {
        const PicturePtr backdrop = canvas_->Backdrop();
        if (!backdrop || backdrop->Image().isNull()) return;
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), backdrop->Image());
    }

private:
    const Canvas* canvas_;
};

}  // namespace

Canvas::Canvas() : RectControl(new CanvasWidget(this)) {
    DeclareBoolean("AcceptTabs", &Canvas::AcceptTabs, &Canvas::SetAcceptTabs);
    DeclareBoolean("AcceptFocus", &Canvas::AcceptFocus, &Canvas::SetAcceptFocus);
    DeclareBoolean("UseFocusRing", &Canvas::UseFocusRing, &Canvas::SetUseFocusRing);
    SetAcceptFocus(false);
}

void Canvas::SetBackdrop(PicturePtr p) {
    backdrop_ = std::move(p);
    if (widget()) widget()->update();
}

void Canvas::SetAcceptFocus(bool v) {
    acceptFocus_ = v;
    if (widget()) widget()->setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus);
}
