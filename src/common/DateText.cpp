#include "common/DateText.h"

namespace common {

QString shortDateText(const QDate& d) {
    return QStringLiteral("%1/%2/%3").arg(d.year()).arg(d.month()).arg(d.day());
}

QString timeOfDayText(const QTime& t) {
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    const QString halfDay = t.hour() < 12 ? QStringLiteral("上午") : QStringLiteral("下午");
    return QStringLiteral("%1 %2:%3:%4")
        .arg(halfDay)
        .arg(hour12, 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

} // namespace common
