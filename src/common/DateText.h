#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace common {

// The system's short date form: "2003/5/7".
QString shortDateText(const QDate& d);

// The time of day on a 12-hour clock with the half-day named first: "上午 09:04:59", "下午 12:30:00".
QString timeOfDayText(const QTime& t);

} // namespace common
