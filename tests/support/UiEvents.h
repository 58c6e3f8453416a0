#pragma once
// The events a user's mouse would deliver to a control: Qt events sent to its
// widget, so that the control's own handling (the claim rule, the drop filter)
// applies. And the word Qt gives when the user brings another application to
// the front or ours again.
#include <QMimeData>
#include <cstdint>

#include "framework/ui/RectControl.h"

void SimulateMouseDown(RectControl& control, int32_t x, int32_t y);
void SimulateMouseUp(RectControl& control, int32_t x, int32_t y);
void SimulateMouseExit(RectControl& control);
// True when the drop was accepted (and DropObject raised).
bool SimulateDrop(RectControl& control, const QMimeData& data);
// Qt's applicationStateChanged, as when our application comes to the front
// (true) or another one does (false). The runtime acts on a deactivation only
// after a moment (focus may be passing between two of our windows); this
// returns once that moment has passed. Call it from the event loop: during a
// handler of ours the change waits until the handler returns.
void SimulateApplicationActive(bool active);
