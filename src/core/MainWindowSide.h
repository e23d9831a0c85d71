#pragma once

#include <QString>

// What the organiser windows reach on the main window, which lends them its chime timer and the hour-bell
// line; the organiser never includes the main window itself.
class MainWindowSide {
public:
    virtual ~MainWindowSide() = default;
    // Timer1 of the main window: enabled exactly while the hourly chime is on.
    virtual void setChimeTimerEnabled(bool enabled) = 0;
    // The text of txt_msg, the hour-bell line.
    virtual void setHourBellLine(const QString& text) = 0;
};
