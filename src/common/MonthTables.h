#pragma once

#include <QString>
#include <array>

namespace common {

// The month tables a window owns. February's entry is rewritten by every ComputeMonthStart and keeps the
// value of the year last computed.
struct MonthTables {
    std::array<qint16, 12> DaysInMonth{};
    std::array<QString, 12> MonthAbbr;

    // 31, 28, 31, 30, ... and "Jan" to "Dec".
    void fill();
};

struct MonthStart {
    // 0001-01-01 of the proleptic Gregorian calendar is day 1; 64 bits, since the day numbers of the later
    // 32-bit years do not fit in 32.
    qint64 DayNumber = 0;
    qint16 FirstWeekday = 0; // 0 = Sunday .. 6 = Saturday
};

// Sets February of DaysInMonth for SelYear (year >= 1), then gives the day number and weekday of the 1st of
// SelMonth (1..12). The month's length afterwards is DaysInMonth[SelMonth - 1].
MonthStart ComputeMonthStart(std::array<qint16, 12>& DaysInMonth, qint32 SelYear, qint16 SelMonth);

} // namespace common
