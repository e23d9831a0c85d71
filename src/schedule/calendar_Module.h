#pragma once

#include "platform/values/Value.h"

#include <QDateTime>
#include <QObject>
#include <QTimeZone>
#include <optional>
#include <vector>

class Program;
namespace platform {
class Dialogs;
}
namespace platform::db {
class Recordset;
}

// Today's alarm table and the reminder check on the main window's 500 ms timer.
class calendar_Module : public QObject {
    Q_OBJECT
public:
    // One schedule of the table's day, its values as the database gives them, and the row it came from.
    struct TodayAlarm {
        platform::Value Schedule_Date;
        platform::Value Schedule_Time;
        platform::Value Remind;
        platform::Value Message;
        qint64 rowKey = 0;
    };
    static constexpr int MaxAlarms = 32767;

    explicit calendar_Module(QObject* parent = nullptr) : QObject(parent) {}
    // The program's one module, made on first use.
    static calendar_Module& of(Program& program);

    // Fills the table with the schedules of now's day as the file holds them: the first row read in the last
    // slot. A file that cannot be read leaves the table empty; the windows that read it tell the user.
    void LoadTodayAlarms(const QString& programFolder, const QDateTime& now);

    // Shows, once each, the reminders whose time the clock has passed since the previous tick, and no later
    // than a minute ago. A new day reads the table afresh first.
    void sch_alarm_timer_Timer(const QDateTime& now, platform::Dialogs& dialogs,
                               const QString& programFolder);

    std::vector<TodayAlarm> TodayAlarms;
    qint16 TodayAlarmCount = 0;

private:
    void fill(const platform::db::Recordset& rows, const platform::DateTime& today);
    // When the slot's reminder is due on the table's day: a time of day alone, and Remind "YES" in any case.
    std::optional<QDateTime> dueAt(const TodayAlarm& alarm, const QTimeZone& zone) const;

    QDate tableDay_;
    // Every reminder due up to here has been taken by a tick.
    QDateTime checkedUpTo_;
};

namespace schedule {

// Reads the program's table afresh for the day of its clock.
void LoadTodayAlarms(Program& program);

} // namespace schedule
