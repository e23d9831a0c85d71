#pragma once

#include <QString>

// What the start-up and the main window's menus ask of the organiser half of the program.
class OrganiserSide {
public:
    virtual ~OrganiserSide() = default;
    virtual void LoadTodayAlarms() = 0;
    // Shows the one-day list for SelectedDate with its frame captioned so.
    virtual void showOneDayList(const QString& frameCaption) = 0;
    // Copies HourBellOn into the calendar's "Hour Bell" item, then shows the calendar.
    virtual void openCalendar() = 0;
};
