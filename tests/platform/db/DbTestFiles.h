#pragma once

#include "common/DateText.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sqlite3.h>

namespace dbtest {

// A fresh program folder holding an empty schedule database.
struct ScheduleFolder {
    QTemporaryDir dir;
    ScheduleFolder() { schedule::openOrCreateScheduleDatabase(dir.path()); }
    QString folder() const { return dir.path(); }
    QString path() const { return schedule::scheduleDatabasePath(dir.path()); }
    QString connectionString() const { return schedule::ScheduleConnectionString(dir.path()); }

    std::unique_ptr<platform::db::Recordset> open(const QString& source = schedule::ScheduleTable) const {
        return platform::db::Recordset::open(platform::db::SqliteFile::openExisting(path()), source,
                                             common::systemDateTextRule());
    }

    // Adds one row through a record set, the way the program stores texts.
    qint64 add(const platform::Value& date, const platform::Value& time = {}, const QString& work = "w",
               const platform::Value& remind = "NO", const platform::Value& message = {}) const {
        auto rs = open();
        rs->AddNew();
        rs->Fields("Schedule_Date").setValue(date);
        rs->Fields("Schedule_Time").setValue(time);
        rs->Fields("Work").setValue(work);
        rs->Fields("Remind").setValue(remind);
        rs->Fields("Message").setValue(message);
        rs->Update();
        return rs->Fields("SchNo").Value().integer();
    }

    QStringList works(const QString& source = schedule::ScheduleTable) const {
        auto rs = open(source);
        QStringList list;
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
            list << rs->Fields("Work").Value().text();
        return list;
    }
};

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

inline platform::DateTime day(int y, int m, int d) {
    return platform::DateTime::fromDate(QDate(y, m, d));
}

} // namespace dbtest
