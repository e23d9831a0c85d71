#include "calendar/calendar_frm.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/Recordset.h"
#include "schedule/DeleteMoreFrame.h"
#include "schedule/ManageFrame.h"
#include "schedule/NewScheduleFrame.h"
#include "schedule/add_sch_frm.h"

#include "support/OrganiserFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace testsupport;
using platform::BoxAnswer;
using platform::Value;

namespace {

const QString BlankQuestion = QStringLiteral("Some items is blank, adding it?");
const QString TimeNotCorrect = QStringLiteral("The time is not correct!");

Value timeOf(int h, int m) {
    return platform::DateTime::fromTime(QTime(h, m));
}

class NewSchedule : public OrganiserFixture {
protected:
    add_sch_frm& adding() {
        add_sch_frm& manager = shown<add_sch_frm>();
        manager.Manage_frame->cmd_add->click();
        return manager;
    }
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus(); // a picker's text part gives the focus to the picker, which takes the keys
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    // The newest stored row.
    std::unique_ptr<platform::db::Recordset> newest() {
        auto rs = folder.open();
        rs->MoveLast();
        return rs;
    }
};

TEST_F(NewSchedule, JoinStoresWhatTheWindowShowsAndAsksAboutBlanks) {
    struct Case {
        const char* name;
        QString hour, minute, memo;
        bool remind;
        std::optional<BoxAnswer> blankAnswer; // none: no question expected
        Value time;                           // stored time; nothing stored when the refusal is set
        QString refusal;
    };
    // "\b" takes back the digit typed before it; a trailing "\b" in the hour is typed after the minute.
    const Case cases[] = {
        {"all filled", "9", "30", "m", true, {}, timeOf(9, 30), {}},
        {"no minute", "9", "", "m", false, BoxAnswer::OK, timeOf(9, 0), {}},
        {"no hour", "", "30", "m", false, BoxAnswer::OK, timeOf(0, 30), {}},
        {"hour emptied last", "9\b", "30", "m", false, BoxAnswer::OK, timeOf(0, 30), {}},
        {"no time typed", "", "", "", false, BoxAnswer::OK, {}, {}},
        {"both emptied", "5\b", "5\b", "m", false, BoxAnswer::OK, {}, TimeNotCorrect},
        {"blanks declined", "9", "", "m", true, BoxAnswer::Cancel, {}, BlankQuestion},
        // The tick left from the entry given up is stored as it shows.
        {"hour 23, minute 59", "23", "59", "m", true, {}, timeOf(23, 59), {}},
    };
    add_sch_frm& manager = adding();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = int(folder.works().size());
        manager.Manage_frame->cmd_add_Click();
        dialogs.clearRecord();
        const bool hourLast = c.hour.size() > 1 && c.hour.endsWith('\b') && !c.minute.isEmpty();
        type(manager.add_frame->sch_hour, hourLast ? c.hour.chopped(1) : c.hour);
        type(manager.add_frame->txt_min, c.minute);
        if (hourLast)
            type(manager.add_frame->sch_hour, "\b");
        manager.add_frame->txt_sch->setText(c.name);
        manager.add_frame->remind_msg->setText("message");
        manager.add_frame->txt_memo->setText(c.memo);
        if (manager.add_frame->remind->isChecked() != c.remind)
            manager.add_frame->remind->click();
        if (c.blankAnswer)
            dialogs.answerNext(*c.blankAnswer);
        if (c.refusal == TimeNotCorrect)
            dialogs.answerNext(BoxAnswer::OK);
        manager.add_frame->new_sch->click();

        EXPECT_EQ(dialogs.shownTexts().contains(BlankQuestion), c.blankAnswer.has_value());
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(dialogs.shownTexts().last(), c.refusal);
            EXPECT_EQ(folder.works().size(), before);
            // The entry stays for correction.
            EXPECT_EQ(manager.add_frame->txt_sch->text(), QString::fromLatin1(c.name));
            continue;
        }
        ASSERT_EQ(folder.works().size(), before + 1);
        auto row = newest();
        EXPECT_EQ(row->Fields("Work").Value(), Value(c.name));
        EXPECT_EQ(row->Fields("Schedule_Date").Value(), Value(dbtest::day(2003, 5, 7)));
        EXPECT_EQ(row->Fields("Schedule_Time").Value(), c.time);
        EXPECT_EQ(row->Fields("Remind").Value(), Value(c.remind ? "YES" : "NO"));
        EXPECT_EQ(row->Fields("Memo").Value(), Value(c.memo));
        // The next entry starts empty, dated from the pickers, and the count follows the table.
        EXPECT_TRUE(manager.add_frame->txt_sch->text().isEmpty());
        EXPECT_TRUE(manager.add_frame->sch_hour->text().isEmpty());
        EXPECT_FALSE(manager.add_frame->remind->isChecked());
        EXPECT_EQ(manager.txt_date->text(), QStringLiteral("2003/5/7"));
        EXPECT_EQ(manager.txt_total->text(), QStringLiteral("Total: %1").arg(before + 1));
    }
}

TEST_F(NewSchedule, AnHourOver23OrAMinuteOver59IsWarnedAsTypedAndRefusedAtJoin) {
    add_sch_frm& manager = adding();
    manager.add_frame->txt_sch->setText("w");
    manager.add_frame->remind_msg->setText("m");
    manager.add_frame->txt_memo->setText("memo");
    for (auto [box, bar, text] :
         {std::tuple{manager.add_frame->sch_hour, manager.add_frame->scroll_hour, "24"},
          {manager.add_frame->txt_min, manager.add_frame->scroll_min, "60"}}) {
        SCOPED_TRACE(text);
        dialogs.clearRecord();
        dialogs.answerNext(BoxAnswer::OK);
        type(box, text);
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].request.text, TimeNotCorrect);
        EXPECT_TRUE(dialogs.shown()[0].request.title.isEmpty());
        EXPECT_EQ(bar->value(), text[0] - '0'); // where the first digit put it
        EXPECT_EQ(box->selectedText(), QString::fromLatin1(text));
        dialogs.answerNext(BoxAnswer::OK);
        manager.add_frame->new_sch->click();
        EXPECT_EQ(dialogs.shown().back().request.text, TimeNotCorrect);
        EXPECT_EQ(dialogs.shown().back().request.title, QStringLiteral("Memorell"));
        EXPECT_TRUE(folder.works().isEmpty());
        box->setText("5");
    }
    EXPECT_EQ(manager.add_frame->sch_AMFM->text(), QStringLiteral("AM"));
}

TEST_F(NewSchedule, BarsAndBoxesDriveEachOther) {
    add_sch_frm& manager = adding();
    struct Case {
        const char* name;
        std::function<void()> action;
        QString hour;
        int bar;
        QString halfDay;
    };
    const Case cases[] = {
        {"typed 12", [&] { type(manager.add_frame->sch_hour, "12"); }, "12", 12, "PM"},
        {"bar to 15", [&] { manager.add_frame->scroll_hour->setValue(15); }, "15", 15, "PM"},
        {"emptied", [&] { manager.add_frame->sch_hour->clear(); }, "", 0, "PM"},
        {"typed 07", [&] { type(manager.add_frame->sch_hour, "07"); }, "7", 7, "AM"},
        {"bar to 0", [&] { manager.add_frame->scroll_hour->setValue(0); }, "7", 0, "AM"},
        {"typed 11 over 7", [&] { type(manager.add_frame->sch_hour, "\b11"); }, "11", 11, "AM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.action();
        EXPECT_EQ(manager.add_frame->sch_hour->text(), c.hour);
        EXPECT_EQ(manager.add_frame->scroll_hour->value(), c.bar);
        EXPECT_EQ(manager.add_frame->sch_AMFM->text(), c.halfDay);
    }
    manager.add_frame->scroll_min->setValue(45);
    EXPECT_EQ(manager.add_frame->txt_min->text(), QStringLiteral("45"));
    EXPECT_EQ(manager.txt_time->text(), QStringLiteral("11:45"));
}

TEST_F(NewSchedule, HourAndMinuteTakeDigitsOnlyAndThePickersTakeNoTyping) {
    add_sch_frm& manager = adding();
    struct Case {
        QLineEdit* box;
        QString typed, result;
    };
    const Case cases[] = {
        {manager.add_frame->sch_hour, "1a.2", "12"},
        {manager.add_frame->txt_min, "-3x\b4", "4"},
        {manager.add_frame->sch_year->lineEdit(), "x9 1\b", manager.add_frame->sch_year->currentText()},
        {manager.add_frame->sch_month->lineEdit(), "Jan", manager.add_frame->sch_month->currentText()},
        {manager.add_frame->sch_date->lineEdit(), "12", manager.add_frame->sch_date->currentText()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        type(c.box, c.typed);
        EXPECT_EQ(c.box->text(), c.result);
    }
    // The focus went through the pickers and picked nothing.
    manager.add_frame->new_sch->setFocus();
    EXPECT_EQ(manager.txt_date->text(), QStringLiteral("2003/5/7"));
}

TEST_F(NewSchedule, PickersDateTheEntryAndEveryDayListFollowsTheLeapRule) {
    add_sch_frm& manager = adding();
    pick(manager.add_frame->sch_year, 0);  // 2003
    pick(manager.add_frame->sch_month, 5); // June: no day picked yet
    dialogs.answerNext(BoxAnswer::OK);
    manager.add_frame->new_sch->click();
    EXPECT_EQ(dialogs.shownTexts(), QStringList{"The date is not correct! Please Check it!"});
    pick(manager.add_frame->sch_date, 4);
    EXPECT_EQ(manager.txt_date->text(), QStringLiteral("2003/6/5"));
    pick(manager.add_frame->sch_year, 1); // the date follows the year too: the day is picked again
    EXPECT_EQ(manager.txt_date->text(), QStringLiteral("2004/6/0"));
    manager.close();
    settle();

    // February of the year the window starts in, in both day lists.
    for (auto [year, days] : {std::pair{2003, 28}, {2004, 29}, {1900, 28}, {2000, 29}}) {
        SCOPED_TRACE(year);
        clock.set(QDateTime(QDate(year, 2, 10), QTime(9, 0)));
        add_sch_frm& fresh = adding();
        EXPECT_EQ(fresh.add_frame->sch_date->count(), days);
        EXPECT_EQ(fresh.add_frame->sch_date->currentText(), QStringLiteral(" 10"));
        fresh.showMode(add_sch_frm::Mode::Manage);
        fresh.Manage_frame->MoreClr->click();
        EXPECT_EQ(fresh.ClrFrame->ClrDate->count(), days);
        pick(fresh.ClrFrame->ClrYear, 24); // the pickers show the 2027 that dates the entries after this one
        fresh.ClrFrame->ExitClr->click();
        fresh.Manage_frame->cmd_add->click();
        EXPECT_EQ(fresh.add_frame->sch_year->currentText() + fresh.txt_date->text(),
                  QStringLiteral(" 2027") + QString::number(year) + "/2/10");
        fresh.close();
        settle();
    }
}

TEST_F(NewSchedule, ThePendingRowOutlivesActivationsAndRebuildsAndIsOnlyEverInserted) {
    const qint64 existing = add("2003/5/7", "8:00", "existing", "NO", "kept");
    add_sch_frm& manager = adding();
    manager.add_frame->txt_sch->setText("new one");
    type(manager.add_frame->sch_hour, "9");
    type(manager.add_frame->txt_min, "15");
    manager.add_frame->remind_msg->setText("msg");
    manager.add_frame->txt_memo->setText("memo");
    // The user goes to the calendar and back; the day turns meanwhile and the reminders are read again.
    running->organiser.openCalendar();
    clock.set(QDateTime(QDate(2003, 5, 8), QTime(0, 0, 1)));
    running->organiser.sch_alarm_timer_Timer();
    manager.Show();
    EXPECT_EQ(manager.mode(), add_sch_frm::Mode::Add);
    EXPECT_EQ(manager.add_frame->txt_sch->text(), QStringLiteral("new one"));
    manager.add_frame->new_sch->click();
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(folder.works(), (QStringList{"existing", "new one"}));
    EXPECT_EQ(stored(existing, "Message"), Value("kept"));
    EXPECT_EQ(newest()->Fields("Schedule_Time").Value(), timeOf(9, 15));
}

} // namespace
