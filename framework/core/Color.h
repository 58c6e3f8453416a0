#pragma once
// An opaque RGB colour with 8-bit components, a small value type.
#include <cstdint>

struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    constexpr int32_t Red() const { return red; }
    constexpr int32_t Green() const { return green; }
    constexpr int32_t Blue() const { return blue; }
    // The 24-bit value: red in bits 16..23, green in 8..15, blue in 0..7.
    constexpr uint32_t Value() const { return (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue; }

    friend constexpr bool operator==(const Color&, const Color&) = default;
};

// Components outside 0..255 (possible only from a file we did not write) are clamped.
constexpr Color RGB(int32_t r, int32_t g, int32_t b) {
    auto clamp = [](int32_t v) { return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return Color{clamp(r), clamp(g), clamp(b)};
}
