// Files written by other programs: stored values no date can have, and row keys beyond what a double holds
// exactly. Every check against the file goes through a plain sqlite3 query, not through the record set.
#include "platform/Error.h"

#include "support/QStringPrinter.h"
#include "support/ScheduleFolder.h"

#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <sqlite3.h>

namespace {

using platform::Error;
using platform::Value;

// The file as sqlite3 itself reads it: one line per row, in key order.
struct PlainFile {
    sqlite3* db = nullptr;
    explicit PlainFile(const QString& path) { sqlite3_open(QFile::encodeName(path).constData(), &db); }
    ~PlainFile() { sqlite3_close(db); }
    void exec(const QString& sql) const {
        char* error = nullptr;
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        ASSERT_EQ(error, nullptr) << error << "\n" << sql.toStdString();
    }
    std::map<qint64, QString> rows(const QString& table = schedule::ScheduleTable) const {
        std::map<qint64, QString> result;
        sqlite3_stmt* stmt = nullptr;
        const QString sql = QStringLiteral("SELECT rowid, quote(Schedule_Date) || ' ' || "
                                           "quote(Schedule_Time) || ' ' || quote(Work) FROM \"%1\"")
                                .arg(table);
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            result[sqlite3_column_int64(stmt, 0)] =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
        sqlite3_finalize(stmt);
        return result;
    }
};

struct Stored {
    qint64 key;
    QString date; // SQL expressions, as another program would have written them
    QString time;
    QString dateShown; // what the grid shows
    QString timeShown;
};

constexpr qint64 two53 = qint64(1) << 53;
constexpr qint64 int64Max = std::numeric_limits<qint64>::max();

const std::vector<Stored> hostile = {
    {two53, "2e14", "37748.5", "", "2003/5/7 下午 12:00:00"},
    {two53 + 1, "-2e14", "9e999", "", ""},
    {int64Max, "-9e999", "'tomorrow'", "", ""},
    {7, "x'00ff'", "9223372036854775807", "", ""},
    // NaN is stored as NULL; the last time below rounds to the second after 9999/12/31.
    {8, "0.0/0.0", "2958465.999999999", "", ""},
    {-5, "37748", "0.375", "2003/5/7", "上午 09:00:00"},
    {9, "-693593", "2958465.5", "0001/1/1", "9999/12/31 下午 12:00:00"},
};

std::vector<qint64> keysInOrder(platform::db::Recordset& rs) {
    std::vector<qint64> keys;
    for (int r = 0; r < rs.RecordCount(); ++r)
        keys.push_back(rs.rowKey(r));
    return keys;
}

TEST(HostileValues, AreReadAsNoDateSortedWithTheNullsAndEachRowIsEditedAndDeletedExactly) {
    dbtest::ScheduleFolder folder;
    PlainFile plain(folder.path());
    for (const Stored& s : hostile)
        plain.exec(
            QStringLiteral("INSERT INTO \"我的行程\" (SchNo, Schedule_Date, Schedule_Time, Work, Remind) "
                           "VALUES (%1, %2, %3, 'row %1', 'YES')")
                .arg(s.key)
                .arg(s.date, s.time));
    const auto before = plain.rows();

    auto rs = folder.open();
    ASSERT_EQ(rs->RecordCount(), int(hostile.size()));
    const int date = rs->fieldIndex("Schedule_Date"), time = rs->fieldIndex("Schedule_Time");
    for (const Stored& s : hostile) {
        const int r = rs->rowOfKey(s.key);
        ASSERT_GE(r, 0) << s.key;
        EXPECT_EQ(rs->text(r, date), s.dateShown) << s.date.toStdString();
        EXPECT_EQ(rs->text(r, time), s.timeShown) << s.time.toStdString();
        EXPECT_EQ(rs->value(r, date).isNull(), s.dateShown.isEmpty()) << s.date.toStdString();
        EXPECT_EQ(rs->text(r, rs->fieldIndex("SchNo")), QString::number(s.key));
    }
    rs->setSort("Schedule_Date");
    EXPECT_EQ(keysInOrder(*rs), (std::vector<qint64>{7, 8, two53, two53 + 1, int64Max, 9, -5}));
    rs->setSort("SchNo DESC");
    EXPECT_EQ(keysInOrder(*rs), (std::vector<qint64>{int64Max, two53 + 1, two53, 9, 8, 7, -5}));

    // An edit touches exactly its own row and only the field that was edited.
    auto expected = before;
    for (int r = 0; r < rs->RecordCount(); ++r) {
        rs->setAbsolutePosition(r);
        rs->Update("Work", QStringLiteral("edited %1").arg(rs->rowKey(r)));
        expected[rs->rowKey(r)].replace(QStringLiteral("'row "), QStringLiteral("'edited "));
    }
    rs->MoveFirst();
    EXPECT_EQ(plain.rows(), expected);

    for (const qint64 key : {two53 + 1, int64Max}) {
        rs->setAbsolutePosition(rs->rowOfKey(key));
        rs->Delete();
        expected.erase(key);
    }
    EXPECT_EQ(plain.rows(), expected);
}

TEST(HostileValues, NumbersNoColumnCanHoldAreRefusedAndTheRestStoredExactly) {
    dbtest::ScheduleFolder folder;
    PlainFile plain(folder.path());
    plain.exec("CREATE TABLE t (Schedule_Date DATETIME, Schedule_Time REAL, Work INTEGER)");
    plain.exec("INSERT INTO t VALUES (NULL, NULL, NULL)");
    struct Case {
        QString field;
        Value typed;
        QString stored; // empty: refused
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Case> cases = {
        {"Work", "9223372036854775807", "NULL NULL 9223372036854775807"},
        {"Work", "-9223372036854775808", "NULL NULL -9223372036854775808"},
        {"Work", "9007199254740993", "NULL NULL 9007199254740993"},
        {"Work", "9223372036854775808", "NULL NULL 9.2233720368547758078e+18"},
        {"Work", "1e300", "NULL NULL 1.0e+300"},
        {"Schedule_Time", "-inf", "NULL -Inf NULL"},
        {"Schedule_Time", inf, "NULL Inf NULL"},
        {"Schedule_Time", 1e300, "NULL 1.0e+300 NULL"},
        {"Schedule_Time", 2.5, "NULL 2.5 NULL"},
        {"Schedule_Time", "nan", ""},
        {"Schedule_Time", nan, ""},
        {"Schedule_Date", 2e14, ""},
        {"Schedule_Date", inf, ""},
        {"Schedule_Date", nan, ""},
        {"Schedule_Date", "10000/1/1", ""},
        {"Schedule_Date", 37748.0, "37748 NULL NULL"},
    };
    for (const Case& c : cases) {
        auto rs = folder.open("t"); // a copy read before the reset below would be refused as changed
        SCOPED_TRACE(c.field.toStdString() + " " + c.typed.toText(rs->rule()).toStdString());
        try {
            rs->Update(c.field, c.typed);
            EXPECT_EQ(plain.rows("t").at(1), c.stored);
        } catch (const Error& e) {
            EXPECT_TRUE(c.stored.isEmpty()) << e.what();
            EXPECT_EQ(e.kind(), Error::Kind::ValueRefused);
            rs->CancelUpdate();
        }
        plain.exec("UPDATE t SET Schedule_Date = NULL, Schedule_Time = NULL, Work = NULL");
    }
}

} // namespace
