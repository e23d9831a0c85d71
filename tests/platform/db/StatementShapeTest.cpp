#include "platform/Error.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/StatementTranslation.h"

#include "support/ScheduleFolder.h"

#include <gtest/gtest.h>

namespace {

using platform::Error;
using platform::db::StatementShape;

StatementShape parse(const QString& text) {
    return StatementShape::parse(text, common::systemDateTextRule(), QStringLiteral("f"));
}

TEST(StatementShape, ReadsTheShapesTheProgramBuilds) {
    const auto table = parse("我的行程");
    EXPECT_EQ(table.kind, StatementShape::Kind::WholeTable);
    EXPECT_EQ(table.table, "我的行程");

    const auto oneDay = parse(schedule::oneDayStatement("2003/5/7"));
    EXPECT_EQ(oneDay.kind, StatementShape::Kind::Select);
    EXPECT_EQ(oneDay.columns,
              QStringList({"Schedule_Date", "Schedule_Time", "Work", "Remind", "Message", "Memo"}));
    ASSERT_TRUE(oneDay.filter.has_value());
    EXPECT_EQ(oneDay.filter->column, "Schedule_Date");
    EXPECT_EQ(oneDay.filter->op, "=");
    EXPECT_EQ(oneDay.filter->literal, dbtest::day(2003, 5, 7));

    const auto before = parse("delete from 我的行程 where Schedule_Date <#2004/3/1#");
    EXPECT_EQ(before.kind, StatementShape::Kind::Delete);
    EXPECT_EQ(before.filter->op, "<");
    EXPECT_EQ(before.filter->literal, dbtest::day(2004, 3, 1));

    const auto spaced = parse("  DELETE   FROM 我的行程 WHERE Schedule_Date = # 2003-5-7 #  ");
    EXPECT_EQ(spaced.filter->literal, dbtest::day(2003, 5, 7));
}

TEST(StatementShape, RefusesEverythingElseWithoutRunningIt) {
    const QStringList refused = {
        "delete from 我的行程 where Schedule_Date <#2003/5/1# or 1=1 --#",
        "delete from 我的行程 where Schedule_Date =#');drop table#",
        "delete from 我的行程 where Schedule_Date =#2003/13/40#",
        "delete from 我的行程 where Schedule_Date =#2003/5/7",
        "delete from 我的行程",
        "delete from 我的行程 where Schedule_Date > #2003/5/7#",
        "delete from 我的行程 where Schedule_Date = '2003/5/7'",
        "delete from 我的行程 where Schedule_Date =#2003/5/7#; drop table 我的行程",
        "drop table 我的行程",
        "select * from 我的行程",
        "update 我的行程 set Work = 1",
        "我的行程; drop table x",
        "\"我的行程\"",
        "",
    };
    for (const QString& text : refused) {
        try {
            parse(text);
            ADD_FAILURE() << "accepted: " << text.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), Error::Kind::StatementRefused) << text.toStdString();
        }
    }
}

TEST(StatementShape, ChecksNamesAgainstTheFile) {
    dbtest::ScheduleFolder folder;
    const auto file = platform::db::SqliteFile::openExisting(folder.path());
    auto table = parse("我的行程");
    table.resolveAgainst(*file);
    EXPECT_EQ(table.columns.size(), 7);

    auto unknownTable = parse("其他");
    EXPECT_THROW(unknownTable.resolveAgainst(*file), Error);
    auto unknownColumn = parse("select Nope from 我的行程");
    try {
        unknownColumn.resolveAgainst(*file);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::FieldNotFound);
    }
}

TEST(ConnectionString, NamesProviderAndFileWithBackslashAsSeparator) {
    const auto parsed = platform::db::ConnectionString::parse(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/u/org\\schedule.mdb;Persist Security Info=False");
    EXPECT_EQ(parsed.provider, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(parsed.dataSource, "/home/u/org/schedule.mdb");
    EXPECT_THROW(platform::db::ConnectionString::parse("Provider=Other;Data Source=/x.mdb"), Error);
    EXPECT_THROW(platform::db::ConnectionString::parse("Provider=Microsoft.Jet.OLEDB.4.0;"), Error);
}

} // namespace
