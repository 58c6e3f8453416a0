#pragma once
// A disclosure triangle: Value True is open (pointing down). Action when the
// user clicks it, and at once when code sets Value to a different value
// (setting the same value raises nothing). Facing 0 points right when closed,
// 1 left.
#include "framework/ui/RectControl.h"

class QToolButton;

class DisclosureTriangle : public RectControl {
public:
    DisclosureTriangle();
    QString KindName() const override { return QStringLiteral("DisclosureTriangle"); }
    bool Value() const { return value_; }
    void SetValue(bool v);
    int32_t Facing() const { return facing_; }
    void SetFacing(int32_t v);
    bool AcceptFocus() const { return acceptFocus_; }
    void SetAcceptFocus(bool v);

private:
    void showArrow();
    QToolButton* button_;
    bool value_ = false;
    int32_t facing_ = 0;
    bool acceptFocus_ = false;
};
using DisclosureTrianglePtr = std::shared_ptr<DisclosureTriangle>;
