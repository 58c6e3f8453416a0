#include "framework/ui/Timer.h"

#include <QTimer>

#include "framework/runtime/HandlerScope.h"

Timer::Timer() : timer_(std::make_unique<QTimer>()) {
    DeclareInt32("Mode", &Timer::Mode, &Timer::SetMode);
    DeclareInt32("Period", &Timer::Period, &Timer::SetPeriod);
    DeclareEvent("Action", EventKind::Plain);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
        // Handlers run one at a time: a tick that falls while one runs (the
        // timer fires inside its Yield) is dropped; a single Action waits.
        if (handlerRunning()) {
            if (mode_ == 1) timer_->start(10);
            return;
        }
        if (mode_ == 1) {
            mode_ = 0;
            timer_->stop();
        }
        RaiseFromUser(QStringLiteral("Action"));
    });
    restart();
}

Timer::~Timer() = default;

void Timer::restart() {
    timer_->stop();
    if (mode_ != 1 && mode_ != 2) return;
    timer_->setSingleShot(mode_ == 1);
    timer_->start(std::max<int32_t>(1, period_));
}

void Timer::SetMode(int32_t v) {
    if (v == mode_ && timer_->isActive()) return;  // setting the same mode does not reset the period
    mode_ = v;
    restart();
}

void Timer::SetPeriod(int32_t v) {
    period_ = v;
    if (timer_->isActive()) restart();
}
