#pragma once

#include "platform/values/Value.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace common {

// The system's short date form: "2003/5/7", the year always of four digits ("0099/5/7").
QString shortDateText(const QDate& d);

// The time of day on a 12-hour clock with the half-day named first: "上午 09:04:59", "下午 12:30:00".
QString timeOfDayText(const QTime& t);

// The calendar's clock: the half-day, a blank, the hour on the 12-hour clock, minutes and seconds, none with
// a leading zero ("PM 3:4:5" at 15:04:05, "AM 12:30:7" at 00:30:07).
QString clockText(const QTime& t);

// A date/time value as the platform writes it: a date alone in the short form, a time on day 0 alone in the
// time form, both joined by one blank otherwise ("2003/5/7 下午 01:30:00"); the empty text for no date.
QString dateTimeText(platform::DateTime value);

// The rule the data layer applies to date columns, date literals and shown values: recogniseDateTime and
// dateTimeText.
const platform::DateTextRule& systemDateTextRule();

} // namespace common
