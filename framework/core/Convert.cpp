#include "framework/core/Convert.h"

#include <cmath>
#include <limits>

int32_t Int(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::round(value);  // halves away from zero
    if (r >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (r <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return int32_t(r);
}
