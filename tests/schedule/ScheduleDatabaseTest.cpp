#include "schedule/ScheduleDatabase.h"

#include "core/ErrorBox.h"
#include "support/FakeEnvironment.h"

#include "platform/Error.h"
#include "platform/db/Adodc.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DataGrid.h"

#include "support/QStringPrinter.h"
#include "support/ScheduleFolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>

namespace {

using platform::Error;

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
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), Error::Kind::NotADatabase);
            EXPECT_EQ(e.file(), path);
        }
        EXPECT_EQ(fileBytes(path), content);
    }
}

TEST(OpenOrCreateScheduleDatabase, AnOlderFileGetsTheDateIndexAtItsFirstWriteSoOneDayIsFoundWithoutAScan) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(schedule::scheduleDatabasePath(dir.path()));
    sqlite3* db = nullptr;
    sqlite3_open(path.constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE \"我的行程\" (Schedule_Date DATETIME, Schedule_Time DATETIME, Work TEXT,"
                 " Remind TEXT, Message TEXT, Memo TEXT, SchNo INTEGER PRIMARY KEY AUTOINCREMENT);",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    platform::db::Adodc data(common::systemDateTextRule(), dbtest::failOnReport);
    platform::db::DataGrid grid;
    schedule::bindScheduleData(data, grid, "我的行程", "Schedule_Date", dir.path());
    data.Recordset()->AddNew();
    data.Recordset()->Update("Work", "written");
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
    platform::db::Adodc data(common::systemDateTextRule(), dbtest::failOnReport);
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

// One value by a plain sqlite3 statement; empty when there is no file.
QString plainSql(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    QString value;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const auto keep = [](void* out, int, char** row, char**) {
        return *static_cast<QString*>(out) = row[0], 0;
    };
    sqlite3_exec(db, sql, keep, &value, nullptr);
    sqlite3_close(db);
    return value;
}

// What becomes of the file behind an open window, judged by sqlite3 and by the file's sha256.
struct FileCase {
    const char* name;
    const char* unwritable; // "folder" or "file", immutable (to root too) before the window reads it
    std::function<void(platform::db::Recordset&, const QString& path)> act; // once the window has read it
    std::optional<Error::Kind> refusal;
    const char* atPath; // the Work of each row in the file then at the path
};

const FileCase fileCases[] = {
    {"OpenedOnly", "", [](auto&, auto&) {}, {}, "a,b"},
    {"Deleted", "", [](auto& rs, auto& path) { QFile::remove(path), rs.AddNew(), rs.Update("Work", "x"); },
     Error::Kind::FileMoved, ""},
    {"Replaced", "", // by the new empty file the next window makes
     [](auto& rs, auto& path) {
         QFile::remove(path), schedule::openOrCreateScheduleDatabase(QFileInfo(path).path()), rs.Delete();
     },
     Error::Kind::FileMoved, ""},
    {"ChangedBySecondConnection", "",
     [](auto& rs, auto& path) {
         plainSql(path, "UPDATE 我的行程 SET Work = 'theirs' WHERE Work = 'a'"), rs.Delete();
     },
     Error::Kind::RowChanged, "theirs,b"},
    {"ReadOnlyFolder", "folder", [](auto& rs, auto&) { rs.AddNew(), rs.Update("Work", "x"); },
     Error::Kind::ReadOnly, "a,b"},
    {"ReadOnlyFile", "file", [](auto& rs, auto&) { rs.Update("Work", "x"); }, Error::Kind::ReadOnly, "a,b"},
};

class ScheduleFile : public testing::TestWithParam<FileCase> {};

TEST_P(ScheduleFile, NothingGoesAnywhereButIntoTheFileAsReadAndOpeningChangesNothing) {
    const FileCase& c = GetParam();
    dbtest::ScheduleFolder folder;
    folder.add({}, {}, "a");
    folder.add({}, {}, "b");
    plainSql(folder.path(), "DROP INDEX \"我的行程_Schedule_Date\""); // as an older copy made it
    QTemporaryDir elsewhere;
    const QString kept = elsewhere.filePath("kept"); // the file as read, by a second name
    ASSERT_EQ(::link(QFile::encodeName(folder.path()), QFile::encodeName(kept)), 0);
    const auto sha256 = [&] { return QCryptographicHash::hash(fileBytes(kept), QCryptographicHash::Sha256); };
    const QByteArray before = sha256();
    {
        const QString target = QString(c.unwritable) == "file" ? folder.path() : folder.folder();
        if (*c.unwritable && QProcess::execute("chattr", {"+i", target}) != 0)
            GTEST_SKIP() << "nothing can be made unwritable to root here: chattr +i is refused";
        const auto lift = qScopeGuard([&] { QProcess::execute("chattr", {"-i", target}); });
        platform::db::Adodc data(common::systemDateTextRule(), dbtest::failOnReport);
        platform::db::DataGrid grid;
        schedule::bindScheduleData(data, grid, "我的行程", "Schedule_Date", folder.folder());
        ASSERT_EQ(data.Recordset()->RecordCount(), 2);
        try {
            c.act(*data.Recordset(), folder.path());
            EXPECT_FALSE(c.refusal);
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), c.refusal) << e.what();
            EXPECT_EQ(e.reason().contains(folder.folder()), QString(c.unwritable) == "folder") << e.what();
        }
    }
    EXPECT_EQ(plainSql(folder.path(), "SELECT group_concat(Work) FROM 我的行程"), c.atPath);
    // Only the other program's change reaches the file.
    EXPECT_TRUE(c.refusal == Error::Kind::RowChanged || sha256() == before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleFile, testing::ValuesIn(fileCases),
                         [](const auto& instance) { return instance.param.name; });

// A note far larger than the rows around it is read whole, and whatever a step of reading throws ends in the
// one box instead of ending the program.
TEST(ReadingFailures, ALargeRowIsReadWholeAndAnyFailureEndsInTheOneBox) {
    dbtest::ScheduleFolder folder;
    const QString note(3 << 20, QLatin1Char('n'));
    {
        const auto writer = folder.open();
        for (int i = -1; i < 20; ++i) {
            writer->AddNew();
            writer->Update("Work", i < 0 ? note : QString::number(i));
        }
    }
    const auto rs = folder.open();
    ASSERT_EQ(rs->RecordCount(), 21);
    EXPECT_EQ(rs->text(0, rs->fieldIndex("Work")), note);
    EXPECT_EQ(rs->text(20, rs->fieldIndex("Work")), "19");
    // Read again into the blocks the old rows leave, the large row's and the trimmed one's not among them.
    rs->releaseRows();
    const auto again = folder.open();
    EXPECT_EQ(again->text(0, again->fieldIndex("Work")) + again->text(20, again->fieldIndex("Work")), note + "19");

    testsupport::ScriptedDialogs dialogs;
    const std::pair<std::function<void()>, QString> failures[] = {
        {[] { throw std::bad_alloc(); }, "Reason: there is not enough memory to read it."},
        {[] { throw std::runtime_error("odd"); }, "Reason: odd."},
    };
    for (const auto& [step, reason] : failures) {
        dialogs.answerNext(platform::BoxAnswer::OK);
        EXPECT_FALSE(runReportingFailure(dialogs, step));
        EXPECT_TRUE(dialogs.shownTexts().last().endsWith(reason))
            << dialogs.shownTexts().last().toStdString();
    }
}

} // namespace
