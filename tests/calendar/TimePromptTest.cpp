#include "app/frm_getmsg.h"
#include "calendar/UserTime_frm.h"
#include "calendar/calendar_frm.h"
#include "platform/ui/Timer.h"

#include "support/OrganiserFixture.h"

#include <QAction>
#include <QLineEdit>

using namespace testsupport;
using platform::BoxAnswer;

namespace {

class TimePrompt : public OrganiserFixture {
protected:
    TimePrompt() {
        dialogs.alwaysAnswer(QStringLiteral("Please make sure your subnet mask is: 255.255.255.0"),
                             BoxAnswer::OK);
        main = &program().get<frm_getmsg>();
    }
    calendar_frm& openCalendar() {
        main->open_schedule_Click();
        return *program().find<calendar_frm>();
    }
    void at(const QTime& time) { clock.set(QDateTime(QDate(2003, 5, 7), time)); }

    frm_getmsg* main = nullptr;
};

TEST_F(TimePrompt, HourBellItemsDriveTheMainWindowsChime) {
    calendar_frm* calendar = &openCalendar();
    dialogs.inputNext(QStringLiteral("Tea"));
    calendar->alarm_msg->trigger();
    EXPECT_FALSE(main->Timer1->isEnabled());

    // Switching on asks first, with the chime still off under the question; Cancel keeps the message.
    dialogs.inputNext(std::nullopt);
    dialogs.duringNextBox([&] {
        EXPECT_TRUE(calendar->alarm_full->isChecked());
        EXPECT_FALSE(main->Timer1->isEnabled());
    });
    calendar->alarm_full->trigger();
    const auto& question = dialogs.inputsShown().back();
    EXPECT_EQ(question.prompt, QStringLiteral("Please input the message of hour bell:"));
    EXPECT_EQ(question.title, QStringLiteral("Hour bell message"));
    EXPECT_EQ(question.defaultText, QStringLiteral("Tea"));
    EXPECT_TRUE(main->Timer1->isEnabled());
    at(QTime(10, 0, 0, 300));
    running->organiser.Timer1_Timer();
    EXPECT_EQ(main->txt_msg->text(), QStringLiteral("It is 上午 10:00:00，Tea"));

    // Switching off asks nothing and leaves the line.
    calendar->alarm_full->trigger();
    EXPECT_EQ(dialogs.inputsShown().size(), 2u);
    EXPECT_FALSE(main->Timer1->isEnabled());
    EXPECT_FALSE(calendar->alarm_msg->isEnabled());
    EXPECT_EQ(main->txt_msg->text(), QStringLiteral("It is 上午 10:00:00，Tea"));
    // "Hour Bell Message" is enabled on every opening, also with the chime off.
    openCalendar();
    EXPECT_TRUE(calendar->alarm_msg->isEnabled());
    calendar->close();
    settle();
    calendar = &openCalendar();
    EXPECT_FALSE(calendar->alarm_full->isChecked());
    EXPECT_TRUE(calendar->alarm_msg->isEnabled());

    // The calendar closed under the question: the chime still goes on, and HourBellOn says so.
    dialogs.inputNext(QStringLiteral("Go"));
    dialogs.duringNextBox([&] { calendar->close(); });
    calendar->alarm_full->trigger();
    EXPECT_FALSE(program().isLoaded<calendar_frm>());
    EXPECT_TRUE(main->Timer1->isEnabled());
    EXPECT_TRUE(shared().HourBellOn);
    EXPECT_EQ(shared().HourBellMessage, QStringLiteral("Go"));
}

TEST_F(TimePrompt, CustomerBellShowsTheEditorAsTheBellCheckLeftIt) {
    shared().user_time_rec[0] = QStringLiteral(" 1,上午,10,1,Call home");
    at(QTime(10, 0, 30));
    running->organiser.User_Timer_Timer();
    ASSERT_TRUE(program().isLoaded<UserTime_frm>());
    UserTime_frm* editor = program().find<UserTime_frm>();
    EXPECT_FALSE(editor->isVisible());
    editor->txt_msg[0]->setText(QStringLiteral("Call home now"));

    openCalendar().alarm_customer->trigger();
    EXPECT_EQ(program().find<UserTime_frm>(), editor);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->txt_msg[0]->text(), QStringLiteral("Call home now"));

    dialogs.answerNext(BoxAnswer::OK);
    for (int ms = 500; ms < 4000; ms += 500) {
        at(QTime(10, 1, 0).addMSecs(ms));
        running->organiser.User_Timer_Timer();
    }
    EXPECT_EQ(dialogs.shownTexts().filter(QStringLiteral("Call")),
              QStringList{QStringLiteral("Call home now")});
}

} // namespace
