#include "framework/ui/RoundRectangle.h"

#include <QPainter>

namespace {

QColor qcolor(Color c) { return QColor(c.red, c.green, c.blue); }

class RoundRectangleWidget : public QWidget {
public:
    explicit RoundRectangleWidget(const RoundRectangle* shape) : shape_(shape) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int border = std::max(0, shape_->BorderWidth());
        const qreal inset = border / 2.0;
        const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        painter.setPen(border > 0 ? QPen(qcolor(shape_->BorderColor()), border) : QPen(Qt::NoPen));
        painter.setBrush(qcolor(shape_->FillColor()));
        painter.drawRoundedRect(box, shape_->OvalWidth() / 2.0, shape_->OvalHeight() / 2.0);
    }

private:
    const RoundRectangle* shape_;
};

}  // namespace

RoundRectangle::RoundRectangle() : RectControl(new RoundRectangleWidget(this)) {
    DeclareColor("FillColor", &RoundRectangle::FillColor, &RoundRectangle::SetFillColor);
    DeclareInt32("BorderWidth", &RoundRectangle::BorderWidth, &RoundRectangle::SetBorderWidth);
    DeclareColor("BorderColor", &RoundRectangle::BorderColor, &RoundRectangle::SetBorderColor);
    DeclareInt32("OvalWidth", &RoundRectangle::OvalWidth, &RoundRectangle::SetOvalWidth);
    DeclareInt32("OvalHeight", &RoundRectangle::OvalHeight, &RoundRectangle::SetOvalHeight);
}

void RoundRectangle::SetFillColor(Color c) {
    fillColor_ = c;
    if (widget()) widget()->update();
}

void RoundRectangle::SetBorderWidth(int32_t v) {
    borderWidth_ = v;
    if (widget()) widget()->update();
}

void RoundRectangle::SetBorderColor(Color c) {
    borderColor_ = c;
    if (widget()) widget()->update();
}

void RoundRectangle::SetOvalWidth(int32_t v) {
    ovalWidth_ = v;
    if (widget()) widget()->update();
}

void RoundRectangle::SetOvalHeight(int32_t v) {
    ovalHeight_ = v;
    if (widget()) widget()->update();
}
