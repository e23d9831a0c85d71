#include "schedule/ReminderCheck.h"

#include "common/ClockMoments.h"
#include "common/DateText.h"
#include "core/Program.h"
#include "platform/Environment.h"
#include "schedule/calendar_Module.h"

#include <QPointer>
#include <QTimeZone>
#include <optional>

namespace calendar_Module {
namespace {

// A reminder the clock passed longer ago than this (a suspended machine) is let go.
constexpr qint64 LatestReminderMs = 60 * 1000;

// When the slot's reminder is due on the table's day: a time of day alone, and Remind "YES" in any case.
std::optional<QDateTime> dueAt(const TodayAlarmTable& table, const TodayAlarmTable::TodayAlarm& alarm,
                               const QTimeZone& zone) {
    const QString* remind = alarm.Remind.textData();
    if (!remind || remind->toUpper() != QLatin1String("YES") || !alarm.Schedule_Time.isDateTime() ||
        !alarm.Schedule_Time.dateTime().isTimeOnly())
        return std::nullopt;
    return common::firstShown(table.tableDay, alarm.Schedule_Time.dateTime().time(), zone);
}

} // namespace

void sch_alarm_timer_Timer(Program& program) {
    TodayAlarmTable& table = program.todayAlarms;
    const QDateTime now = program.env().clock.now();
    // The first tick, or a clock set back: nothing has been passed yet.
    if (!table.checkedUpTo.isValid() || now < table.checkedUpTo)
        table.checkedUpTo = now;
    if (now.date() != table.tableDay)
        LoadTodayAlarms(table, program.env().programFolder, now);
    const QDateTime from = table.checkedUpTo;
    // Taken before any box opens: a tick that comes while one is open goes on from here.
    table.checkedUpTo = now;

    struct Due {
        qint64 rowKey;
        QDateTime at;
    };
    std::vector<Due> due;
    const QTimeZone zone = now.timeZone();
    for (int slot = 0; slot < table.TodayAlarmCount; ++slot) {
        const auto at = dueAt(table, table.TodayAlarms[size_t(slot)], zone);
        if (at && common::fallsDue(*at, from, now, LatestReminderMs))
            due.push_back({table.TodayAlarms[size_t(slot)].rowKey, *at});
    }
    const QPointer<Program> self(&program);
    for (const Due& reminder : due) {
        // A box shown before this one ran its own event loop, which may have read the table afresh: the
        // schedule is shown only if it is still there, due at the same moment.
        QString text;
        bool found = false;
        for (int slot = 0; slot < table.TodayAlarmCount && !found; ++slot) {
            const TodayAlarmTable::TodayAlarm& alarm = table.TodayAlarms[size_t(slot)];
            if (alarm.rowKey == reminder.rowKey && dueAt(table, alarm, zone) == reminder.at) {
                found = true;
                text = alarm.Message.toText(common::systemDateTextRule());
            }
        }
        if (!found)
            continue;
        platform::MessageBoxRequest box;
        box.text = text;
        box.systemModal = true;
        program.env().dialogs.messageBox(box);
        if (!self)
            return;
    }
}

} // namespace calendar_Module
