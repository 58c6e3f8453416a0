#include "framework/runtime/Yield.h"

#include <QCoreApplication>
#include <ctime>

#include "framework/runtime/Runtime.h"

namespace {

int32_t interval = 10;

// The coarse clock costs a few nanoseconds (the precise one several times
// more); its few milliseconds of resolution are plenty here.
int64_t nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

// Long loops call this once per pass, millions of times for a small tile on a
// big screen, so a pass of the event loop is made at most every 10 ms. User
// input stays queued until the running handler returns; timers of ours that
// fire meanwhile see a handler running and skip their tick.
void Yield() {
    static int64_t lastPass = INT64_MIN / 2;
    const int64_t now = nowMs();
    // Ending by exit(): processing events would reach the lost display again.
    if (now - lastPass < interval || !QCoreApplication::instance() || runtimeExiting()) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastPass = nowMs();
}

void SetYieldInterval(int32_t milliseconds) { interval = milliseconds; }
