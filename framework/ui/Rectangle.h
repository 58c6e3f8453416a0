#pragma once
// A filled rectangle whose border is drawn in TopLeftColor on the top and left
// edges and in BottomRightColor on the bottom and right edges.
#include "framework/ui/RectControl.h"

class Rectangle : public RectControl {
public:
    Rectangle();
    QString KindName() const override { return QStringLiteral("Rectangle"); }
    Color FillColor() const { return fillColor_; }
    void SetFillColor(Color c);
    int32_t BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int32_t v);
    Color TopLeftColor() const { return topLeftColor_; }
    void SetTopLeftColor(Color c);
    Color BottomRightColor() const { return bottomRightColor_; }
    void SetBottomRightColor(Color c);

private:
    Color fillColor_ = RGB(255, 255, 255);
    int32_t borderWidth_ = 1;
    Color topLeftColor_ = RGB(0, 0, 0), bottomRightColor_ = RGB(0, 0, 0);
};
using RectanglePtr = std::shared_ptr<Rectangle>;
