#include "framework/runtime/HandlerScope.h"

#include <QCoreApplication>
#include <QTimer>
#include <vector>

namespace {

int depth = 0;

// Never destroyed: the waiting calls hold objects of the program's.
std::vector<std::function<void()>>& waiting() {
    static auto* calls = new std::vector<std::function<void()>>;
    return *calls;
}

void runWaiting() {
    if (depth > 0) return;  // a later scope's end posts this again
    std::vector<std::function<void()>> calls;
    calls.swap(waiting());
    for (const auto& call : calls) call();
}

}  // namespace

HandlerScope::HandlerScope() { ++depth; }

HandlerScope::~HandlerScope() {
    // Back in the event loop first: the handler's caller may still be on the stack.
    if (--depth == 0 && !waiting().empty() && QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), runWaiting);
}

ModalLoopScope::ModalLoopScope() : saved_(depth) { depth = 0; }

ModalLoopScope::~ModalLoopScope() { depth = saved_; }

bool handlerRunning() { return depth > 0; }

void runAfterHandlers(std::function<void()> call) {
    if (depth == 0) {
        call();
        return;
    }
    waiting().push_back(std::move(call));
}
