#include "calendar/Organiser.h"

#include "calendar/HourChime.h"
#include "calendar/calendar_frm.h"
#include "schedule/ReminderCheck.h"
#include "schedule/add_sch_frm.h"
#include "schedule/schedule_frm.h"

Organiser::Organiser(Program& program) : program_(program), bells_(program) {}

void Organiser::LoadTodayAlarms() {
    schedule::loadManagerAndTodayAlarms(program_);
}

void Organiser::sch_alarm_timer_Timer() {
    calendar_Module::sch_alarm_timer_Timer(program_);
}

void Organiser::showOneDayList(const QString& frameCaption) {
    schedule_frm& list = program_.get<schedule_frm>();
    list.Show();
    list.setDayCaption(frameCaption);
}

void Organiser::openCalendar() {
    // The first touch loads the calendar, and its loading shows it.
    program_.get<calendar_frm>().showWithHourBell(program_.shared.HourBellOn);
}

void Organiser::closeCalendar() {
    if (calendar_frm* calendar = program_.find<calendar_frm>())
        calendar->close();
}

void Organiser::User_Timer_Timer() {
    bells_.User_Timer_Timer();
}

void Organiser::Timer1_Timer() {
    HourChime::Timer1_Timer(program_, chimeLook_);
}
