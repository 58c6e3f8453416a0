#pragma once
// A timer (not a visible control). Mode 0 off, 1 a single Action after Period
// milliseconds (Mode then returns to 0), 2 an Action every Period milliseconds.
// A tick that falls while another handler runs is skipped.
#include <memory>

#include "framework/ui/Control.h"

class QTimer;

class Timer : public Control {
public:
    Timer();
    ~Timer() override;
    QString KindName() const override { return QStringLiteral("Timer"); }
    int32_t Mode() const { return mode_; }
    void SetMode(int32_t v);
    int32_t Period() const { return period_; }
    // Restarts a running timer with the new period.
    void SetPeriod(int32_t v);

private:
    void restart();
    std::unique_ptr<QTimer> timer_;
    int32_t mode_ = 0;
    int32_t period_ = 1000;
};
using TimerPtr = std::shared_ptr<Timer>;
