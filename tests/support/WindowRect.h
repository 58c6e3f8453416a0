#pragma once
// A rectangle that only remembers its values: a stand-in for a window where
// no window is at hand (the preferences store's tests, benchmark and fuzz target).
#include "framework/ui/WindowBounds.h"

class WindowRect : public WindowBounds {
public:
    WindowRect() = default;
    WindowRect(int32_t top, int32_t left, int32_t height, int32_t width)
        : top_(top), left_(left), height_(height), width_(width) {}
    int32_t Top() const override { return top_; }
    int32_t Left() const override { return left_; }
    int32_t Height() const override { return height_; }
    int32_t Width() const override { return width_; }
    void SetTop(int32_t v) override { top_ = v; }
    void SetLeft(int32_t v) override { left_ = v; }
    void SetHeight(int32_t v) override { height_ = v; }
    void SetWidth(int32_t v) override { width_ = v; }

private:
    int32_t top_ = 0, left_ = 0, height_ = 0, width_ = 0;
};
