#pragma once

#include "platform/values/Value.h"

#include <QDateTime>
#include <vector>

// Today's alarm table, kept by the program for the reminder check: the schedules of one day, as the file
// held them when the table was read.
struct TodayAlarmTable {
    // One schedule of the table's day, its values as the database gives them, and the row it came from.
    struct TodayAlarm {
        platform::Value Schedule_Date;
        platform::Value Schedule_Time;
        platform::Value Remind;
        platform::Value Message;
        qint64 rowKey = 0;
    };
    static constexpr int MaxAlarms = 32767;

    std::vector<TodayAlarm> TodayAlarms;
    qint16 TodayAlarmCount = 0;
    // The day the table was read for.
    QDate tableDay;
    // Every reminder due up to here has been taken by a tick.
    QDateTime checkedUpTo;
};
