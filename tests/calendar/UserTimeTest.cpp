#include "calendar/UserTime_frm.h"
#include "support/ProgramFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace testsupport;
using platform::BoxAnswer;

namespace {

const QString Morning = QStringLiteral("上午");
const QString Afternoon = QStringLiteral("下午");

} // namespace

class BellEditor : public ProgramFixture {
protected:
    UserTime_frm& shownEditor() {
        UserTime_frm& editor = program->get<UserTime_frm>();
        editor.Show();
        QApplication::setActiveWindow(&editor);
        return editor;
    }
    std::array<QString, 5>& records() { return program->shared.user_time_rec; }
};

TEST_F(BellEditor, IsAFixedToolWindowWhoseTabOrderRunsRowByRow) {
    UserTime_frm& editor = shownEditor();
    EXPECT_EQ(editor.windowType(), Qt::Tool); // no taskbar button
    EXPECT_EQ(editor.minimumSize(), editor.maximumSize());
    // Row by row: Remind, hour, minute, message; the AM/PM box and the bars are passed over.
    editor.Chk[0]->setFocus();
    for (int i = 0; i < 5; ++i) {
        for (QWidget* stop : std::initializer_list<QWidget*>{editor.Chk[i], editor.txt_hour[i],
                                                             editor.txt_minute[i], editor.txt_msg[i]}) {
            EXPECT_EQ(QApplication::focusWidget(), stop) << i;
            QTest::keyClick(stop, Qt::Key_Tab);
        }
    }
}

TEST_F(BellEditor, BoxesAndBarsDriveEachOther) {
    const struct {
        const char* what;
        std::function<void(UserTime_frm&)> action;
        QString hour;
        int hourBar;
        QString ampm, minute;
        int minuteBar;
        bool minuteFocused = false; // a number beyond its bar takes the focus to its box
    } cases[] = {
        {"typed 2", [](UserTime_frm& e) { QTest::keyClicks(e.txt_hour[1], "2"); }, "2", 2, Morning, "0", 0},
        {"typed 2 then 4", [](UserTime_frm& e) { QTest::keyClicks(e.txt_hour[1], "24"); }, "0", 0, Morning,
         "0", 0},
        {"typed 1 then 3", [](UserTime_frm& e) { QTest::keyClicks(e.txt_hour[1], "13"); }, "13", 13,
         Afternoon, "0", 0},
        {"letters, sign and point dropped",
         [](UserTime_frm& e) { QTest::keyClicks(e.txt_hour[1], "a1-.x5"); }, "15", 15, Afternoon, "0", 0},
        {"typed 6 then 0", [](UserTime_frm& e) { QTest::keyClicks(e.txt_minute[1], "60"); }, "0", 0, Morning,
         "0", 0, true},
        {"typed 5 then 9", [](UserTime_frm& e) { QTest::keyClicks(e.txt_minute[1], "59"); }, "0", 0, Morning,
         "59", 59},
        {"bar to 12", [](UserTime_frm& e) { e.scroll_hour[1]->setValue(12); }, "12", 12, Afternoon, "0", 0},
        {"bar to 11", [](UserTime_frm& e) { e.scroll_hour[1]->setValue(11); }, "11", 11, Morning, "0", 0},
        {"bar's arrow",
         [](UserTime_frm& e) { e.scroll_min[1]->triggerAction(QScrollBar::SliderSingleStepAdd); }, "0", 0,
         Morning, "1", 1},
        {"only digit deleted at 5",
         [](UserTime_frm& e) {
             QTest::keyClicks(e.txt_hour[1], "5");
             QTest::keyClick(e.txt_hour[1], Qt::Key_Backspace);
         },
         "0", 0, Morning, "0", 0},
        {"deleted again",
         [](UserTime_frm& e) {
             QTest::keyClicks(e.txt_hour[1], "5");
             QTest::keyClick(e.txt_hour[1], Qt::Key_Backspace);
             QTest::keyClick(e.txt_hour[1], Qt::Key_Backspace);
         },
         "", 0, Morning, "0", 0},
        {"pasted beyond the bar", [](UserTime_frm& e) { e.txt_hour[1]->setText("-3"); }, "0", 0, Morning, "0",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UserTime_frm& editor = shownEditor();
        editor.txt_hour[1]->setFocus();
        editor.txt_hour[1]->selectAll();
        editor.txt_minute[1]->selectAll();
        c.action(editor);
        EXPECT_EQ(editor.txt_hour[1]->text(), c.hour);
        EXPECT_EQ(editor.scroll_hour[1]->value(), c.hourBar);
        EXPECT_EQ(editor.txt_AM_FM[1]->text(), c.ampm);
        EXPECT_EQ(editor.txt_minute[1]->text(), c.minute);
        EXPECT_EQ(editor.scroll_min[1]->value(), c.minuteBar);
        EXPECT_EQ(QApplication::focusWidget(), c.minuteFocused ? editor.txt_minute[1] : editor.txt_hour[1]);
        editor.close();
        endProgram();
        restartProgram();
    }
}

TEST_F(BellEditor, LoadingFillsTheRowsThroughTheFieldRules) {
    records() = {" 1,上午,13,07,Lunch, then call", " 0,下午,0,0,", " 1,上午", "", " 1,上午,,,"};
    UserTime_frm& editor = program->get<UserTime_frm>();
    EXPECT_FALSE(editor.isVisible());
    const struct {
        bool remind;
        QString ampm, hour;
        int hourBar;
        QString minute, message;
    } rows[] = {
        {true, Afternoon, "13", 13, "7", "Lunch, then call"},
        {false, Afternoon, "0", 0, "0", ""},
        {true, Morning, "0", 0, "0", ""},
        {false, Morning, "0", 0, "0", ""},
        {true, Morning, "0", 0, "0", ""},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(editor.Chk[i]->isChecked(), rows[i].remind);
        EXPECT_EQ(editor.txt_AM_FM[i]->text(), rows[i].ampm);
        EXPECT_EQ(editor.txt_hour[i]->text(), rows[i].hour);
        EXPECT_EQ(editor.scroll_hour[i]->value(), rows[i].hourBar);
        EXPECT_EQ(editor.txt_minute[i]->text(), rows[i].minute);
        EXPECT_EQ(editor.txt_msg[i]->text(), rows[i].message);
    }
}

TEST_F(BellEditor, SaveBuildsAllFiveAndClearEmptiesThemAtOnce) {
    UserTime_frm& editor = shownEditor();
    editor.Chk[2]->setChecked(true);
    editor.scroll_hour[2]->setValue(13);
    editor.scroll_min[2]->setValue(30);
    editor.txt_msg[2]->setText("Tea, cake");
    editor.Chk[4]->setChecked(true);
    editor.txt_hour[4]->clear();
    editor.Cmd_save_Click();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(records(), (std::array<QString, 5>{" 0,上午,0,0,", " 0,上午,0,0,", " 1,下午,13,30,Tea, cake",
                                                 " 0,上午,0,0,", " 1,上午,,0,"}));

    editor.clr_user_time_Click();
    EXPECT_EQ(records(), (std::array<QString, 5>{}));
    EXPECT_FALSE(editor.Chk[2]->isChecked());
    EXPECT_EQ(editor.txt_AM_FM[2]->text(), Morning);
    EXPECT_EQ(editor.scroll_hour[2]->value(), 0);
    EXPECT_EQ(editor.scroll_min[2]->value(), 0);
    EXPECT_EQ(editor.txt_hour[4]->text(), "0");
    EXPECT_TRUE(editor.txt_msg[2]->text().isEmpty());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(BellEditor, ExitAsksTwiceAndDoesWhatTheSecondAnswerSays) {
    const struct {
        BoxAnswer answer;
        bool saved, closed;
    } cases[] = {
        {BoxAnswer::Yes, true, true}, {BoxAnswer::No, false, true}, {BoxAnswer::Cancel, false, false}};
    for (const auto& c : cases) {
        records().fill(QString());
        dialogs.clearRecord();
        UserTime_frm& editor = shownEditor();
        editor.txt_msg[0]->setText("unsaved");
        dialogs.answerNext(BoxAnswer::OK);
        dialogs.answerNext(c.answer);
        editor.exit_Click();
        ASSERT_EQ(dialogs.shown().size(), 2u);
        const auto& reminder = dialogs.shown()[0].request;
        EXPECT_EQ(reminder.text, QStringLiteral("更新設定時間後，記得要儲存設定喔！"));
        EXPECT_EQ(reminder.buttons, platform::BoxButtons::OK);
        const auto& question = dialogs.shown()[1].request;
        EXPECT_EQ(question.text, QStringLiteral("是否儲存？"));
        EXPECT_EQ(question.buttons, platform::BoxButtons::YesNoCancel);
        for (const auto& box : dialogs.shown()) {
            EXPECT_TRUE(box.request.title.isEmpty());
            EXPECT_EQ(box.request.icon, platform::BoxIcon::None);
        }
        EXPECT_EQ(records()[0] == " 0,上午,0,0,unsaved", c.saved);
        EXPECT_EQ(!program->isLoaded<UserTime_frm>(), c.closed);
        if (!c.closed) {
            EXPECT_EQ(editor.txt_msg[0]->text(), "unsaved");
        }
        endProgram();
        restartProgram();
    }
}

TEST_F(BellEditor, ClosingWithoutSavingKeepsTheRecordsAndTheNextLoadShowsThem) {
    records()[1] = " 1,上午,8,15,Standup";
    UserTime_frm& editor = shownEditor();
    editor.txt_hour[1]->setText("9");
    editor.Chk[1]->setChecked(false);
    editor.close();
    EXPECT_FALSE(program->isLoaded<UserTime_frm>());
    EXPECT_EQ(records()[1], " 1,上午,8,15,Standup");
    EXPECT_EQ(program->get<UserTime_frm>().txt_hour[1]->text(), "8");

    // Closed under its first Exit box: no second box, nothing touched.
    UserTime_frm& reopened = shownEditor();
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] { reopened.close(); });
    reopened.exit_Click();
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(records()[1], " 1,上午,8,15,Standup");
}
