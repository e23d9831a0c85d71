#pragma once

#include <QString>

namespace common {

// The module-level variables both halves of the program read and write.
struct SharedState {
    // Text of the day whose schedules the one-day list shows or deletes.
    QString SelectedDate;
    QString HourBellMessage;
    bool HourBellOn = false;
    // First three octets of the local IPv4 address and "255"; empty when the address has no three dots.
    QString BroadcastAddress;
};

} // namespace common
