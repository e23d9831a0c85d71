#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace common {

// The module-level variables both halves of the program read and write.
struct SharedState {
    // Text of the day whose schedules the one-day list shows or deletes.
    QString SelectedDate;
    // The calendar's month (1..12) for its day click: set when the calendar loads and by every month pick.
    qint16 CalendarMonth = 0;
    QString HourBellMessage;
    bool HourBellOn = false;
    // The five daily bells, row i of the bell editor each: flag, AM/PM text, hour, minute and message joined
    // by ",". Empty (off) at start; kept in memory only.
    std::array<QString, 5> user_time_rec;
    // First three octets of the local IPv4 address and "255"; empty when the address has no three dots.
    QString BroadcastAddress;
    // The known host names, in order of first arrival; they also fill the compose window's recipient list.
    QStringList TempList;
};

} // namespace common
