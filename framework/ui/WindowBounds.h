#pragma once
// What the preferences store needs of a window: its rectangle, read and set.
// Window implements it; tests may use a plain implementation.
#include <cstdint>

class WindowBounds {
public:
    virtual ~WindowBounds() = default;
    virtual int32_t Top() const = 0;
    virtual int32_t Left() const = 0;
    virtual int32_t Height() const = 0;
    virtual int32_t Width() const = 0;
    virtual void SetTop(int32_t) = 0;
    virtual void SetLeft(int32_t) = 0;
    virtual void SetHeight(int32_t) = 0;
    virtual void SetWidth(int32_t) = 0;
};
