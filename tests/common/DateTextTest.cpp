#include "common/DateText.h"
#include "common/DateRecognition.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

using platform::DateTime;

TEST(ShortDateText, WritesYearMonthDayWithoutLeadingZeros) {
    EXPECT_EQ(common::shortDateText(QDate(2003, 5, 7)), "2003/5/7");
    EXPECT_EQ(common::shortDateText(QDate(2003, 12, 31)), "2003/12/31");
    EXPECT_EQ(common::shortDateText(QDate(1995, 1, 1)), "1995/1/1");
}

TEST(TimeOfDayText, UsesTheTwelveHourClockWithTheHalfDayFirst) {
    const std::vector<std::pair<QTime, QString>> cases = {
        {QTime(9, 4, 59), "上午 09:04:59"},   {QTime(13, 30, 0), "下午 01:30:00"},
        {QTime(0, 30, 0), "上午 12:30:00"},   {QTime(12, 30, 0), "下午 12:30:00"},
        {QTime(0, 0, 0), "上午 12:00:00"},    {QTime(11, 59, 59), "上午 11:59:59"},
        {QTime(23, 59, 59), "下午 11:59:59"},
    };
    for (const auto& [time, text] : cases)
        EXPECT_EQ(common::timeOfDayText(time), text) << time.toString().toStdString();
}

TEST(ClockText, NamesTheHalfDayFirstWithoutLeadingZeros) {
    const std::vector<std::pair<QTime, QString>> cases = {
        {QTime(15, 4, 5), "PM 3:4:5"},
        {QTime(0, 30, 7), "AM 12:30:7"},
        {QTime(12, 0, 0), "PM 12:0:0"},
        {QTime(11, 59, 59), "AM 11:59:59"},
    };
    for (const auto& [time, text] : cases)
        EXPECT_EQ(common::clockText(time), text) << time.toString().toStdString();
}

TEST(DateTimeText, WritesTheDateTheTimeOrBoth) {
    EXPECT_EQ(common::dateTimeText(DateTime::fromDate(QDate(2003, 5, 7))), "2003/5/7");
    EXPECT_EQ(common::dateTimeText(DateTime::fromTime(QTime(9, 30))), "上午 09:30:00");
    EXPECT_EQ(common::dateTimeText(DateTime::fromTime(QTime(0, 0))), "上午 12:00:00");
    EXPECT_EQ(common::dateTimeText(DateTime::fromDateAndTime(QDate(2003, 5, 7), QTime(13, 5, 9))),
              "2003/5/7 下午 01:05:09");
}

struct Recognised {
    QString text;
    std::optional<DateTime> value;
};

DateTime day(int y, int m, int d) {
    return DateTime::fromDate(QDate(y, m, d));
}
DateTime at(int h, int m, int s = 0) {
    return DateTime::fromTime(QTime(h, m, s));
}
DateTime dayAt(int y, int mo, int d, int h, int mi, int s = 0) {
    return DateTime::fromDateAndTime(QDate(y, mo, d), QTime(h, mi, s));
}

TEST(RecogniseDateTime, ReadsTheAcceptedFormsAndRefusesTheRest) {
    const std::vector<Recognised> cases = {
        {"2003/5/7", day(2003, 5, 7)},
        {"2003-05-07", day(2003, 5, 7)},
        {" 2003/5/7 ", day(2003, 5, 7)},
        {"2004/2/29", day(2004, 2, 29)},
        {"2003/5/7 9:30", dayAt(2003, 5, 7, 9, 30)},
        {"2003-5-7 23:59:59", dayAt(2003, 5, 7, 23, 59, 59)},
        {"2003/5/7 下午 01:05:09", dayAt(2003, 5, 7, 13, 5, 9)},
        {"9:30", at(9, 30)},
        {"0:0", at(0, 0)},
        {"9:0", at(9, 0)},
        {"23:59:59", at(23, 59, 59)},
        {"07:05", at(7, 5)},
        {"上午 09:04:59", at(9, 4, 59)},
        {"下午 01:30:00", at(13, 30)},
        {"上午 12:30:00", at(0, 30)},
        {"下午 12:30:00", at(12, 30)},
        {"1:30 PM", at(13, 30)},
        {"12:00 am", at(0, 0)},
        {"下午3:15", at(15, 15)},
        // short years fall in 1930..2029; three or four digits are the year as written
        {"03/5/7", day(2003, 5, 7)},
        {"3-5-7", day(2003, 5, 7)},
        {"29/12/31", day(2029, 12, 31)},
        {"30/1/1", day(1930, 1, 1)},
        {"00/2/29", day(2000, 2, 29)},
        {"103/5/7", day(103, 5, 7)},
        {"0003/5/7", day(3, 5, 7)},
        // not dates
        {"", std::nullopt},
        {"2003/13/40", std::nullopt},
        {"2003/6/0", std::nullopt},
        {"2003/2/29", std::nullopt},
        {"2100/2/29", std::nullopt},
        {"2003/5-7", std::nullopt},
        {"2003/5", std::nullopt},
        {"2003", std::nullopt},
        {"24:00", std::nullopt},
        {"9:60", std::nullopt},
        {"9:", std::nullopt},
        {":30", std::nullopt},
        {"13:00 PM", std::nullopt},
        {"上午 1:00 PM", std::nullopt},
        {"2003/5/7 25:00", std::nullopt},
        {"2003/5/1# or 1=1 --", std::nullopt},
        {"');drop table", std::nullopt},
        {"yes", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = common::recogniseDateTime(c.text);
        EXPECT_EQ(got.has_value(), c.value.has_value()) << c.text.toStdString();
        if (got && c.value) {
            EXPECT_EQ(got->days(), c.value->days()) << c.text.toStdString();
        }
    }
}

TEST(RecogniseDateTime, ReadsBackEveryTextThePlatformWrites) {
    const std::vector<DateTime> values = {day(2003, 5, 7),
                                          at(9, 4, 59),
                                          at(0, 0),
                                          at(12, 0),
                                          dayAt(2099, 12, 31, 23, 59, 59),
                                          dayAt(1995, 1, 1, 0, 0, 1),
                                          day(3, 5, 7),
                                          dayAt(99, 12, 31, 23, 0)};
    for (const DateTime v : values) {
        const QString text = common::dateTimeText(v);
        const auto back = common::recogniseDateTime(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_EQ(*back, v) << text.toStdString();
    }
}

TEST(DateTimeValue, SplitsIntoDayAndTimeAndOrdersAsTheNumber) {
    const DateTime v = dayAt(2003, 5, 7, 18, 0);
    EXPECT_EQ(v.date(), QDate(2003, 5, 7));
    EXPECT_EQ(v.time(), QTime(18, 0));
    EXPECT_DOUBLE_EQ(v.days(), 37748.75);
    EXPECT_EQ(day(1899, 12, 30).days(), 0.0);
    EXPECT_TRUE(at(9, 30).isTimeOnly());
    EXPECT_FALSE(day(2003, 5, 7).hasTimeOfDay());
    // Before day 0 the fraction still counts upward, so order stays that of the number.
    const DateTime early = dayAt(1899, 12, 29, 6, 0);
    EXPECT_EQ(early.date(), QDate(1899, 12, 29));
    EXPECT_EQ(early.time(), QTime(6, 0));
    EXPECT_LT(day(1899, 12, 29), early);
    EXPECT_LT(early, day(1899, 12, 30));
    EXPECT_LT(day(2003, 5, 7), v);
    EXPECT_LT(v, day(2003, 5, 8));
}

} // namespace
