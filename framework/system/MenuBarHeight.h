#pragma once
// The height of the system's menu bar, written as a signed 16-bit value at
// offset 0 of the block (MemoryBlock::Short(0)). Here it is the top inset of
// the main screen's available area in device pixels (ScreenInfo::TopInset)
// when the platform reports one (a top panel), else 22. Returns 0, or -50 when the block is Nil or
// smaller than 2 bytes (nothing is written then).
#include <cstdint>

#include "framework/core/MemoryBlock.h"

int32_t GetThemeMenuBarHeight(const MemoryBlockPtr& block);
