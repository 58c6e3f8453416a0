#pragma once
// A filled rectangle with rounded corners; OvalWidth and OvalHeight are the
// corner oval's full size (a 16 x 16 oval is a radius of 8).
#include "framework/ui/RectControl.h"

class RoundRectangle : public RectControl {
public:
    RoundRectangle();
    QString KindName() const override { return QStringLiteral("RoundRectangle"); }
    Color FillColor() const { return fillColor_; }
    void SetFillColor(Color c);
    int32_t BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int32_t v);
    Color BorderColor() const { return borderColor_; }
    void SetBorderColor(Color c);
    int32_t OvalWidth() const { return ovalWidth_; }
    void SetOvalWidth(int32_t v);
    int32_t OvalHeight() const { return ovalHeight_; }
    void SetOvalHeight(int32_t v);

private:
    Color fillColor_ = RGB(255, 255, 255);
    int32_t borderWidth_ = 1;
    Color borderColor_ = RGB(0, 0, 0);
    int32_t ovalWidth_ = 16, ovalHeight_ = 16;
};
using RoundRectanglePtr = std::shared_ptr<RoundRectangle>;
