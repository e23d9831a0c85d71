// Adds schedule rows one after another through a record set and prints each row's SchNo once its Update has
// returned, so a test can kill it at any moment and know which rows must have survived.
#include "common/DateText.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: db_insert_child <program folder> <rows>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const long rows = std::atol(argv[2]);
    try {
        auto rs = platform::db::Recordset::open(
            platform::db::SqliteFile::openExisting(schedule::scheduleDatabasePath(folder)),
            schedule::ScheduleTable, common::systemDateTextRule());
        for (long i = 0; i < rows; ++i) {
            rs->AddNew();
            rs->Fields("Schedule_Date").setValue(QStringLiteral("2003/5/%1").arg(i % 28 + 1));
            rs->Fields("Schedule_Time").setValue(QStringLiteral("%1:%2").arg(i % 24).arg(i % 60));
            rs->Fields("Work").setValue(QStringLiteral("row %1").arg(i));
            rs->Fields("Remind").setValue(QStringLiteral("NO"));
            rs->Update();
            std::printf("%lld\n", static_cast<long long>(rs->Fields("SchNo").Value().integer()));
            std::fflush(stdout);
        }
    } catch (const platform::db::DbError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
