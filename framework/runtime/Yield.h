#pragma once
// Every long loop of the program yields to the event loop once per pass. A
// yield lets the window repaint and the platform breathe but starts none of
// our handlers, and it costs next to nothing when called again within 10 ms.
#include <cstdint>

void Yield();
// The least time between two passes of the event loop: 10 ms unless set
// (0 makes every call a pass, as tests that look at what runs at a yield want).
void SetYieldInterval(int32_t milliseconds);
