#include "common/MonthTables.h"

#include <QDate>
#include <gtest/gtest.h>
#include <string>

namespace {

struct MonthCase {
    qint32 year;
    qint16 month;
    qint32 dayNumber;
    qint16 firstWeekday;
    qint16 length;
};

class ComputeMonthStartExamples : public testing::TestWithParam<MonthCase> {};

TEST_P(ComputeMonthStartExamples, GivesDayNumberWeekdayAndLength) {
    const MonthCase c = GetParam();
    common::MonthTables tables;
    tables.fill();
    const auto start = common::ComputeMonthStart(tables.DaysInMonth, c.year, c.month);
    EXPECT_EQ(start.DayNumber, c.dayNumber);
    EXPECT_EQ(start.FirstWeekday, c.firstWeekday);
    EXPECT_EQ(tables.DaysInMonth[c.month - 1], c.length);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ComputeMonthStartExamples,
                         testing::Values(MonthCase{1, 1, 1, 1, 31}, MonthCase{1995, 1, 728294, 0, 31},
                                         MonthCase{2000, 2, 730151, 2, 29}, MonthCase{2003, 3, 731275, 6, 31},
                                         MonthCase{2003, 5, 731336, 4, 31}, MonthCase{2004, 2, 731612, 0, 29},
                                         MonthCase{2015, 2, 735630, 0, 28}, MonthCase{2100, 2, 766676, 1, 28},
                                         // March of a leap year counts 29 days for February.
                                         MonthCase{2004, 3, 731641, 1, 31},
                                         MonthCase{2003, 12, 731550, 1, 31}),
                         [](const testing::TestParamInfo<MonthCase>& instance) {
                             return "Y" + std::to_string(instance.param.year) + "_M" +
                                    std::to_string(instance.param.month);
                         });

TEST(ComputeMonthStart, AgreesWithTheCalendarForEveryMonthOfManyYears) {
    common::MonthTables tables;
    tables.fill();
    for (qint32 year = 1995; year <= 2100; ++year) {
        for (qint16 month = 1; month <= 12; ++month) {
            const auto start = common::ComputeMonthStart(tables.DaysInMonth, year, month);
            const QDate first(year, month, 1);
            ASSERT_EQ(start.FirstWeekday, first.dayOfWeek() % 7) << year << "/" << month;
            ASSERT_EQ(tables.DaysInMonth[month - 1], first.daysInMonth()) << year << "/" << month;
        }
    }
}

TEST(ComputeMonthStart, HoldsForEveryYearARepeatOfTheFourHundredYearCycleAway) {
    // 400 Gregorian years are 146097 days, a whole number of weeks.
    common::MonthTables tables;
    tables.fill();
    for (const qint32 year : {2'147'483'647, 5'879'611, 1'000'000}) {
        const qint32 cycles = (year - 1) / 400;
        for (const qint16 month : {qint16(1), qint16(2), qint16(12)}) {
            const auto start = common::ComputeMonthStart(tables.DaysInMonth, year, month);
            const qint16 length = tables.DaysInMonth[month - 1];
            const auto early = common::ComputeMonthStart(tables.DaysInMonth, year - 400 * cycles, month);
            EXPECT_EQ(start.DayNumber, early.DayNumber + qint64(cycles) * 146097) << year << "/" << month;
            EXPECT_EQ(start.FirstWeekday, early.FirstWeekday) << year << "/" << month;
            EXPECT_EQ(length, tables.DaysInMonth[month - 1]) << year << "/" << month;
        }
    }
}

TEST(ComputeMonthStart, FebruaryKeepsTheLastComputedYearAndOtherMonthsNeverChange) {
    common::MonthTables tables;
    tables.fill();
    const auto before = tables.DaysInMonth;
    common::ComputeMonthStart(tables.DaysInMonth, 2004, 7);
    EXPECT_EQ(tables.DaysInMonth[1], 29);
    common::ComputeMonthStart(tables.DaysInMonth, 2004, 1);
    EXPECT_EQ(tables.DaysInMonth[1], 29);
    common::ComputeMonthStart(tables.DaysInMonth, 2003, 1);
    EXPECT_EQ(tables.DaysInMonth[1], 28);
    for (int i = 0; i < 12; ++i) {
        if (i != 1) {
            EXPECT_EQ(tables.DaysInMonth[i], before[i]) << i;
        }
    }
}

} // namespace
