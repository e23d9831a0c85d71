#include "platform/values/DateTime.h"

#include <cmath>

namespace platform {
namespace {

constexpr qint64 secondsPerDay = 86400;

qint64 dayZero() {
    return QDate(1899, 12, 30).toJulianDay();
}

// Whole seconds since day 0; every split into day and time goes through this, so they always agree.
qint64 totalSeconds(double days) {
    return std::llround(days * secondsPerDay);
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

DateTime DateTime::fromDate(const QDate& date) {
    return DateTime(double(date.toJulianDay() - dayZero()));
}

DateTime DateTime::fromTime(const QTime& time) {
    return DateTime(double(QTime(0, 0).secsTo(time)) / double(secondsPerDay));
}

DateTime DateTime::fromDateAndTime(const QDate& date, const QTime& time) {
    return DateTime(fromDate(date).days() + fromTime(time).days());
}

QDate DateTime::date() const {
    return QDate::fromJulianDay(dayZero() + floorDiv(totalSeconds(days_), secondsPerDay));
}

QTime DateTime::time() const {
    const qint64 total = totalSeconds(days_);
    const qint64 second = total - floorDiv(total, secondsPerDay) * secondsPerDay;
    return QTime(0, 0).addSecs(int(second));
}

bool DateTime::hasTimeOfDay() const {
    return time() != QTime(0, 0);
}

bool DateTime::isTimeOnly() const {
    return floorDiv(totalSeconds(days_), secondsPerDay) == 0;
}

} // namespace platform
