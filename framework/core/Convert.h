#pragma once
// The one conversion from Double to Int32 used everywhere in the program:
// round to nearest, halves away from zero; out-of-range values saturate, NaN gives 0.
#include <cstdint>

int32_t Int(double value);
