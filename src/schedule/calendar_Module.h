#pragma once

#include <QDateTime>
#include <QString>

class Program;
struct TodayAlarmTable;

// Reading today's alarm table; the reminder check that goes through it is in ReminderCheck.h.
namespace calendar_Module {

// Fills the table with the schedules of now's day as the file holds them: the first row read in the last
// slot. A file that cannot be read leaves the table empty; the windows that read it tell the user.
void LoadTodayAlarms(TodayAlarmTable& table, const QString& programFolder, const QDateTime& now);

// Reads the program's table afresh for the day of its clock.
void LoadTodayAlarms(Program& program);

} // namespace calendar_Module
