#include "framework/core/MemoryBlock.h"

int32_t MemoryBlock::Short(int32_t offset) const {
    if (offset < 0 || offset + 2 > bytes_.size()) return 0;
    const auto hi = uint8_t(bytes_[offset]), lo = uint8_t(bytes_[offset + 1]);
    return int16_t(uint16_t(hi << 8 | lo));
}

void MemoryBlock::SetShort(int32_t offset, int32_t value) {
    if (offset < 0 || offset + 2 > bytes_.size()) return;
    bytes_[offset] = char(uint16_t(value) >> 8);
    bytes_[offset + 1] = char(uint16_t(value) & 0xFF);
}
