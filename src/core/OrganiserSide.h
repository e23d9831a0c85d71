#pragma once

#include <QString>

// What the main window asks of the organiser half of the program: the start-up calls, its menu item, and the
// ticks of the three timers it carries for the organiser.
class OrganiserSide {
public:
    virtual ~OrganiserSide() = default;
    virtual void LoadTodayAlarms() = 0;
    // Shows the one-day list for SelectedDate with its frame captioned so.
    virtual void showOneDayList(const QString& frameCaption) = 0;
    // Copies HourBellOn into the calendar's "Hour Bell" item, then shows the calendar.
    virtual void openCalendar() = 0;

    // sch_alarm_timer, 500 ms: today's reminders.
    virtual void sch_alarm_timer_Timer() = 0;
    // User_Timer, 1000 ms: the five daily bells.
    virtual void User_Timer_Timer() = 0;
    // Timer1, 700 ms while the hour bell is on: the hourly chime.
    virtual void Timer1_Timer() = 0;
};
