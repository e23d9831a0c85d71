#include "platform/Error.h"
#include "platform/db/Connection.h"

#include "support/ScheduleFolder.h"

#include <gtest/gtest.h>

namespace {

using dbtest::day;
using platform::DateTime;
using platform::Error;
using platform::Value;

int deleteWhere(const dbtest::ScheduleFolder& folder, const QString& statement) {
    platform::db::Connection connection(common::systemDateTextRule());
    connection.setConnectionString(folder.connectionString());
    connection.Open();
    platform::db::Command command;
    command.setActiveConnection(&connection);
    command.setCommandText(statement);
    return command.Execute();
}

TEST(ScheduleColumns, EveryDateTextFormStoresItsDay) {
    dbtest::ScheduleFolder folder;
    const QStringList forms = {"2003/5/7", "2003-5-7", "2003/05/07",
                               common::shortDateText(QDate(2003, 5, 7))};
    for (const QString& text : forms)
        folder.add(text, "9:30", text);
    auto rs = folder.open(schedule::oneDayStatement("2003/5/7"));
    EXPECT_EQ(rs->RecordCount(), forms.size());
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
        const Value v = rs->Fields("Schedule_Date").Value();
        ASSERT_TRUE(v.isDateTime());
        EXPECT_EQ(v.dateTime(), day(2003, 5, 7));
    }
}

TEST(ScheduleColumns, EqualityAndCutoffCompareWholeDaysAndDatesWithATimeOfDay) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/6", {}, "day before");
    folder.add("2003/5/7", {}, "the day");
    folder.add("2003/5/7 18:00", {}, "the day with a time");
    folder.add("2003/5/8", {}, "next day");
    folder.add(Value(), {}, "no date");

    EXPECT_EQ(folder.works(schedule::oneDayStatement("2003/5/7")), QStringList{"the day"});

    // A date carrying a time of day is not kept by a cutoff of the next day; the cutoff day and nulls stay.
    EXPECT_EQ(deleteWhere(folder, "delete from 我的行程 where Schedule_Date <#2003/5/8#"), 3);
    EXPECT_EQ(folder.works(), QStringList({"next day", "no date"}));
    EXPECT_EQ(deleteWhere(folder, "delete from 我的行程 where Schedule_Date =#2003-5-8#"), 1);
    EXPECT_EQ(folder.works(), QStringList{"no date"});
}

TEST(ScheduleColumns, ARowOfTodayReadsBackAsTodayAndATimeAsThatTimeOfDay) {
    dbtest::ScheduleFolder folder;
    const QDate today = QDate::currentDate();
    folder.add(common::shortDateText(today), "9:5");
    auto rs = folder.open();
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields("Schedule_Date").Value(), Value(DateTime::fromDate(today)));
    EXPECT_EQ(rs->Fields("Schedule_Time").Value(), Value(DateTime::fromTime(QTime(9, 5, 0))));
    EXPECT_NE(rs->Fields("Schedule_Time").Value(), Value(DateTime::fromTime(QTime(9, 5, 1))));
    EXPECT_EQ(rs->text(0, rs->fieldIndex("Schedule_Time")), "上午 09:05:00");
}

TEST(ScheduleColumns, SortOrdersDatesAndTimesByValueWithNullsFirst) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/12/1", "10:00", "c");
    folder.add("2003/2/15", "9:30", "a");
    folder.add(Value(), "23:0", "none");
    folder.add("2003/10/2", "0:5", "b");
    auto rs = folder.open();
    auto order = [&] {
        QStringList list;
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
            list << rs->Fields("Work").Value().text();
        return list;
    };
    EXPECT_EQ(order(), QStringList({"c", "a", "none", "b"}));
    rs->setSort("Schedule_Date");
    EXPECT_EQ(order(), QStringList({"none", "a", "b", "c"}));
    rs->setSort("Schedule_Time");
    EXPECT_EQ(order(), QStringList({"b", "a", "c", "none"}));
    rs->setSort("Schedule_Date DESC");
    EXPECT_EQ(order(), QStringList({"c", "b", "a", "none"}));
    rs->setSort("");
    EXPECT_EQ(order(), QStringList({"c", "a", "none", "b"}));
    EXPECT_THROW(rs->setSort("Nope"), Error);
}

TEST(ScheduleColumns, ADateSortSeesEditsAndAdditionsAndKeepsTheReadOrderAmongEqualDates) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/7", "9:00", "a");
    folder.add("2003/5/1", "8:00", "b");
    folder.add("2003/5/7", "7:00", "c");
    folder.add(Value(), "6:00", "d");
    auto rs = folder.open();
    auto order = [&] {
        QStringList list;
        for (int r = 0; r < rs->RecordCount(); ++r)
            list << rs->text(r, rs->fieldIndex("Work"));
        return list;
    };
    rs->setSort("Schedule_Time");
    rs->setSort("Schedule_Date");
    EXPECT_EQ(order(), QStringList({"d", "b", "a", "c"}));
    rs->setAbsolutePosition(1);
    rs->Update("Schedule_Date", "2003/6/1");
    rs->AddNew();
    rs->Fields("Schedule_Date").setValue("2003/5/3");
    rs->Fields("Work").setValue("e");
    rs->Update();
    rs->setSort("Schedule_Date");
    EXPECT_EQ(order(), QStringList({"d", "e", "a", "c", "b"}));
    rs->setSort("Schedule_Date DESC");
    EXPECT_EQ(order(), QStringList({"b", "a", "c", "e", "d"}));
}

TEST(ScheduleColumns, RefuseTextsThatAreNotDatesAndWriteNothing) {
    dbtest::ScheduleFolder folder;
    auto rs = folder.open();
    rs->AddNew();
    rs->Fields("Work").setValue("kept");
    for (const QString text : {"2003/13/40", "9:", "24:30", "tomorrow"}) {
        try {
            rs->Fields("Schedule_Time").setValue(text);
            ADD_FAILURE() << text.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), Error::Kind::ValueRefused);
            EXPECT_EQ(e.file(), folder.path());
        }
    }
    EXPECT_TRUE(rs->Fields("Schedule_Time").Value().isNull());
    rs->Update();
    EXPECT_EQ(folder.works(), QStringList{"kept"});
}

TEST(ScheduleColumns, NullsAndEmptyTextsKeepTheirKind) {
    dbtest::ScheduleFolder folder;
    auto rs = folder.open();
    rs->AddNew();
    rs->Fields("Schedule_Date").setValue("");
    rs->Fields("Message").setValue("");
    rs->Fields("Memo").setValue(Value());
    rs->Update();
    auto back = folder.open();
    back->MoveFirst();
    EXPECT_TRUE(back->Fields("Schedule_Date").Value().isNull());
    EXPECT_TRUE(back->Fields("Schedule_Time").Value().isNull());
    EXPECT_EQ(back->Fields("Message").Value(), Value(QString("")));
    EXPECT_TRUE(back->Fields("Memo").Value().isNull());
    EXPECT_EQ(back->text(0, back->fieldIndex("Memo")), "");
}

} // namespace
