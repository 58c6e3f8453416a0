#include "framework/system/Keyboard.h"

#include "framework/system/Platform.h"

namespace Keyboard {

bool AsyncOptionKey() { return CurrentPlatform().AltKeyDown(); }

}  // namespace Keyboard
