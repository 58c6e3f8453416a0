#pragma once
// The events a user's mouse would deliver to a control: Qt events sent to its
// widget, so that the control's own handling (the claim rule, the drop filter)
// applies. And what else the program hears from Qt: a row picked in a pop-up
// menu, a timer running out, another application coming to the front.
#include <QMimeData>
#include <cstdint>

#include "framework/ui/PopupMenu.h"
#include "framework/ui/RectControl.h"
#include "framework/ui/Timer.h"
#include "framework/ui/UpDownArrows.h"

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
// A click on a button, check box, bevel button or disclosure triangle (Qt's
// own click: a disabled one ignores it).
void SimulateClick(RectControl& button);
// A click on the upper or the lower arrow.
void SimulatePressUp(UpDownArrows& arrows);
void SimulatePressDown(UpDownArrows& arrows);
// Picks the row as the user would in the open menu: nothing when the menu is
// disabled or has no such row, no Change when the row is already chosen.
void SimulateUserSelect(PopupMenu& popup, int32_t row);
// Lets the timer run out once, through its own QTimer, and waits until its
// Action has run (at most 3 s; false if it never did). The timer is then off
// (Mode 0), as after any single Action; its Period stays.
bool SimulateTimerExpiry(Timer& timer);
