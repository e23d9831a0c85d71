#include "calendar/DailyBells.h"
#include "calendar/UserTime_frm.h"
#include "support/ProgramFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

using namespace testsupport;
using platform::BoxAnswer;

class Bells : public ProgramFixture {
protected:
    // One tick of User_Timer at this time of the fixture's day (or days later).
    void tickAt(const QTime& time, int days = 0) {
        clock.set(QDateTime(QDate(2003, 5, 7).addDays(days), time));
        bells.User_Timer_Timer();
    }
    std::array<QString, 5>& records() { return program->shared.user_time_rec; }

    DailyBells bells{*program};
};

TEST_F(Bells, EachRowShowsOnceAtItsSecondEveryDay) {
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        records().fill(QString());
        records()[row] = QStringLiteral(" 1,下午,13,30,row %1, at last").arg(row);
        // Two ticks in every second, one of them late by most of it.
        for (int day = 0; day < 2; ++day) {
            dialogs.clearRecord();
            for (int ms = 59000; ms < 67000; ms += 700) {
                if (ms / 1000 == 60 + row + 1 && dialogs.shown().empty())
                    dialogs.answerNext(BoxAnswer::OK);
                tickAt(QTime(13, 29).addMSecs(ms), day);
            }
            ASSERT_EQ(dialogs.shown().size(), 1u);
            const auto& box = dialogs.shown().front().request;
            EXPECT_EQ(box.text, QStringLiteral("row %1, at last").arg(row));
            EXPECT_EQ(box.buttons, platform::BoxButtons::OK);
            EXPECT_EQ(box.icon, platform::BoxIcon::None);
            EXPECT_TRUE(box.title.isEmpty());
            EXPECT_TRUE(box.systemModal);
        }
        // The editor was loaded, hidden, to read the bell's time; unloaded, it reads the next record afresh.
        ASSERT_TRUE(program->isLoaded<UserTime_frm>());
        EXPECT_FALSE(program->find<UserTime_frm>()->isVisible());
        program->find<UserTime_frm>()->Unload();
    }
}

TEST_F(Bells, OffBellsLeaveTheEditorAloneAndOnlySavedFlagsCount) {
    records() = {"", " 0,上午,9,15,off", "0", "", ""};
    tickAt(QTime(9, 15, 2));
    EXPECT_FALSE(program->isLoaded<UserTime_frm>());

    // A row of the open editor rings at its unsaved time with its unsaved message; its unsaved check does
    // not.
    records()[1] = " 1,上午,9,15,saved";
    UserTime_frm& editor = program->get<UserTime_frm>();
    editor.Show();
    editor.scroll_min[1]->setValue(16);
    editor.txt_msg[1]->setText("edited");
    editor.Chk[3]->setChecked(true);
    editor.txt_minute[3]->setText("16");
    dialogs.answerNext(BoxAnswer::OK);
    tickAt(QTime(9, 15, 2, 100));
    tickAt(QTime(9, 16, 2, 100));
    tickAt(QTime(9, 16, 4, 100));
    EXPECT_EQ(dialogs.shownTexts(), QStringList{"edited"});
}

TEST_F(Bells, AnEmptiedHourBoxRingsAtHourZero) {
    UserTime_frm& editor = program->get<UserTime_frm>();
    editor.Chk[0]->setChecked(true);
    editor.txt_minute[0]->setText("5");
    editor.txt_hour[0]->clear();
    editor.txt_msg[0]->setText("night");
    editor.Cmd_save_Click();
    EXPECT_EQ(records()[0], " 1,上午,,5,night");
    dialogs.answerNext(BoxAnswer::OK);
    tickAt(QTime(0, 5, 1, 200));
    // Read back by a fresh editor, the hour shows "0" and still rings at hour 0.
    editor.close();
    dialogs.answerNext(BoxAnswer::OK);
    tickAt(QTime(0, 5, 1, 200), 1);
    EXPECT_EQ(program->find<UserTime_frm>()->txt_hour[0]->text(), "0");
    EXPECT_EQ(dialogs.shownTexts(), (QStringList{"night", "night"}));
}

TEST_F(Bells, ABoxLeftOpenHoldsTheNextBellsBackAndNoneRingsTwice) {
    records() = {" 1,上午,8,0,first", " 1,上午,8,0,second", "", " 1,上午,8,0,fourth", ""};
    tickAt(QTime(8, 0, 0, 500));
    // The first box stays open for 40 s while the timer keeps ticking under it.
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] {
        for (int s = 1; s <= 40; ++s)
            tickAt(QTime(8, 0, s, 500));
        EXPECT_EQ(dialogs.shown().size(), 1u);
    });
    // The second is then shown at once, late; the fourth waits for the second's box, which stays open past
    // its minute, so the fourth is dropped.
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] { clock.set(QDateTime(QDate(2003, 5, 7), QTime(8, 1, 10))); });
    tickAt(QTime(8, 0, 1, 500));
    for (int s = 11; s < 30; ++s)
        tickAt(QTime(8, 1, s));
    EXPECT_EQ(dialogs.shownTexts(), (QStringList{"first", "second"}));
}

TEST_F(Bells, TheEditorClosedUnderABellsBoxIsLoadedAgainForTheNextRow) {
    records() = {" 1,上午,8,0,first", " 1,上午,8,0,second", "", "", ""};
    UserTime_frm& editor = program->get<UserTime_frm>();
    editor.Show();
    editor.txt_msg[1]->setText("unsaved");
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] {
        editor.close();
        clock.set(QDateTime(QDate(2003, 5, 7), QTime(8, 0, 3)));
    });
    dialogs.answerNext(BoxAnswer::OK);
    tickAt(QTime(8, 0, 1, 500));
    EXPECT_EQ(dialogs.shownTexts(), (QStringList{"first", "second"}));
    ASSERT_TRUE(program->isLoaded<UserTime_frm>());
    EXPECT_FALSE(program->find<UserTime_frm>()->isVisible());
}
