#pragma once
// The events a user's mouse would deliver to a control: Qt events sent to its
// widget, so that the control's own handling (the claim rule, the drop filter)
// applies.
#include <QMimeData>
#include <cstdint>

#include "framework/ui/RectControl.h"

void SimulateMouseDown(RectControl& control, int32_t x, int32_t y);
void SimulateMouseUp(RectControl& control, int32_t x, int32_t y);
void SimulateMouseExit(RectControl& control);
// True when the drop was accepted (and DropObject raised).
bool SimulateDrop(RectControl& control, const QMimeData& data);
