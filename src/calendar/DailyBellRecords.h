#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The text of one daily-bell record, and when a bell falls due. No widgets here: the bell editor and the bell
// check build on these.
namespace bells {

constexpr int BellCount = 5;

// One editor row as its record holds it.
struct BellRow {
    bool remind = false;
    QString ampm, hour, minute, message;
};

// Flag with one leading blank (" 1" or " 0"), AM/PM text, hour, minute and message joined by ",", each as it
// stands: nothing trimmed, tested or quoted.
QString buildBellRecord(const BellRow& row);

// The fields a record gives back to its row. A field whose closing comma is missing gives nothing and leaves
// its box as it is; the message is all that follows the fourth comma, commas included.
struct BellRecordFields {
    std::optional<bool> remind;
    std::optional<QString> ampm;
    // The number read from the field, as plain decimal text ("" gives "0", "07" gives "7").
    std::optional<QString> hour, minute;
    std::optional<QString> message;
};
BellRecordFields readBellRecord(const QString& record);

// A bell is on when its record, blanks removed, begins with the digit 1.
bool bellIsOn(const QString& record);

// Row i rings at second i + 1 of its minute, every day. It falls due at a tick when its last due moment lies
// after the previous look at the row (or within the last second, at the first look) and at most a minute ago:
// so once per day, also for a late tick, and never for a time set just after it passed.
bool bellFallsDue(const QDateTime& previousLook, const QDateTime& now, int hour, int minute, int row);

} // namespace bells
