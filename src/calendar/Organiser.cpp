#include "calendar/Organiser.h"

#include "calendar/HourChime.h"
#include "calendar/calendar_frm.h"
#include "schedule/OrganiserWindows.h"
#include "schedule/add_sch_frm.h"
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
    // Today's alarm table is read from the manager's record set: the manager is loaded, hidden if it was not
    // loaded, to hold it. The table itself comes with the reminders.
    program_.get<add_sch_frm>();
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
    HourChime::Timer1_Timer(program_);
}
