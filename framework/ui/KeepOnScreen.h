#pragma once
// Brings a window that reaches past the available area of its screen back onto
// it. Its screen is the one whose available area holds most of the window,
// else the main screen. The window moves left and up as far as it must and
// keeps its size where it fits; where it does not, it takes the area's top-left
// corner and, when resize is true, the area's size too. Only what changes is
// set; the rectangle is the content area, in window coordinates.
#include "framework/ui/WindowBounds.h"

void keepOnScreen(WindowBounds& window, bool resize);
