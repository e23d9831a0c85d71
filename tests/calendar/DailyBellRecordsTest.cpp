#include "calendar/DailyBellRecords.h"
#include "support/FakeEnvironment.h"

#include <gtest/gtest.h>

using namespace bells;

TEST(BellRecord, IsTheRowAsItStandsJoinedByCommas) {
    const struct {
        BellRow row;
        QByteArray utf8;
    } cases[] = {
        {{true, "下午", "13", "30", "Lunch"}, " 1,\xe4\xb8\x8b\xe5\x8d\x88,13,30,Lunch"},
        {{false, "上午", "0", "0", ""}, " 0,\xe4\xb8\x8a\xe5\x8d\x88,0,0,"},
        {{true, " x ", "", "07", "a, b"}, " 1, x ,,07,a, b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildBellRecord(c.row).toUtf8(), c.utf8);
}

TEST(BellRecord, ReadsBackWhatEachClosedFieldHolds) {
    const std::optional<QString> none;
    const struct {
        QString record;
        std::optional<bool> remind;
        std::optional<QString> ampm, hour, minute, message;
    } cases[] = {
        {"", {}, none, none, none, none},
        {" 1", {}, none, none, none, none},
        {" 1,下午", true, none, none, none, none},
        {" 1,下午,13", true, "下午", none, none, none},
        {" 0,上午,07,5", false, "上午", "7", none, none},
        {" 1,上午,,,", true, "上午", "0", "0", ""},
        {"  1 ,x, 9 ,59,Call, then go, now", true, "x", "9", "59", "Call, then go, now"},
        {"2,上午,1,2,m", false, "上午", "1", "2", "m"},
    };
    for (const auto& c : cases) {
        const BellRecordFields fields = readBellRecord(c.record);
        SCOPED_TRACE(c.record.toStdString());
        EXPECT_EQ(fields.remind, c.remind);
        EXPECT_EQ(fields.ampm, c.ampm);
        EXPECT_EQ(fields.hour, c.hour);
        EXPECT_EQ(fields.minute, c.minute);
        EXPECT_EQ(fields.message, c.message);
    }
}

TEST(BellRecord, IsOnWhenItBeginsWithTheDigitOne) {
    const std::pair<QString, bool> cases[] = {
        {"", false},  {" 0,上午,0,0,", false}, {" 1,上午,0,0,", true},
        {" 1", true}, {"01,x", false},         {"  1x", true},
    };
    for (const auto& [record, on] : cases)
        EXPECT_EQ(bellIsOn(record), on) << record.toStdString();
}

TEST(BellFallsDue, OncePerDayAtItsSecondAlsoForALateTick) {
    const QDate day(2003, 5, 7);
    const auto at = [&](int h, int m, int s, int ms = 0, int days = 0) {
        return QDateTime(day.addDays(days), QTime(h, m, s, ms));
    };
    const auto ny = [](int month, int dayOfMonth, int utcHour, int m, int s, int ms) {
        return testsupport::inNewYork(QDate(2027, month, dayOfMonth), QTime(utcHour, m, s, ms));
    };
    const QDateTime never;
    const struct {
        const char* what;
        QDateTime previousLook, now;
        int hour, minute, row;
        bool due;
    } cases[] = {
        {"row 0 at second 1", at(13, 30, 0, 300), at(13, 30, 1, 300), 13, 30, 0, true},
        {"row 4 at second 5", at(13, 30, 4, 300), at(13, 30, 5, 300), 13, 30, 4, true},
        {"row 4 not at second 4", at(13, 30, 3, 300), at(13, 30, 4, 300), 13, 30, 4, false},
        {"first look within its second", never, at(13, 30, 3, 900), 13, 30, 2, true},
        {"first look a second later", never, at(13, 30, 4, 0), 13, 30, 2, false},
        {"second tick in the same second", at(13, 30, 1, 100), at(13, 30, 1, 800), 13, 30, 0, false},
        {"late tick within the minute", at(13, 30, 0, 900), at(13, 30, 59, 0), 13, 30, 0, true},
        {"late tick into the next minute", at(13, 30, 0, 900), at(13, 31, 0, 999), 13, 30, 0, true},
        {"a minute late", at(13, 30, 0, 900), at(13, 31, 1, 0), 13, 30, 0, false},
        {"time set just after it passed", at(13, 30, 20), at(13, 30, 21), 13, 30, 0, false},
        {"midnight, hour 0", at(23, 59, 59, 500, -1), at(0, 0, 1, 500), 0, 0, 0, true},
        {"late over midnight", at(23, 59, 4, 500), at(0, 0, 2, 0, 1), 23, 59, 4, true},
        {"the next day again", at(13, 30, 0, 300, 1), at(13, 30, 1, 300, 1), 13, 30, 0, true},
        {"clock set back", at(18, 0, 0), at(13, 30, 1, 300), 13, 30, 0, true},
        {"no such hour", at(0, 0, 0, 500), at(0, 0, 1, 500), 24, 0, 0, false},
        {"no such minute", at(13, 0, 0, 500), at(13, 0, 1, 500), 13, -1, 0, false},
        // New York's clock jumps from 01:59:59 to 03:00:00 (07:00 UTC), and later goes back from 01:59:59 EDT
        // to 01:00:00 EST (06:00 UTC).
        {"skipped, as the clock jumps", ny(3, 14, 6, 59, 59, 500), ny(3, 14, 7, 0, 0, 500), 2, 30, 0, true},
        {"skipped, and not again", ny(3, 14, 7, 0, 0, 500), ny(3, 14, 7, 0, 1, 500), 2, 30, 0, false},
        {"shown twice, at the first", ny(11, 7, 5, 30, 0, 500), ny(11, 7, 5, 30, 1, 500), 1, 30, 0, true},
        {"shown twice, not at the second", ny(11, 7, 6, 30, 0, 500), ny(11, 7, 6, 30, 1, 500), 1, 30, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bellFallsDue(c.previousLook, c.now, c.hour, c.minute, c.row), c.due) << c.what;
}
