#pragma once

#include "calendar/DailyBells.h"
#include "core/CalendarSide.h"
#include "core/OrganiserSide.h"
#include "core/Program.h"

namespace platform {
struct Environment;
}

// The organiser half as the main window sees it: its start-up calls, "Open Calendar" and the ticks of the
// timers the main window carries for it; and the calendar as the schedule windows below it see it.
class Organiser : public OrganiserSide, public CalendarSide {
public:
    explicit Organiser(Program& program);

    void LoadTodayAlarms() override;
    void showOneDayList(const QString& frameCaption) override;
    void openCalendar() override;
    void sch_alarm_timer_Timer() override;
    void User_Timer_Timer() override;
    void Timer1_Timer() override;

    void closeCalendar() override;

private:
    Program& program_;
    DailyBells bells_;
    QDateTime chimeLook_;
};

// The program with its organiser. The two refer to each other: the program is built holding a reference to
// the organiser, which is built right after it, with the program.
class ProgramWithOrganiser {
public:
    ProgramWithOrganiser(platform::Environment& env, const Program::MainWindowLinkMaker& makeMainWindowLink)
        : program(env, organiser, organiser, makeMainWindowLink), organiser(program) {}

    Program program;
    Organiser organiser;
};
