#include "common/DateText.h"

#include "common/DateRecognition.h"

namespace common {
namespace {

int twelveHourClock(const QTime& t) {
    return t.hour() % 12 == 0 ? 12 : t.hour() % 12;
}

} // namespace

QString shortDateText(const QDate& d) {
    return QStringLiteral("%1/%2/%3").arg(d.year(), 4, 10, QLatin1Char('0')).arg(d.month()).arg(d.day());
}

QString timeOfDayText(const QTime& t) {
    const QString halfDay = t.hour() < 12 ? QStringLiteral("上午") : QStringLiteral("下午");
    return QStringLiteral("%1 %2:%3:%4")
        .arg(halfDay)
        .arg(twelveHourClock(t), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

QString clockText(const QTime& t) {
    return QStringLiteral("%1 %2:%3:%4")
        .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"))
        .arg(twelveHourClock(t))
        .arg(t.minute())
        .arg(t.second());
}

QString dateTimeText(platform::DateTime value) {
    if (!value.isValid())
        return QString();
    if (value.isTimeOnly())
        return timeOfDayText(value.time());
    if (!value.hasTimeOfDay())
        return shortDateText(value.date());
    return shortDateText(value.date()) + QLatin1Char(' ') + timeOfDayText(value.time());
}

namespace {

class SystemDateTextRule : public platform::DateTextRule {
public:
    std::optional<platform::DateTime> read(const QString& text) const override {
        return recogniseDateTime(text);
    }
    QString write(platform::DateTime value) const override { return dateTimeText(value); }
};

} // namespace

const platform::DateTextRule& systemDateTextRule() {
    static const SystemDateTextRule rule;
    return rule;
}

} // namespace common
