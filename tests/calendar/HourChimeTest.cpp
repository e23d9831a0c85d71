#include "calendar/HourChime.h"
#include "common/DateText.h"
#include "support/ProgramFixture.h"

#include <QLineEdit>

using namespace testsupport;

namespace {

const QString DefaultMessage = QStringLiteral("Clock reminds you: Don't forget to do something!");

} // namespace

class Chime : public ProgramFixture {
protected:
    void tickAt(const QTime& time) { tickAt(QDateTime(QDate(2003, 5, 7), time)); }
    void tickAt(const QDateTime& moment) {
        clock.set(moment);
        HourChime::Timer1_Timer(*program, lastLook);
    }
    QDateTime lastLook;
};

TEST_F(Chime, WritesTheLineDuringTheFirstSecondOfEveryHour) {
    frm_getmsg& main = startMainWindow();
    tickAt(QTime(0, 0, 0, 400));
    EXPECT_EQ(main.txt_msg->text(), QStringLiteral("It is 上午 12:00:00，") + DefaultMessage);
    EXPECT_EQ(main.txt_msg->cursorPosition(), 0); // the time shows, not the end of the message
    EXPECT_TRUE(main.isMinimized());
    program->shared.HourBellMessage = "Stretch";
    for (int hour = 0; hour < 24; ++hour) {
        main.clear_txt_msg_Click();
        for (const QTime& quiet : {QTime(hour, 0, 1), QTime(hour, 59, 59, 999), QTime(hour, 1, 0)}) {
            tickAt(quiet);
            EXPECT_TRUE(main.txt_msg->text().isEmpty()) << quiet.toString().toStdString();
        }
        tickAt(QTime(hour, 0, 0, 900));
        EXPECT_EQ(main.txt_msg->text(), QStringLiteral("It is ") + common::timeOfDayText(QTime(hour, 0)) +
                                            QStringLiteral("，Stretch"));
    }
}

TEST_F(Chime, WritesOnceForEveryHourTheClockShows) {
    frm_getmsg& main = startMainWindow();
    program->shared.HourBellMessage = "m";
    const struct {
        QDate day;
        QList<int> hours;
    } days[] = {
        {QDate(2027, 5, 7), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
        // The clock jumps from 02:00 to 03:00, and goes back from 02:00 to 01:00, which it shows twice.
        {QDate(2027, 3, 14), {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
        {QDate(2027, 11, 7), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
    };
    for (const auto& c : days) {
        QStringList lines, expected;
        for (const int hour : c.hours)
            expected << HourChime::chimeLine(QTime(hour, 0), "m");
        // Around every whole hour in UTC of the day and a little beyond it, two ticks in its first second.
        for (int utcHour = 0; utcHour < 36; ++utcHour) {
            for (int ms = -2100; ms <= 2100; ms += 700) {
                tickAt(inNewYork(c.day, QTime(0, 0)).addSecs(utcHour * 3600).addMSecs(ms));
                if (clock.now().date() == c.day && !main.txt_msg->text().isEmpty())
                    lines << main.txt_msg->text();
                main.clear_txt_msg_Click();
            }
        }
        EXPECT_EQ(lines, expected) << c.day.toString().toStdString();
    }
}

TEST_F(Chime, MessageBoxReplacesTheMessageExceptOnCancel) {
    const std::pair<std::optional<QString>, QString> cases[] = {
        {QStringLiteral("Drink water"), QStringLiteral("Drink water")},
        {QString(), QString()},
        {std::nullopt, QStringLiteral("kept")},
    };
    for (const auto& [typed, message] : cases) {
        program->shared.HourBellMessage = "kept";
        dialogs.inputNext(typed);
        HourChime::alarm_msg_Click(*program);
        EXPECT_EQ(program->shared.HourBellMessage, message);
    }
}
