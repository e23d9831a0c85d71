#include "common/MonthTables.h"

namespace common {

void MonthTables::fill() {
    DaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    MonthAbbr = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
                 QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
                 QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
}

MonthStart ComputeMonthStart(std::array<qint16, 12>& DaysInMonth, qint32 SelYear, qint16 SelMonth) {
    const qint64 before = qint64(SelYear) - 1;
    MonthStart start;
    start.DayNumber = before * 365 + before / 4 - before / 100 + before / 400;
    const bool leap = (SelYear % 4 == 0 && SelYear % 100 != 0) || SelYear % 400 == 0;
    DaysInMonth[1] = leap ? 29 : 28;
    for (int i = 0; i <= SelMonth - 2; ++i)
        start.DayNumber += DaysInMonth[i];
    start.DayNumber += 1;
    start.FirstWeekday = qint16(start.DayNumber % 7);
    return start;
}

} // namespace common
