#include "calendar/HourChime.h"

#include "common/ClockMoments.h"
#include "common/DateText.h"
#include "core/MainWindowSide.h"
#include "core/Program.h"

#include <QAction>
#include <QPointer>
#include <utility>

namespace HourChime {

QString chimeLine(const QTime& time, const QString& message) {
    return QStringLiteral("It is ") + common::timeOfDayText(time) + QStringLiteral("，") + message;
}

void Timer1_Timer(Program& program, QDateTime& lastLook) {
    const QDateTime now = program.env().clock.now();
    const QDateTime previousLook = std::exchange(lastLook, now);
    // The hour the clock shows, counted from the moment it first showed it: an hour shown twice when the
    // clock is set back for the winter chimes once.
    const QDateTime hour = common::firstShown(now.date(), QTime(now.time().hour(), 0), now.timeZone());
    if (!common::fallsDue(hour, previousLook, now, 1000))
        return;
    program.mainWindow().setHourBellLine(chimeLine(now.time(), program.shared.HourBellMessage));
}

void alarm_full_Click(Program& program, QAction* alarm_full, QAction* alarm_msg) {
    if (alarm_full->isChecked()) {
        alarm_full->setChecked(false);
        program.mainWindow().setChimeTimerEnabled(false);
        alarm_msg->setEnabled(false);
        return;
    }
    alarm_full->setChecked(true);
    // The calendar, and its items with it, may close while the question is open; the chime goes on
    // regardless.
    const QPointer<QAction> messageItem(alarm_msg);
    alarm_msg_Click(program);
    program.mainWindow().setChimeTimerEnabled(true);
    if (messageItem)
        messageItem->setEnabled(true);
}

void alarm_msg_Click(Program& program) {
    const std::optional<QString> typed =
        program.env().dialogs.inputBox(QStringLiteral("Please input the message of hour bell:"),
                                       QStringLiteral("Hour bell message"), program.shared.HourBellMessage);
    if (typed)
        program.shared.HourBellMessage = *typed;
}

} // namespace HourChime
