#include "framework/ui/Rectangle.h"

#include <QPainter>

namespace {

QColor qcolor(Color c) { return QColor(c.red, c.green, c.blue); }

class RectangleWidget : public QWidget {
public:
    explicit RectangleWidget(const Rectangle* shape) : shape_(shape) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), qcolor(shape_->FillColor()));
        const int b = std::min({std::max(0, shape_->BorderWidth()), width() / 2, height() / 2});
        if (b == 0) return;
        const QColor topLeft = qcolor(shape_->TopLeftColor());
        const QColor bottomRight = qcolor(shape_->BottomRightColor());
        painter.fillRect(0, 0, width(), b, topLeft);
        painter.fillRect(0, 0, b, height(), topLeft);
        painter.fillRect(0, height() - b, width(), b, bottomRight);
        painter.fillRect(width() - b, 0, b, height(), bottomRight);
    }

private:
    const Rectangle* shape_;
};

}  // namespace

Rectangle::Rectangle() : RectControl(new RectangleWidget(this)) {
    DeclareColor("FillColor", &Rectangle::FillColor, &Rectangle::SetFillColor);
    DeclareInt32("BorderWidth", &Rectangle::BorderWidth, &Rectangle::SetBorderWidth);
    DeclareColor("TopLeftColor", &Rectangle::TopLeftColor, &Rectangle::SetTopLeftColor);
    DeclareColor("BottomRightColor", &Rectangle::BottomRightColor, &Rectangle::SetBottomRightColor);
}

void Rectangle::SetFillColor(Color c) {
    fillColor_ = c;
    if (widget()) widget()->update();
}

void Rectangle::SetBorderWidth(int32_t v) {
    borderWidth_ = v;
    if (widget()) widget()->update();
}

void Rectangle::SetTopLeftColor(Color c) {
    topLeftColor_ = c;
    if (widget()) widget()->update();
}

void Rectangle::SetBottomRightColor(Color c) {
    bottomRightColor_ = c;
    if (widget()) widget()->update();
}
