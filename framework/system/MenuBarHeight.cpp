#include "framework/system/MenuBarHeight.h"

#include "framework/system/Screens.h"

int32_t GetThemeMenuBarHeight(const MemoryBlockPtr& block) {
    constexpr int32_t kNoErr = 0, kParamErr = -50, kClassicHeight = 22;
    if (!block || block->Size() < 2) return kParamErr;
    int32_t height = kClassicHeight;
    if (const ScreenPtr main = Screen(0); main && main->TopInset() > 0) height = main->TopInset();
    block->SetShort(0, height);
    return kNoErr;
}
