#pragma once

#include <QString>
#include <QDateTime>

class Program;
class QAction;

// The hourly chime: on the hour, while it is on, the main window's hour-bell line tells the time and the
// hour-bell message. The calendar's "Time Prompt" items switch it and set the message.
namespace HourChime {

// "It is " + the time of day as text + "，" + the message.
QString chimeLine(const QTime& time, const QString& message);

// The main window's Timer1, every 700 ms while the chime is on: writes the line once for every hour the
// clock shows, during its first second. lastLook holds the clock as the previous tick read it.
void Timer1_Timer(Program& program, QDateTime& lastLook);

// "Hour Bell": without its check mark it switches the chime on, asking for the message first; with it, off.
// alarm_full's check mark is read as it stood before the choice; alarm_msg is the "Hour Bell Message" item.
void alarm_full_Click(Program& program, QAction* alarm_full, QAction* alarm_msg);

// "Hour Bell Message": asks for the message, offering the current one; Cancel keeps it.
void alarm_msg_Click(Program& program);

} // namespace HourChime
