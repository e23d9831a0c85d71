// Adds schedule rows through a record set, the way the program stores them, and prints each row's SchNo once
// its Update has returned. Then it adds more rows inside one transaction it never finishes, with a page cache
// so small that the unfinished rows reach the file, prints PENDING and waits to be killed.
// Usage: db_insert_child <program folder> <stored rows> <unfinished rows>
#include "common/DateText.h"
#include "platform/Error.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"

#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>

namespace {

void addRow(platform::db::Recordset& rs, long i) {
    rs.AddNew();
    rs.Fields("Schedule_Date").setValue(QStringLiteral("2003/5/%1").arg(i % 28 + 1));
    rs.Fields("Schedule_Time").setValue(QStringLiteral("%1:%2").arg(i % 24).arg(i % 60));
    rs.Fields("Work").setValue(QStringLiteral("row %1").arg(i));
    rs.Fields("Remind").setValue(QStringLiteral("NO"));
    rs.Update();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: db_insert_child <program folder> <stored rows> <unfinished rows>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const long stored = std::atol(argv[2]), unfinished = std::atol(argv[3]);
    try {
        const auto file = platform::db::SqliteFile::openExisting(schedule::scheduleDatabasePath(folder));
        auto rs = platform::db::Recordset::open(file, schedule::ScheduleTable, common::systemDateTextRule());
        for (long i = 0; i < stored; ++i) {
            addRow(*rs, i);
            std::printf("%lld\n", static_cast<long long>(rs->Fields("SchNo").Value().integer()));
            std::fflush(stdout);
        }
        sqlite3_exec(file->handle(), "PRAGMA cache_size=4; BEGIN", nullptr, nullptr, nullptr);
        for (long i = stored; i < stored + unfinished; ++i)
            addRow(*rs, i);
        std::printf("PENDING\n");
        std::fflush(stdout);
        for (;;)
            pause();
    } catch (const platform::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
