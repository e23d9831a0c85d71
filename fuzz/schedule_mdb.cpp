// A schedule.mdb that another program wrote: opened, read, sorted, edited and deleted as the schedule windows
// do. The input is either a whole file ("SQLite format 3" first) or a table layout and the rows to store in
// it, each field tagged with its storage type. In a file the database itself wrote, an edit or a delete must
// touch exactly the row it was made on, checked against the file with plain queries; a damaged file need
// only be survived.
#include "common/DateText.h"
#include "platform/Error.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>

namespace {

using platform::Error;

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    QByteArray bytes(size_t count) {
        count = std::min(count, size_ - pos_);
        QByteArray result(reinterpret_cast<const char*>(data_ + pos_), qsizetype(count));
        pos_ += count;
        return result;
    }
    template <class T> T number() {
        T value{};
        const QByteArray raw = bytes(sizeof value);
        std::memcpy(&value, raw.constData(), size_t(raw.size()));
        return value;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Layouts other programs may have made: the program's own, one without types or key, one of numbers.
const char* const layouts[] = {
    nullptr,
    "CREATE TABLE \"我的行程\"(Schedule_Date DATE,Schedule_Time,Work,Remind,Message,Memo,SchNo)",
    "CREATE TABLE \"我的行程\"(Schedule_Date REAL,Schedule_Time INTEGER,Work INTEGER,Remind NUMERIC,"
    "Message BLOB,Memo TEXT,SchNo INTEGER PRIMARY KEY)",
};

struct Plain {
    sqlite3* db = nullptr;
    explicit Plain(const QString& path) { sqlite3_open(QFile::encodeName(path).constData(), &db); }
    ~Plain() { sqlite3_close(db); }
    // The first column of the first row, as text; "(none)" when there is no row.
    QByteArray query(const char* sql, qint64 key = 0) const {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
            return "(error)";
        sqlite3_bind_int64(stmt, 1, key);
        QByteArray result = "(none)";
        if (sqlite3_step(stmt) == SQLITE_ROW)
            result = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return result;
    }
};

void storeRows(const QString& path, Input& input, uint8_t layout) {
    Plain plain(path);
    if (layouts[layout])
        sqlite3_exec(plain.db, layouts[layout], nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(plain.db,
                       "INSERT INTO \"我的行程\"(Schedule_Date,Schedule_Time,Work,Remind,Message,Memo,SchNo) "
                       "VALUES(?1,?2,?3,?4,?5,?6,?7)",
                       -1, &insert, nullptr);
    for (int row = 0; row < 16 && !input.empty(); ++row) {
        for (int field = 1; field <= 7; ++field) {
            switch (input.byte() % 6) {
            case 0:
                sqlite3_bind_null(insert, field);
                break;
            case 1:
                sqlite3_bind_int64(insert, field, input.number<qint64>());
                break;
            case 2:
                sqlite3_bind_double(insert, field, input.number<double>());
                break;
            case 3: {
                const QByteArray text = input.bytes(input.byte());
                sqlite3_bind_text(insert, field, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                break;
            }
            case 4: {
                const QByteArray blob = input.bytes(input.byte());
                sqlite3_bind_blob(insert, field, blob.constData(), int(blob.size()), SQLITE_TRANSIENT);
                break;
            }
            case 5:
                sqlite3_bind_int64(insert, field, input.number<int8_t>());
                break;
            }
        }
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

template <class F> void attempt(F&& step) {
    try {
        step();
    } catch (const Error&) {
    }
}

void readAll(platform::db::Recordset& rs) {
    for (int r = 0; r < rs.RecordCount(); ++r) {
        for (int c = 0; c < rs.fieldNames().size(); ++c)
            rs.text(r, c);
    }
}

void useAsTheWindowsDo(const QString& folder, const QString& path, bool check) {
    const auto& rule = common::systemDateTextRule();
    attempt([&] { schedule::openOrCreateScheduleDatabase(folder); });
    std::unique_ptr<platform::db::Recordset> rs;
    attempt([&] {
        rs = platform::db::Recordset::open(platform::db::SqliteFile::openExisting(path),
                                           schedule::ScheduleTable, rule);
    });
    if (!rs)
        return;
    readAll(*rs);
    for (const QString& field : rs->fieldNames()) {
        attempt([&] { rs->setSort(field); });
        attempt([&] { rs->setSort(field + QStringLiteral(" DESC")); });
        readAll(*rs);
    }
    attempt([&] {
        readAll(*platform::db::Recordset::open(platform::db::SqliteFile::openExisting(path),
                                               schedule::oneDayStatement(QStringLiteral("2003/5/7")), rule));
    });
    if (rs->RecordCount() == 0)
        return;

    const Plain plain(path);
    const char* const work = "SELECT Work FROM \"我的行程\" WHERE rowid = ?1";
    const char* const count = "SELECT count(*) FROM \"我的行程\"";
    const qint64 first = rs->rowKey(0);
    attempt([&] {
        rs->setAbsolutePosition(0);
        rs->Update(QStringLiteral("Work"), QStringLiteral("edited"));
        if (check && plain.query(work, first) != "edited")
            std::abort();
    });
    attempt([&] { rs->Update(QStringLiteral("Schedule_Date"), QStringLiteral("2003/5/7")); });

    const qint64 last = rs->rowKey(rs->RecordCount() - 1);
    const QByteArray before = plain.query(count);
    attempt([&] {
        rs->setAbsolutePosition(rs->RecordCount() - 1);
        rs->Delete();
        if (check && (plain.query(work, last) != "(none)" ||
                      plain.query(count).toLongLong() != before.toLongLong() - 1))
            std::abort();
    });
    attempt([&] {
        platform::db::Connection connection(rule);
        connection.setConnectionString(schedule::ScheduleConnectionString(folder));
        connection.Open();
        platform::db::Command command;
        command.setActiveConnection(&connection);
        command.setCommandText(QStringLiteral("delete from 我的行程 where Schedule_Date <#2003/5/8#"));
        command.Execute();
    });
}

// The folder the database is made in, made once. Without it the database would land in the current folder,
// the repository's as like as not: the run stops first, before any input.
const QString& workFolder() {
    // In memory where there is a tmpfs: the database syncs every change, and the disk would set the pace.
    static const QString where =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir folder(where + QStringLiteral("/fuzz-XXXXXX"));
    if (!folder.isValid()) {
        std::fprintf(stderr, "fuzz_schedule_mdb: cannot make a temporary folder in %s: %s\n",
                     qPrintable(where), qPrintable(folder.errorString()));
        std::exit(1);
    }
    static const QString path = folder.path();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    workFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString& folder = workFolder();
    const QString path = schedule::scheduleDatabasePath(folder);
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
    static const QByteArray fileHeader("SQLite format 3\0", 16);
    Input input(data, size);
    const bool wholeFile =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)).startsWith(fileHeader);
    if (wholeFile) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    } else {
        const uint8_t layout = input.byte() % 3;
        if (layout == 0)
            schedule::openOrCreateScheduleDatabase(folder);
        storeRows(path, input, layout);
    }
    useAsTheWindowsDo(folder, path, !wholeFile);
    return 0;
}
