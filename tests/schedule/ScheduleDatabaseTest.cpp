#include "schedule/ScheduleDatabase.h"

#include "platform/db/Adodc.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DataGrid.h"
#include "platform/db/DbError.h"

#include "../platform/db/DbTestFiles.h"
#include "support/QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using platform::db::DbError;

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ScheduleConnectionString, NamesTheProviderAndTheFileAndReadsBackToTheFile) {
    const QString text = schedule::ScheduleConnectionString("/home/u/Org");
    EXPECT_EQ(
        text,
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/u/Org\\schedule.mdb;Persist Security Info=False");
    EXPECT_EQ(platform::db::ConnectionString::parse(text).dataSource, "/home/u/Org/schedule.mdb");
    EXPECT_EQ(schedule::oneDayStatement("2003/5/7"),
              "select Schedule_Date,Schedule_Time,Work,Remind,Message,Memo from 我的行程 where Schedule_Date "
              "=#2003/5/7#");
}

TEST(ScheduleConnectionString, ReachesTheFileInAnyFolderAUserCanHave) {
    for (const QString folder :
         {"/home/u/a;b", "/home/u/a\\b", "/home/u/ a ", "/;", "/home/u/a=b;", "/home/u/日程;表",
          "/home/u/x;Persist Security Info=True", "/home/u/x;Data Source=/etc;Provider=Other",
          "/home/u/x;Persist Security Info=False;Mode=Read", "/home/u/x;Persist Security Info=False\\"}) {
        EXPECT_EQ(
            platform::db::ConnectionString::parse(schedule::ScheduleConnectionString(folder)).dataSource,
            schedule::scheduleDatabasePath(folder));
    }
}

TEST(OpenOrCreateScheduleDatabase, CreatesAnEmptyTableWhenNoFileExistsAndKeepsAnExistingOne) {
    QTemporaryDir dir;
    schedule::openOrCreateScheduleDatabase(dir.path());
    const QString path = schedule::scheduleDatabasePath(dir.path());
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"schedule.mdb"});
    auto rs = platform::db::Recordset::open(platform::db::SqliteFile::openExisting(path), "我的行程",
                                            common::systemDateTextRule());
    EXPECT_EQ(rs->fieldNames(),
              QStringList({"Schedule_Date", "Schedule_Time", "Work", "Remind", "Message", "Memo", "SchNo"}));
    EXPECT_EQ(rs->RecordCount(), 0);
    rs->AddNew();
    rs->Fields("Work").setValue("kept");
    rs->Update();
    rs.reset();
    schedule::openOrCreateScheduleDatabase(dir.path());
    EXPECT_EQ(platform::db::Recordset::open(platform::db::SqliteFile::openExisting(path), "我的行程",
                                            common::systemDateTextRule())
                  ->RecordCount(),
              1);
}

TEST(OpenOrCreateScheduleDatabase, RefusesAForeignFileAndLeavesItAsItWas) {
    QTemporaryDir dir;
    const QString path = schedule::scheduleDatabasePath(dir.path());
    {
        // Another program's database: an SQLite file without the schedule table.
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        sqlite3_exec(db, "CREATE TABLE other (x); INSERT INTO other VALUES (1);", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    const QByteArray sqliteBytes = fileBytes(path);
    for (const QByteArray& content : {sqliteBytes, QByteArray("Standard Jet DB\0\0\0 not ours", 27)}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        try {
            schedule::openOrCreateScheduleDatabase(dir.path());
            ADD_FAILURE();
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::NotADatabase);
            EXPECT_EQ(e.file(), path);
        }
        EXPECT_EQ(fileBytes(path), content);
    }
}

TEST(OpenOrCreateScheduleDatabase, AnOlderFileGetsTheDateIndexSoOneDayIsFoundWithoutAScan) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(schedule::scheduleDatabasePath(dir.path()));
    sqlite3* db = nullptr;
    sqlite3_open(path.constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE \"我的行程\" (Schedule_Date DATETIME, Schedule_Time DATETIME, Work TEXT,"
                 " Remind TEXT, Message TEXT, Memo TEXT, SchNo INTEGER PRIMARY KEY AUTOINCREMENT);",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    schedule::openOrCreateScheduleDatabase(dir.path());
    sqlite3_open(path.constData(), &db);
    sqlite3_stmt* plan = nullptr;
    sqlite3_prepare_v2(db, "EXPLAIN QUERY PLAN SELECT * FROM \"我的行程\" WHERE Schedule_Date = 37748", -1,
                       &plan, nullptr);
    ASSERT_EQ(sqlite3_step(plan), SQLITE_ROW);
    EXPECT_TRUE(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(plan, 3))).contains("INDEX"));
    sqlite3_finalize(plan);
    sqlite3_close(db);
}

TEST(BindScheduleData, BindsRefreshesAndSortsAsAnActivationDoes) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/9", "9:0", "late");
    folder.add("2003/5/7", "11:0", "early");
    folder.add("2003/5/7", "8:0", "earliest");
    platform::db::Adodc data(common::systemDateTextRule());
    platform::db::DataGrid grid;
    schedule::bindScheduleData(data, grid, "我的行程", "Schedule_Date", folder.folder());
    EXPECT_EQ(data.ConnectionString(), folder.connectionString());
    EXPECT_EQ(data.CommandType(), 8);
    EXPECT_EQ(grid.DataSource(), &data);
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->index(2, 2).data().toString(), "late");

    schedule::bindScheduleData(data, grid, schedule::oneDayStatement("2003/5/7"), "Schedule_Time",
                               folder.folder());
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.model()->index(0, 2).data().toString(), "earliest");

    // A program folder without a database gets an empty one.
    QTemporaryDir fresh;
    schedule::bindScheduleData(data, grid, "我的行程", "Schedule_Date", fresh.path());
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_TRUE(QFile::exists(schedule::scheduleDatabasePath(fresh.path())));
}

} // namespace
