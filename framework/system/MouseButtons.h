#pragma once
// Whether a mouse button is down anywhere on the display, pressed over our
// windows or another application's (a drag from a file manager). On X11 the
// server is asked; elsewhere only presses seen by this application count.

bool MouseButtonHeld();
// Test seam: with on, MouseButtonHeld answers held; SetMouseButtonHeldForTesting(false)
// gives the real state back.
void SetMouseButtonHeldForTesting(bool on, bool held = false);
