#pragma once
// Two small arrow buttons, one above the other: Up and Down events (repeating
// while held).
#include "framework/ui/RectControl.h"

class UpDownArrows : public RectControl {
public:
    UpDownArrows();
    QString KindName() const override { return QStringLiteral("UpDownArrows"); }
    bool AcceptFocus() const { return acceptFocus_; }
    void SetAcceptFocus(bool v);

private:
    bool acceptFocus_ = false;
};
using UpDownArrowsPtr = std::shared_ptr<UpDownArrows>;
