#pragma once
// The keyboard's state at the moment of the call. The Option key of the
// program is the Alt key here.
#include <optional>

namespace Keyboard {

bool AsyncOptionKey();
// Test seam: a fixed answer (std::nullopt gives the real key back).
void SetOptionKeyForTesting(std::optional<bool> down);

}  // namespace Keyboard
