#include "platform/values/DateTime.h"

#include <cmath>
#include <optional>

namespace platform {
namespace {

constexpr qint64 secondsPerDay = 86400;

qint64 dayZero() {
    return QDate(1899, 12, 30).toJulianDay();
}

constexpr qint64 firstDay = DateTime::FirstDay;
constexpr qint64 endDay = DateTime::EndDay;

// Whole seconds since day 0, none for a value that is no date; every split into day and time goes through
// this, so they always agree. The range is checked before the rounding cast.
std::optional<qint64> totalSeconds(double days) {
    if (!(days > double(firstDay - 1) && days < double(endDay + 1)))
        return std::nullopt;
    const qint64 seconds = std::llround(days * secondsPerDay);
    if (seconds < firstDay * secondsPerDay || seconds >= endDay * secondsPerDay)
        return std::nullopt;
    return seconds;
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

bool DateTime::isValidAtTheEdges() const {
    return totalSeconds(days_).has_value();
}

QDate DateTime::date() const {
    const auto total = totalSeconds(days_);
    return total ? QDate::fromJulianDay(dayZero() + floorDiv(*total, secondsPerDay)) : QDate();
}

QTime DateTime::time() const {
    const auto total = totalSeconds(days_);
    if (!total)
        return QTime();
    const qint64 second = *total - floorDiv(*total, secondsPerDay) * secondsPerDay;
    return QTime(0, 0).addSecs(int(second));
}

bool DateTime::hasTimeOfDay() const {
    const QTime t = time();
    return t.isValid() && t != QTime(0, 0);
}

bool DateTime::isTimeOnly() const {
    const auto total = totalSeconds(days_);
    return total && floorDiv(*total, secondsPerDay) == 0;
}

} // namespace platform
