#include "framework/runtime/Yield.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
int32_t interval = 10;
}

// Long loops call this once per pass, millions of times for a small tile on a
// big screen, so a pass of the event loop is made at most every 10 ms. User
// input stays queued until the running handler returns; timers of ours that
// fire meanwhile see a handler running and skip their tick.
void Yield() {
    if (!QCoreApplication::instance()) return;
    static QElapsedTimer sinceLastPass;
    if (sinceLastPass.isValid() && sinceLastPass.elapsed() < interval) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceLastPass.start();
}

void SetYieldIntervalForTesting(int32_t milliseconds) { interval = milliseconds; }
