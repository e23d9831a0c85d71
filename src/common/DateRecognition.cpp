#include "common/DateRecognition.h"

#include <QRegularExpression>

namespace common {
namespace {

using platform::DateTime;

// A year of one or two digits falls in 1930..2029, as the system reads short years; three or four digits
// are taken as written, so the four-digit form the short date text writes reads back as the same year.
int fullYear(const QString& digits) {
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> readDate(const QRegularExpressionMatch& m) {
    const QDate date(fullYear(m.captured(1)), m.captured(3).toInt(), m.captured(4).toInt());
    if (!date.isValid() || date.year() < 1)
        return std::nullopt;
    return date;
}

bool isAfternoonMarker(const QString& marker) {
    return marker == QStringLiteral("下午") || marker.compare(QStringLiteral("PM"), Qt::CaseInsensitive) == 0;
}

std::optional<QTime> readTime(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(上午|下午|AM|PM)\\s*)?([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2}))?"
                       "(?:\\s*(上午|下午|AM|PM))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString before = m.captured(1);
    const QString after = m.captured(5);
    if (!before.isEmpty() && !after.isEmpty())
        return std::nullopt;
    const QString marker = before.isEmpty() ? after : before;
    int hour = m.captured(2).toInt();
    const int minute = m.captured(3).toInt();
    const int second = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    if (!marker.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (isAfternoonMarker(marker) ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return QTime(hour, minute, second);
}

} // namespace

std::optional<DateTime> recogniseDateTime(const QString& text) {
    static const QRegularExpression datePattern(
        QStringLiteral("^([0-9]{1,4})([/-])([0-9]{1,2})\\2([0-9]{1,2})(?:\\s+(.+))?$"));
    const QString trimmed = text.trimmed();
    const auto m = datePattern.match(trimmed);
    if (!m.hasMatch()) {
        const auto time = readTime(trimmed);
        return time ? std::optional(DateTime::fromTime(*time)) : std::nullopt;
    }
    const auto date = readDate(m);
    if (!date)
        return std::nullopt;
    if (m.captured(5).isEmpty())
        return DateTime::fromDate(*date);
    const auto time = readTime(m.captured(5));
    if (!time)
        return std::nullopt;
    return DateTime::fromDateAndTime(*date, *time);
}

} // namespace common
