#include "common/DateText.h"

#include "common/DateRecognition.h"

namespace common {

QString shortDateText(const QDate& d) {
    return QStringLiteral("%1/%2/%3").arg(d.year(), 4, 10, QLatin1Char('0')).arg(d.month()).arg(d.day());
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
