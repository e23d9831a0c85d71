#include "platform/Error.h"

#include "support/ScheduleFolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using platform::Error;
using platform::Value;
using platform::db::Recordset;

TEST(Recordset, AddNewAndUpdateStoreARowNumberedByTheDatabase) {
    dbtest::ScheduleFolder folder;
    auto rs = folder.open();
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_TRUE(rs->IsBOF());
    rs->AddNew();
    EXPECT_FALSE(rs->IsEOF());
    rs->Fields("Work").setValue("first");
    rs->Update();
    rs->AddNew();
    rs->Fields("Work").setValue("second");
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields("Work").Value(), Value("second"));
    const double second = rs->Fields("SchNo").Value().number();
    rs->MoveFirst();
    const double first = rs->Fields("SchNo").Value().number();
    EXPECT_GT(first, 0);
    EXPECT_GT(second, first);
    EXPECT_THROW(rs->Fields("SchNo").setValue(99), Error);
}

TEST(Recordset, DeleteKeepsTheDeletedRowCurrentUntilTheNextMove) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/7", {}, "a");
    folder.add("2003/5/7", {}, "b");
    auto rs = folder.open();
    rs->MoveLast();
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_FALSE(rs->IsEOF());
    EXPECT_THROW(rs->Fields("Work").Value(), Error);
    EXPECT_THROW(rs->Update("Work", "into a deleted row"), Error);
    EXPECT_THROW(rs->Delete(), Error);
    rs->MoveNext();
    EXPECT_TRUE(rs->IsEOF());
    rs->MoveFirst();
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(folder.works().isEmpty());
}

TEST(Recordset, CancelUpdateDropsPendingChanges) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/7", "9:30", "stored");
    auto rs = folder.open();
    rs->Fields("Work").setValue("typed");
    EXPECT_EQ(rs->Fields("Work").Value(), Value("typed"));
    rs->CancelUpdate();
    EXPECT_EQ(rs->Fields("Work").Value(), Value("stored"));
    rs->AddNew();
    rs->Fields("Work").setValue("never stored");
    rs->CancelUpdate();
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields("Work").Value(), Value("stored"));
    EXPECT_EQ(folder.works(), QStringList{"stored"});
}

TEST(Recordset, AMoveStoresThePendingChangeOfTheRowItLeaves) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/7", {}, "a");
    folder.add("2003/5/8", {}, "b");
    auto rs = folder.open();
    rs->Fields("Work").setValue("a2");
    rs->MoveNext();
    EXPECT_EQ(folder.works(), QStringList({"a2", "b"}));
    // An addition nobody filled in is dropped, not stored as an empty row.
    rs->AddNew();
    rs->MoveFirst();
    EXPECT_EQ(rs->RecordCount(), 2);
}

TEST(Recordset, ChangesThroughOnePathShowInAnotherOnlyAfterItReopens) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/7", {}, "a");
    auto first = folder.open();
    auto second = folder.open();
    first->Update("Work", "changed");
    first->AddNew();
    first->Fields("Work").setValue("added");
    first->Update();
    EXPECT_EQ(second->RecordCount(), 1);
    second->MoveFirst();
    EXPECT_EQ(second->Fields("Work").Value(), Value("a"));
    EXPECT_EQ(folder.works(), QStringList({"changed", "added"}));
}

TEST(Recordset, AnUpdateOfARowDeletedElsewhereIsRefusedAndKeptPending) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/7", {}, "a");
    auto first = folder.open();
    auto second = folder.open();
    second->Delete();
    first->Fields("Work").setValue("lost?");
    try {
        first->Update();
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::RowGone);
    }
    EXPECT_EQ(first->editMode(), Recordset::EditMode::Editing);
    EXPECT_TRUE(folder.works().isEmpty());
}

TEST(Recordset, FieldsAndSourcesThatDoNotExistAreRefused) {
    dbtest::ScheduleFolder folder;
    auto rs = folder.open();
    EXPECT_THROW(rs->Fields("Nope"), Error);
    EXPECT_THROW(folder.open("其他"), Error);
    EXPECT_THROW(folder.open("delete from 我的行程 where Schedule_Date =#2003/5/7#"), Error);
}

TEST(SqliteFile, TellsAMissingFileAndAForeignFileApartAndChangesNeither) {
    QTemporaryDir dir;
    try {
        platform::db::SqliteFile::openExisting(dir.filePath("schedule.mdb"));
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::FileMissing);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("schedule.mdb")));

    const QByteArray foreign(4096, 'x');
    QFile file(dir.filePath("schedule.mdb"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(foreign);
    file.close();
    try {
        platform::db::SqliteFile::openExisting(file.fileName());
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::NotADatabase);
        EXPECT_EQ(e.file(), file.fileName());
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), foreign);
}

TEST(SqliteFile, AFileLockedByAnotherProgramIsRefusedAtOnceAndUsableWhenFreed) {
    dbtest::ScheduleFolder folder;
    folder.add("2003/5/7", {}, "stored");
    auto rs = folder.open();
    sqlite3* other = nullptr;
    sqlite3_open(QFile::encodeName(folder.path()).constData(), &other);
    auto refusedAtOnce = [](const std::function<void()>& use) {
        QElapsedTimer waited;
        waited.start();
        try {
            use();
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), Error::Kind::FileInUse) << e.what();
        }
        // The window waits for this: a lock held on is told about well within a second.
        EXPECT_LT(waited.elapsed(), 1000);
    };

    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    refusedAtOnce([&] { rs->Update("Work", "typed"); });
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    rs->Update();
    rs.reset();
    EXPECT_EQ(folder.works(), QStringList{"typed"});

    ASSERT_EQ(
        sqlite3_exec(other, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
        SQLITE_OK);
    refusedAtOnce([&] { folder.open(); });
    sqlite3_close(other);
    EXPECT_EQ(folder.works(), QStringList{"typed"});
}

} // namespace
