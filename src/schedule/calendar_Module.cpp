#include "schedule/calendar_Module.h"

#include "common/ClockMoments.h"
#include "common/DateText.h"
#include "core/Program.h"
#include "platform/Environment.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteFile.h"
#include "schedule/ScheduleDatabase.h"

#include <QPointer>

namespace {

// A reminder the clock passed longer ago than this (a suspended machine) is let go.
constexpr qint64 LatestReminderMs = 60 * 1000;

} // namespace

calendar_Module& calendar_Module::of(Program& program) {
    auto* module = program.findChild<calendar_Module*>(QString(), Qt::FindDirectChildrenOnly);
    if (!module)
        module = new calendar_Module(&program);
    return *module;
}

void calendar_Module::LoadTodayAlarms(const QString& programFolder, const QDateTime& now) {
    TodayAlarmCount = 0;
    tableDay_ = now.date();
    if (!checkedUpTo_.isValid())
        checkedUpTo_ = now;
    const QString source =
        QStringLiteral(
            "select Schedule_Date,Schedule_Time,Remind,Message from 我的行程 where Schedule_Date =#") +
        common::shortDateText(tableDay_) + QLatin1Char('#');
    try {
        const auto rows = platform::db::Recordset::open(
            platform::db::SqliteFile::openExisting(schedule::scheduleDatabasePath(programFolder)), source,
            common::systemDateTextRule());
        fill(*rows, platform::DateTime::fromDate(tableDay_));
    } catch (const platform::db::DbError&) {
        TodayAlarms.clear();
    }
}

void calendar_Module::fill(const platform::db::Recordset& rows, const platform::DateTime& today) {
    const int date = rows.fieldIndex(QStringLiteral("Schedule_Date"));
    const int time = rows.fieldIndex(QStringLiteral("Schedule_Time"));
    const int remind = rows.fieldIndex(QStringLiteral("Remind"));
    const int message = rows.fieldIndex(QStringLiteral("Message"));
    const platform::Value day(today);
    auto isToday = [&](int row) { return rows.value(row, date) == day; };

    int count = 0;
    for (int row = 0; row < rows.RecordCount() && count < MaxAlarms; ++row)
        count += isToday(row);
    TodayAlarms.assign(size_t(count), TodayAlarm());
    int slot = count;
    for (int row = 0; row < rows.RecordCount() && slot > 0; ++row) {
        if (isToday(row))
            TodayAlarms[size_t(--slot)] = {rows.value(row, date), rows.value(row, time),
                                           rows.value(row, remind), rows.value(row, message),
                                           rows.rowKey(row)};
    }
    TodayAlarmCount = qint16(count);
}

std::optional<QDateTime> calendar_Module::dueAt(const TodayAlarm& alarm, const QTimeZone& zone) const {
    const QString* remind = alarm.Remind.textData();
    if (!remind || remind->toUpper() != QLatin1String("YES") || !alarm.Schedule_Time.isDateTime() ||
        !alarm.Schedule_Time.dateTime().isTimeOnly())
        return std::nullopt;
    return common::firstShown(tableDay_, alarm.Schedule_Time.dateTime().time(), zone);
}

void calendar_Module::sch_alarm_timer_Timer(const QDateTime& now, platform::Dialogs& dialogs,
                                            const QString& programFolder) {
    // The first tick, or a clock set back: nothing has been passed yet.
    if (!checkedUpTo_.isValid() || now < checkedUpTo_)
        checkedUpTo_ = now;
    if (now.date() != tableDay_)
        LoadTodayAlarms(programFolder, now);
    const QDateTime from = checkedUpTo_;
    // Taken before any box opens: a tick that comes while one is open goes on from here.
    checkedUpTo_ = now;

    struct Due {
        qint64 rowKey;
        QDateTime at;
    };
    std::vector<Due> due;
    const QTimeZone zone = now.timeZone();
    for (int slot = 0; slot < TodayAlarmCount; ++slot) {
        const auto at = dueAt(TodayAlarms[size_t(slot)], zone);
        if (at && common::fallsDue(*at, from, now, LatestReminderMs))
            due.push_back({TodayAlarms[size_t(slot)].rowKey, *at});
    }
    const QPointer<calendar_Module> self(this);
    for (const Due& reminder : due) {
        // A box shown before this one ran its own event loop, which may have read the table afresh: the
        // schedule is shown only if it is still there, due at the same moment.
        QString text;
        bool found = false;
        for (int slot = 0; slot < TodayAlarmCount && !found; ++slot) {
            const TodayAlarm& alarm = TodayAlarms[size_t(slot)];
            if (alarm.rowKey == reminder.rowKey && dueAt(alarm, zone) == reminder.at) {
                found = true;
                text = alarm.Message.toText(common::systemDateTextRule());
            }
        }
        if (!found)
            continue;
        platform::MessageBoxRequest box;
        box.text = text;
        box.systemModal = true;
        dialogs.messageBox(box);
        if (!self)
            return;
    }
}

namespace schedule {

void LoadTodayAlarms(Program& program) {
    calendar_Module::of(program).LoadTodayAlarms(program.env().programFolder, program.env().clock.now());
}

} // namespace schedule
