#pragma once

class Program;

namespace calendar_Module {

// The reminder check, sch_alarm_timer's 500 ms tick: shows, once each, the reminders of today's alarm
// table whose time the clock has passed since the previous tick, and no later than a minute ago. A new day
// reads the table afresh first.
void sch_alarm_timer_Timer(Program& program);

} // namespace calendar_Module
