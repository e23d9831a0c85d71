#pragma once

#include <QDateTime>
#include <QTimeZone>

// When a time of day the clock shows falls due. Reminders, daily bells and the hour chime compare the clock
// with their times through here only, in moments rather than readings, so a change of the clock for summer
// time neither skips a time nor shows it twice.
namespace common {

// The first moment a clock in this zone shows this day and time; for a time the clock jumps over (the change
// to summer time), the moment of the jump. A time the clock shows twice (the change back) counts at its first.
QDateTime firstShown(const QDate& day, const QTime& time, const QTimeZone& zone);

// Whether a moment falls due at a look at the clock: after the previous look and less than lateMs before now.
// Without a previous look, or after the clock was set back, the look reaches one second back.
bool fallsDue(const QDateTime& due, const QDateTime& previousLook, const QDateTime& now, qint64 lateMs);

} // namespace common
