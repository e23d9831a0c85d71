#include "calendar/DailyBellRecords.h"

#include "common/ClockMoments.h"
#include "common/NumberText.h"

namespace bells {

QString buildBellRecord(const BellRow& row) {
    const QChar comma = QLatin1Char(',');
    return common::leadingBlankNumber(row.remind ? 1 : 0) + comma + row.ampm + comma + row.hour + comma +
           row.minute + comma + row.message;
}

BellRecordFields readBellRecord(const QString& record) {
    BellRecordFields fields;
    qsizetype fieldStart = 0;
    int commas = 0;
    for (qsizetype k = 0; k < record.size() && commas < 4; ++k) {
        if (record[k] != QLatin1Char(','))
            continue;
        const QString field = record.mid(fieldStart, k - fieldStart);
        switch (++commas) {
        case 1:
            fields.remind = common::readNumber(field.trimmed()) == 1;
            break;
        case 2:
            fields.ampm = field;
            break;
        case 3:
            fields.hour = QString::number(common::readNumber(field));
            break;
        case 4:
            fields.minute = QString::number(common::readNumber(field));
            fields.message = record.mid(k + 1);
            break;
        }
        fieldStart = k + 1;
    }
    return fields;
}

bool bellIsOn(const QString& record) {
    return record.trimmed().startsWith(QLatin1Char('1'));
}

bool bellFallsDue(const QDateTime& previousLook, const QDateTime& now, int hour, int minute, int row) {
    const QTime ring(hour, minute, row + 1);
    if (!ring.isValid())
        return false;
    const QTimeZone zone = now.timeZone();
    QDateTime due = common::firstShown(now.date(), ring, zone);
    if (due > now)
        due = common::firstShown(now.date().addDays(-1), ring, zone);
    // A clock set back starts afresh rather than keeping the bells quiet until it catches up.
    return common::fallsDue(due, previousLook, now, 60 * 1000);
}

} // namespace bells
