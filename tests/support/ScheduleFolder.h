#pragma once

#include "common/DateText.h"
#include "platform/db/Adodc.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace dbtest {

// The report of a data control whose failures no test expects.
inline void failOnReport(const platform::Error& error) {
    ADD_FAILURE() << "the data control reported: " << error.what();
}

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

inline platform::DateTime day(int y, int m, int d) {
    return platform::DateTime::fromDate(QDate(y, m, d));
}

} // namespace dbtest
