#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "schedule/calendar_Module.h"
#include "schedule/schedule_frm.h"

#include "support/OrganiserFixture.h"

#include <QPushButton>

using namespace testsupport;
using platform::BoxAnswer;

namespace {

class Reminders : public OrganiserFixture {
protected:
    TodayAlarmTable& module() { return program().todayAlarms; }
    void at(const QDate& day, const QTime& time) { clock.set(QDateTime(day, time)); }
    void at(const QTime& time) { at(QDate(2003, 5, 7), time); }
    // One tick at the clock's time; the texts of the boxes it showed.
    QStringList tick() {
        dialogs.clearRecord();
        running->organiser.sch_alarm_timer_Timer();
        return dialogs.shownTexts();
    }
    void answerBoxes(int n) {
        for (int i = 0; i < n; ++i)
            dialogs.answerNext(BoxAnswer::OK);
    }
};

TEST_F(Reminders, TodaysRowsFillTheSlotsFromTheLastAndOnlyTheyCount) {
    running->organiser.LoadTodayAlarms();
    EXPECT_EQ(module().TodayAlarmCount, 0);

    add("2003/5/7", "9:05", "A", "YES", "a");
    add("2003/5/6", "9:05", "yesterday", "YES", "y");
    add("2003/5/7", "10:00", "B", "NO", "b");
    add("2003/5/7 12:00", "12:00", "a time inside the date", "YES", "t");
    add("2003/5/7", {}, "C", {}, {});
    running->organiser.LoadTodayAlarms();
    ASSERT_EQ(module().TodayAlarmCount, 3);
    QStringList messages;
    for (int i = 0; i < module().TodayAlarmCount; ++i)
        messages << module().TodayAlarms[size_t(i)].Message.toText(common::systemDateTextRule());
    EXPECT_EQ(messages, (QStringList{"", "b", "a"}));
    EXPECT_EQ(module().TodayAlarms[2].Schedule_Time, platform::Value(platform::DateTime::fromTime({9, 5})));
}

TEST_F(Reminders, EachDueReminderShowsOnceWithinAMinuteOfItsTime) {
    add("2003/5/7", "9:05", "A", "YES", "a");
    add("2003/5/7", "9:05", "B", "yes", "b");
    add("2003/5/7", "9:05", "C", "NO", "c");
    add("2003/5/7", "9:05", "D", " YES", "d");
    add("2003/5/7", "9:07", "E", "YES", "e");
    add("2003/5/7", "9:08", "F", "YES", "f");
    add("2003/5/7", {}, "G", "YES", "g");
    running->organiser.LoadTodayAlarms();
    struct Case {
        QTime time;
        QStringList boxes;
    };
    const Case timeline[] = {
        {{9, 4, 59, 500}, {}}, {{9, 5, 0}, {"b", "a"}}, // the lower slot first
        {{9, 5, 0, 500}, {}},  {{9, 5, 1}, {}},
        {{9, 6, 59, 900}, {}}, {{9, 7, 40}, {"e"}}, // a late tick
        {{9, 9, 10}, {}},                           // over a minute late
    };
    for (const Case& c : timeline) {
        SCOPED_TRACE(c.time.toString("HH:mm:ss.zzz").toStdString());
        at(c.time);
        answerBoxes(int(c.boxes.size()));
        EXPECT_EQ(tick(), c.boxes);
    }

    // A schedule added for a time the clock has passed does not fire.
    add("2003/5/7", "9:09", "H", "YES", "h");
    running->organiser.LoadTodayAlarms();
    at({9, 9, 10, 500});
    EXPECT_TRUE(tick().isEmpty());
}

TEST_F(Reminders, ClockChangesShowEachReminderOnce) {
    // New York's clock jumps from 01:59:59 to 03:00:00 (07:00 UTC) on 2027-03-14, and goes back from 01:59:59
    // EDT to 01:00:00 EST (06:00 UTC) on 2027-11-07.
    add("2027/3/14", "2:30", "skipped", "YES", "skipped");
    add("2027/11/7", "1:30", "twice", "YES", "twice");
    const struct {
        QDate day;
        QTime utc;
        QStringList boxes;
    } timeline[] = {
        {{2027, 3, 14}, {6, 59, 59, 600}, {}},
        {{2027, 3, 14}, {7, 0, 0, 100}, {"skipped"}}, // as soon as the clock has passed it
        {{2027, 3, 14}, {7, 30, 0, 100}, {}},
        {{2027, 11, 7}, {5, 29, 59, 800}, {}},
        {{2027, 11, 7}, {5, 30, 0, 300}, {"twice"}}, // at its first showing
        {{2027, 11, 7}, {5, 30, 0, 800}, {}},
        {{2027, 11, 7}, {6, 29, 59, 800}, {}},
        {{2027, 11, 7}, {6, 30, 0, 300}, {}}, // and not at its second
    };
    for (const auto& c : timeline) {
        SCOPED_TRACE(c.utc.toString("HH:mm:ss.zzz").toStdString());
        clock.set(inNewYork(c.day, c.utc));
        answerBoxes(int(c.boxes.size()));
        EXPECT_EQ(tick(), c.boxes);
    }
}

TEST_F(Reminders, TheBoxIsSystemModalWithOnlyOkAndNoTitleOfItsOwn) {
    add("2003/5/7", "9:05", "A", "YES", "remember");
    running->organiser.LoadTodayAlarms();
    at({9, 5, 0});
    answerBoxes(1);
    tick();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const auto& box = dialogs.shown()[0].request;
    EXPECT_TRUE(box.systemModal);
    EXPECT_EQ(box.buttons, platform::BoxButtons::OK);
    EXPECT_EQ(box.icon, platform::BoxIcon::None);
    EXPECT_TRUE(box.title.isEmpty());
}

TEST_F(Reminders, ANewDayReadsItsOwnSchedules) {
    add("2003/5/7", "0:00", "yesterday at midnight", "YES", "old");
    add("2003/5/7", "9:05", "yesterday", "YES", "old 9:05");
    add("2003/5/8", "0:00", "today at midnight", "YES", "new");
    add("2003/5/8", "9:05", "today", "YES", "new 9:05");
    at({23, 59, 59, 800});
    running->organiser.LoadTodayAlarms();
    EXPECT_TRUE(tick().isEmpty());
    at(QDate(2003, 5, 8), {0, 0, 0, 300});
    answerBoxes(1);
    EXPECT_EQ(tick(), QStringList{"new"});
    at(QDate(2003, 5, 8), {9, 5, 0});
    answerBoxes(1);
    EXPECT_EQ(tick(), QStringList{"new 9:05"});
}

TEST_F(Reminders, SchedulesDeletedOrChangedInTheOneDayListNoLongerRemind) {
    add("2003/5/7", "9:05", "A", "YES", "a");
    add("2003/5/7", "9:06", "B", "YES", "b");
    add("2003/5/7", "9:07", "C", "YES", "c");
    running->organiser.LoadTodayAlarms();
    shared().SelectedDate = "2003/5/7";
    running->organiser.showOneDayList("2003/5/7 Schedule");
    schedule_frm& list = *program().find<schedule_frm>();
    // A deleted in the grid, B's Remind changed there.
    list.Sch_Grid->setFocus();
    list.Sch_Grid->selectRow(0);
    dialogs.answerNext(BoxAnswer::OK);
    QTest::keyClick(list.Sch_Grid, Qt::Key_Delete);
    list.Sch_Grid->model()->setData(list.Sch_Grid->model()->index(0, 3), "NO");
    QTest::keyClick(list.Sch_Grid, Qt::Key_Down);
    for (const QTime time : {QTime(9, 5), QTime(9, 6)}) {
        at(time);
        EXPECT_TRUE(tick().isEmpty());
    }
    // C goes with the whole day.
    list.ClrSch->setVisible(true);
    dialogs.answerNext(BoxAnswer::OK);
    list.ClrSch->click();
    ASSERT_TRUE(folder.works().isEmpty());
    at({9, 7});
    EXPECT_TRUE(tick().isEmpty());
}

TEST_F(Reminders, UnderAnOpenBoxTicksShowNothingTwiceAndADeletedScheduleIsLetGo) {
    add("2003/5/7", "9:05", "A", "YES", "a");
    add("2003/5/7", "9:05", "B", "YES", "b");
    add("2003/5/7", "9:05", "C", "YES", "c");
    running->organiser.LoadTodayAlarms();
    at({9, 5, 0});
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] {
        // The user looks at C's box; meanwhile the clock ticks on and B is deleted and the table read again.
        clock.advanceMs(500);
        running->organiser.sch_alarm_timer_Timer();
        auto rs = folder.open();
        rs->MoveFirst();
        rs->MoveNext();
        rs->Delete();
        running->organiser.LoadTodayAlarms();
    });
    dialogs.answerNext(BoxAnswer::OK);
    EXPECT_EQ(tick(), (QStringList{"c", "a"}));
    EXPECT_EQ(module().TodayAlarmCount, 2);
}

} // namespace
