#pragma once
// A date as a count of seconds (since 1904-01-01 00:00 local time, the epoch the
// preferences file has always used). Shared by reference: whoever holds the
// pointer sees every change.
#include <memory>

class Date {
public:
    Date();  // now
    double TotalSeconds() const { return totalSeconds_; }
    void SetTotalSeconds(double s) { totalSeconds_ = s; }

private:
    double totalSeconds_ = 0;
};

using DatePtr = std::shared_ptr<Date>;
