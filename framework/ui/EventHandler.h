#pragma once
// Event handlers bound by name to one control instance. The alternatives are the
// signatures of the framework's control events:
//   void()                          Action, Change, Up, Down, MouseExit
//   bool(int32_t x, int32_t y)      MouseDown (True claims the click)
//   void(int32_t x, int32_t y)      MouseUp
//   void(DragItemPtr, int32_t)      DropObject
#include <cstdint>
#include <functional>
#include <memory>
#include <variant>

class DragItem;
using DragItemPtr = std::shared_ptr<DragItem>;

using EventHandler = std::variant<std::function<void()>, std::function<bool(int32_t, int32_t)>,
                                  std::function<void(int32_t, int32_t)>,
                                  std::function<void(DragItemPtr, int32_t)>>;

// A handler made of a window's method and the window: Delegate(this, &Window1::PopupMenu1_Change).
// The window owns its controls, so it outlives every handler bound to them.
template <class W, class R, class... A>
EventHandler Delegate(W* window, R (W::*method)(A...)) {
    return EventHandler(std::function<R(A...)>([window, method](A... args) -> R {
        return (window->*method)(args...);
    }));
}
