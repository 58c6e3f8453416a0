#pragma once
// Two small arrow buttons, one above the other: Up and Down events (repeating
// while held).
#include "framework/ui/RectControl.h"

class QToolButton;

class UpDownArrows : public RectControl {
public:
    UpDownArrows();
    QString KindName() const override { return QStringLiteral("UpDownArrows"); }
    bool AcceptFocus() const { return acceptFocus_; }
    void SetAcceptFocus(bool v);
    // Click the upper or lower arrow as the user would.
    void PressUp();
    void PressDown();

private:
    QToolButton* up_;
    QToolButton* down_;
    bool acceptFocus_ = false;
};
using UpDownArrowsPtr = std::shared_ptr<UpDownArrows>;
