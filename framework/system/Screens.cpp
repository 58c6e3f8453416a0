#include "framework/system/Screens.h"

#include "framework/system/Platform.h"

int32_t ScreenCount() { return int32_t(CurrentPlatform().Screens().size()); }

ScreenPtr Screen(int32_t index) {
    const auto all = CurrentPlatform().Screens();
    if (index < 0 || index >= int32_t(all.size())) return nullptr;
    return std::make_shared<const ScreenInfo>(all[size_t(index)]);
}
