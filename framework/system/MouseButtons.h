#pragma once
// Whether a mouse button is down anywhere on the display, pressed over our
// windows or another application's (a drag from a file manager). On X11 the
// server is asked; elsewhere only presses seen by this application count.
// The current Platform's answer (CurrentPlatform().MouseButtonHeld()).

bool MouseButtonHeld();
// What the display says, whatever platform is current (QtPlatform's answer).
bool DisplayMouseButtonHeld();
