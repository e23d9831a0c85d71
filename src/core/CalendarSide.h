#pragma once

// What the schedule windows ask of the calendar, a window of the half above them.
class CalendarSide {
public:
    virtual ~CalendarSide() = default;
    // Closes the calendar if it is loaded.
    virtual void closeCalendar() = 0;
};
