#include "framework/core/Date.h"

#include <QDateTime>

Date::Date() {
    static const QDateTime epoch(QDate(1904, 1, 1), QTime(0, 0));
    totalSeconds_ = double(epoch.secsTo(QDateTime::currentDateTime()));
}
