#pragma once
// A line: horizontal, or vertical when the control is taller than wide.
#include "framework/ui/RectControl.h"

class Separator : public RectControl {
public:
    Separator();
    QString KindName() const override { return QStringLiteral("Separator"); }
};
using SeparatorPtr = std::shared_ptr<Separator>;
