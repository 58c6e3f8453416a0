#pragma once
// A block of bytes with typed access at byte offsets (big-endian). Reads and
// writes outside the block do nothing and read as 0.
#include <QByteArray>
#include <cstdint>
#include <memory>

class MemoryBlock {
public:
    explicit MemoryBlock(int32_t size) : bytes_(size > 0 ? size : 0, '\0') {}
    int32_t Size() const { return int32_t(bytes_.size()); }
    // Signed 16-bit value at a byte offset.
    int32_t Short(int32_t offset) const;
    void SetShort(int32_t offset, int32_t value);
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

using MemoryBlockPtr = std::shared_ptr<MemoryBlock>;
inline MemoryBlockPtr NewMemoryBlock(int32_t size) { return std::make_shared<MemoryBlock>(size); }
