#include "calendar/Organiser.h"

#include "calendar/HourChime.h"
#include "calendar/calendar_frm.h"
#include "schedule/OrganiserWindows.h"
#include "schedule/add_sch_frm.h"
#include "schedule/calendar_Module.h"
#include "schedule/schedule_frm.h"

#include <QAction>
#include <QGroupBox>

namespace {

// The one place that says which window each organiser name stands for.
void declareOrganiserWindows(platform::FormRegistry& forms) {
    forms.declare<calendar_frm>(schedule::CalendarWindow);
    forms.declare<add_sch_frm>(schedule::ManagerWindow);
    forms.declare<schedule_frm>(schedule::OneDayListWindow);
}

} // namespace

Organiser::Organiser(Program& program) : program_(program), bells_(program) {
    declareOrganiserWindows(program);
}

void Organiser::LoadTodayAlarms() {
    // The manager lives from start-up on, hidden until it is opened, and is loaded again after its "Exit".
    program_.get<add_sch_frm>();
    schedule::LoadTodayAlarms(program_);
}

void Organiser::sch_alarm_timer_Timer() {
    const platform::Environment& env = program_.env();
    calendar_Module::of(program_).sch_alarm_timer_Timer(env.clock.now(), env.dialogs, env.programFolder);
}

void Organiser::showOneDayList(const QString& frameCaption) {
    schedule_frm& list = program_.get<schedule_frm>();
    list.Show();
    list.Frame1->setTitle(frameCaption);
}

void Organiser::openCalendar() {
    // The first touch loads the calendar, and its loading shows it.
    calendar_frm& calendar = program_.get<calendar_frm>();
    calendar.alarm_full->setChecked(program_.shared.HourBellOn);
    calendar.alarm_msg->setEnabled(true);
    calendar.Show();
}

void Organiser::User_Timer_Timer() {
    bells_.User_Timer_Timer();
}

void Organiser::Timer1_Timer() {
    HourChime::Timer1_Timer(program_, chimeLook_);
}
