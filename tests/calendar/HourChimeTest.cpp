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
    void tickAt(const QTime& time) {
        clock.set(QDateTime(QDate(2003, 5, 7), time));
        HourChime::Timer1_Timer(*program);
    }
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
