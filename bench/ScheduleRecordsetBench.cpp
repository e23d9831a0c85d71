// The schedule windows' reads of a 100,000-row table beside a raw SQLite scan of the same file: the
// manager's activation (re-query and sort), one rebuild of today's alarm table, and the one-day list's query.
#include "common/DateText.h"
#include "core/TodayAlarmTable.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"
#include "schedule/calendar_Module.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <sqlite3.h>

namespace {

constexpr int rowCount = 100000;

QString programFolder() {
    static QTemporaryDir dir;
    return dir.path();
}

QString databasePath() {
    static const QString path = [] {
        const QString folder = programFolder();
        schedule::openOrCreateScheduleDatabase(folder);
        const QString file = schedule::scheduleDatabasePath(folder);
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(file).constData(), &db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO 我的行程 (Schedule_Date,Schedule_Time,Work,Remind,Message,Memo) "
                           "VALUES (?1,?2,?3,?4,?5,?6)",
                           -1, &insert, nullptr);
        const double today = platform::DateTime::fromDate(QDate::currentDate()).days();
        for (int i = 0; i < rowCount; ++i) {
            // Dates spread over ten years around today, in no order.
            sqlite3_bind_double(insert, 1, today - 1825 + (qint64(i) * 7919) % 3650);
            sqlite3_bind_double(insert, 2, ((qint64(i) * 37) % 1440) / 1440.0);
            const QByteArray work = QStringLiteral("第 %1 個行程").arg(i).toUtf8();
            sqlite3_bind_text(insert, 3, work.constData(), int(work.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 4, i % 3 ? "NO" : "YES", -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 5, "Remember", -1, SQLITE_STATIC);
            sqlite3_bind_null(insert, 6);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return file;
    }();
    return path;
}

void RawSqliteFullScan(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(databasePath());
    for (auto _ : state) {
        sqlite3* db = nullptr;
        // Opened as the data layer opens its files, so both sides pay the same locking.
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid, * FROM 我的行程", -1, &stmt, nullptr);
        double sum = 0;
        qint64 bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            sum += sqlite3_column_double(stmt, 1) + sqlite3_column_double(stmt, 2);
            for (int c = 3; c <= 6; ++c) {
                sqlite3_column_text(stmt, c);
                bytes += sqlite3_column_bytes(stmt, c);
            }
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(bytes);
    }
}

void RecordsetOpen(benchmark::State& state) {
    for (auto _ : state) {
        auto rs = platform::db::Recordset::open(platform::db::SqliteFile::openExisting(databasePath()),
                                                schedule::ScheduleTable, common::systemDateTextRule());
        benchmark::DoNotOptimize(rs->RecordCount());
    }
}

// What every activation of the manager does with its rows: the file checked, the whole table read, sorted by
// date, the last row current.
std::unique_ptr<platform::db::Recordset> activateManager() {
    schedule::openOrCreateScheduleDatabase(programFolder());
    auto rs = platform::db::Recordset::open(platform::db::SqliteFile::openExisting(databasePath()),
                                            schedule::ScheduleTable, common::systemDateTextRule());
    rs->setSort(QStringLiteral("Schedule_Date"));
    rs->MoveLast();
    return rs;
}

void ManagerActivation(benchmark::State& state) {
    databasePath();
    for (auto _ : state)
        benchmark::DoNotOptimize(activateManager()->RecordCount());
}

size_t heapInUse() {
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// The heap a manager's record set holds after its activation, per row, beside the file's own bytes per row.
// Blocks kept from the sets before for this read count as taken by it.
void printHeldBytesPerRow() {
    const size_t before = heapInUse() - platform::db::PackedRows::spareBytes();
    const auto rs = activateManager();
    const double held = double(heapInUse() - before) / rs->RecordCount();
    const double file = double(QFileInfo(databasePath()).size()) / rs->RecordCount();
    std::printf("HeldBytesPerRow / FileBytesPerRow = %.2f (%.0f / %.0f)\n", held / file, held, file);
}

void LoadTodayAlarms(benchmark::State& state) {
    databasePath();
    TodayAlarmTable table;
    const QDateTime now = QDateTime::currentDateTime();
    for (auto _ : state) {
        calendar_Module::LoadTodayAlarms(table, programFolder(), now);
        benchmark::DoNotOptimize(table.TodayAlarmCount);
    }
}

// The one-day list's activation: the file checked, one day's rows read and sorted by time.
void OneDayListQuery(benchmark::State& state) {
    databasePath();
    const QString statement = schedule::oneDayStatement(common::shortDateText(QDate::currentDate()));
    for (auto _ : state) {
        schedule::openOrCreateScheduleDatabase(programFolder());
        auto rs = platform::db::Recordset::open(platform::db::SqliteFile::openExisting(databasePath()),
                                                statement, common::systemDateTextRule());
        rs->setSort(QStringLiteral("Schedule_Time"));
        benchmark::DoNotOptimize(rs->RecordCount());
    }
}

BENCHMARK(RawSqliteFullScan)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordsetOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(ManagerActivation)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadTodayAlarms)->Unit(benchmark::kMillisecond);
BENCHMARK(OneDayListQuery)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration so the ratios to the raw scan can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // With repetitions only the medians count.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    databasePath();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto raw = reporter.times.find("RawSqliteFullScan");
    if (raw != reporter.times.end() && raw->second > 0) {
        for (const auto& [name, time] : reporter.times) {
            if (name != raw->first)
                std::printf("%s / RawSqliteFullScan = %.2f\n", name.c_str(), time / raw->second);
        }
    }
    printHeldBytesPerRow();
    benchmark::Shutdown();
    return 0;
}
