#include "common/ClockMoments.h"

#include <optional>

namespace common {

QDateTime firstShown(const QDate& day, const QTime& time, const QTimeZone& zone) {
    // The reading taken as if it were UTC: a moment is the reading less the zone's offset then.
    const QDateTime reading(day, time, Qt::UTC);
    // The offsets a day either side cover every change of the clock near the reading.
    const int before = zone.offsetFromUtc(reading.addDays(-1));
    const int after = zone.offsetFromUtc(reading.addDays(1));
    std::optional<QDateTime> first;
    for (const int offset : {before, after}) {
        const QDateTime moment = reading.addSecs(-offset);
        if (zone.offsetFromUtc(moment) == offset && (!first || moment < *first))
            first = moment;
    }
    if (!first)
        first = zone.nextTransition(reading.addSecs(-qMax(before, after))).atUtc;
    return first->toTimeZone(zone);
}

bool fallsDue(const QDateTime& due, const QDateTime& previousLook, const QDateTime& now, qint64 lateMs) {
    const bool looked = previousLook.isValid() && previousLook <= now;
    const QDateTime after = looked ? previousLook : now.addMSecs(-1000);
    return due.isValid() && due > after && due <= now && due.msecsTo(now) < lateMs;
}

} // namespace common
