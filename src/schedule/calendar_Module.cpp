#include "schedule/calendar_Module.h"

#include "common/DateText.h"
#include "core/Program.h"
#include "platform/Environment.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"

namespace calendar_Module {
namespace {

void fill(TodayAlarmTable& table, const platform::db::Recordset& rows, const platform::DateTime& today) {
    const int date = rows.fieldIndex(QStringLiteral("Schedule_Date"));
    const int time = rows.fieldIndex(QStringLiteral("Schedule_Time"));
    const int remind = rows.fieldIndex(QStringLiteral("Remind"));
    const int message = rows.fieldIndex(QStringLiteral("Message"));
    const platform::Value day(today);
    auto isToday = [&](int row) { return rows.value(row, date) == day; };

    int count = 0;
    for (int row = 0; row < rows.RecordCount() && count < TodayAlarmTable::MaxAlarms; ++row)
        count += isToday(row);
    table.TodayAlarms.assign(size_t(count), TodayAlarmTable::TodayAlarm());
    int slot = count;
    for (int row = 0; row < rows.RecordCount() && slot > 0; ++row) {
        if (isToday(row))
            table.TodayAlarms[size_t(--slot)] = {rows.value(row, date), rows.value(row, time),
                                                 rows.value(row, remind), rows.value(row, message),
                                                 rows.rowKey(row)};
    }
    table.TodayAlarmCount = qint16(count);
}

} // namespace

void LoadTodayAlarms(TodayAlarmTable& table, const QString& programFolder, const QDateTime& now) {
    table.TodayAlarmCount = 0;
    table.tableDay = now.date();
    if (!table.checkedUpTo.isValid())
        table.checkedUpTo = now;
    const QString source = schedule::oneDayStatement(
        common::shortDateText(table.tableDay), QStringLiteral("Schedule_Date,Schedule_Time,Remind,Message"));
    try {
        const auto rows = platform::db::Recordset::open(
            platform::db::SqliteFile::openExisting(schedule::scheduleDatabasePath(programFolder)), source,
            common::systemDateTextRule());
        fill(table, *rows, platform::DateTime::fromDate(table.tableDay));
    } catch (const platform::Error&) {
        table.TodayAlarms.clear();
    }
}

void LoadTodayAlarms(Program& program) {
    LoadTodayAlarms(program.todayAlarms, program.env().programFolder, program.env().clock.now());
}

} // namespace calendar_Module
