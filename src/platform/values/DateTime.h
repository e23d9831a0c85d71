#pragma once

#include <QDate>
#include <QTime>
#include <compare>

namespace platform {

// The one date/time value of the data layer: days since 1899-12-30 with the time of day as the fraction.
// A date alone has no fraction; a time alone lies on day 0. The fraction is always the part above the
// floor, so equality and order are simply those of the number, also for days before day 0.
class DateTime {
public:
    constexpr DateTime() = default;
    constexpr explicit DateTime(double days) : days_(days) {}

    static DateTime fromDate(const QDate& date);
    static DateTime fromTime(const QTime& time);
    static DateTime fromDateAndTime(const QDate& date, const QTime& time);

    constexpr double days() const { return days_; }
    // Whether the value, taken to the nearest second, falls in the years 1 to 9999: the moments a date text
    // can name and be read back from. Any other number (huge, NaN, an infinity) is no date: it has no day,
    // no time of day and no text.
    bool isValid() const {
        // Well inside the years 1 to 9999 no rounding can take a value out of them.
        return (days_ > double(FirstDay + 1) && days_ < double(EndDay - 1)) || isValidAtTheEdges();
    }
    // The calendar day and the time of day, the time taken to the nearest whole second; QDate() and QTime()
    // for a value that is no date.
    QDate date() const;
    QTime time() const;
    bool hasTimeOfDay() const;
    bool isTimeOnly() const;

    friend constexpr bool operator==(DateTime a, DateTime b) { return a.days_ == b.days_; }
    friend constexpr auto operator<=>(DateTime a, DateTime b) { return a.days_ <=> b.days_; }

    // 0001-01-01, and 10000-01-01, as day numbers.
    static constexpr qint64 FirstDay = -693593;
    static constexpr qint64 EndDay = 2958466;

private:
    bool isValidAtTheEdges() const;
    double days_ = 0;
};

} // namespace platform
