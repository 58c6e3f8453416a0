#pragma once
// Every long loop of the program yields to the event loop once per pass. A
// yield lets the window repaint and the platform breathe but starts none of
// our handlers, and it costs next to nothing when called again within 10 ms.
#include <cstdint>

void Yield();
// Test seam: the least time between two passes of the event loop (10 ms;
// 0 makes every call a pass, for tests that look at what runs at a yield).
void SetYieldIntervalForTesting(int32_t milliseconds);
