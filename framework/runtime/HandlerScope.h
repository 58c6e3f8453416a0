#pragma once
// Handlers of ours run one at a time. Every dispatch of an event to a handler
// (a control's event, a menu choice, a window's or the application's event)
// runs inside a HandlerScope, so the framework knows when one is under way:
// Yield then starts no other, and a timer tick that falls meanwhile is dropped.
#include <functional>

class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

// Around a modal loop of ours (a window shown with ShowModal): the loop takes
// the user's input, and the handlers it starts run as if no other ran (the one
// that opened the loop waits for it), so its close button and timers work.
class ModalLoopScope {
public:
    ModalLoopScope();
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;

private:
    int saved_;
};

// True while a handler of ours runs (at any depth).
bool handlerRunning();
// Runs the call now when no handler runs; otherwise once the running handler
// has returned to the event loop (for events that must not be lost, such as a
// window's activation or its close button).
void runAfterHandlers(std::function<void()> call);
