#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "schedule/DeleteMoreFrame.h"
#include "schedule/ManageFrame.h"
#include "schedule/NewScheduleFrame.h"
#include "schedule/add_sch_frm.h"
#include "schedule/schedule_frm.h"

#include "support/OrganiserFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using namespace testsupport;
using platform::BoxAnswer;

namespace {

class DeleteMore : public OrganiserFixture {
protected:
    add_sch_frm& entered() {
        add_sch_frm& manager = shown<add_sch_frm>();
        manager.Manage_frame->MoreClr->click();
        return manager;
    }
};

TEST_F(DeleteMore, PickersStartAtTodayAndEveryYearOrMonthPickListsItsDaysAfresh) {
    add_sch_frm& manager = entered();
    manager.ClrFrame->ExitClr->click();
    manager.Manage_frame->MoreClr->click();
    EXPECT_EQ(manager.ClrFrame->ClrYear->count(), 98);
    EXPECT_EQ(manager.ClrFrame->ClrMonth->count(), 12);
    EXPECT_EQ(manager.ClrFrame->ClrYear->currentText(), QStringLiteral(" 2003"));
    EXPECT_EQ(manager.ClrFrame->ClrMonth->currentText(), QStringLiteral("May"));
    EXPECT_EQ(manager.ClrFrame->ClrDate->count(), 31);
    EXPECT_EQ(manager.ClrFrame->ClrDate->currentIndex(), -1);
    // Nothing reaches the text, the year that "Delete" uses.
    QTest::keyClicks(manager.ClrFrame->ClrYear, "2005\b");
    QTest::keyClick(manager.ClrFrame->ClrYear, Qt::Key_Delete);
    EXPECT_EQ(manager.ClrFrame->ClrYear->currentText(), QStringLiteral(" 2003"));

    struct Case {
        const char* name;
        QComboBox* picker;
        int index;
        int days;
    };
    const Case picks[] = {
        {"2004", manager.ClrFrame->ClrYear, 1, 31},  {"February 2004", manager.ClrFrame->ClrMonth, 1, 29},
        {"2096", manager.ClrFrame->ClrYear, 93, 29}, {"2100", manager.ClrFrame->ClrYear, 97, 28},
        {"2003", manager.ClrFrame->ClrYear, 0, 28},
    };
    for (const Case& c : picks) {
        SCOPED_TRACE(c.name);
        pick(manager.ClrFrame->ClrDate, 3);
        pick(c.picker, c.index);
        EXPECT_EQ(manager.ClrFrame->ClrDate->count(), c.days);
        EXPECT_EQ(manager.ClrFrame->ClrDate->currentIndex(), -1); // the day pick is dropped
    }

    // In a February of a year that is not a leap year, entering lists that year's days, whatever year was
    // picked before in either picker.
    clock.set(QDateTime(QDate(2005, 2, 10), QTime(9, 0)));
    pick(manager.ClrFrame->ClrYear, 1);
    manager.ClrFrame->ExitClr->click();
    manager.Manage_frame->MoreClr->click();
    EXPECT_EQ(manager.ClrFrame->ClrDate->count(), 28);
    EXPECT_EQ(manager.ClrFrame->ClrYear->currentText(), QStringLiteral(" 2005"));
}

TEST_F(DeleteMore, DeletesEveryRowBeforeTheCutoffOnOkOnly) {
    struct Case {
        const char* name;
        int day; // the picked item, -1 for none
        BoxAnswer answer;
        QStringList left;
    };
    const Case cases[] = {
        {"cancelled",
         0,
         BoxAnswer::Cancel,
         {"2003", "2004/2/29", "2004/2/29 noon", "2004/3/1", "2004/3/1 noon", "no date"}},
        {"the 1st", 0, BoxAnswer::OK, {"2004/3/1", "2004/3/1 noon", "no date"}},
        {"no day picked", -1, BoxAnswer::OK, {"2004/3/1", "2004/3/1 noon", "no date"}},
        {"the 2nd", 1, BoxAnswer::OK, {"no date"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto rs = folder.open(); rs->RecordCount() > 0;) {
            rs->MoveFirst();
            rs->Delete();
        }
        add("2003/12/31", "9:00", "2003");
        add("2004/2/29", "9:00", "2004/2/29");
        add("2004/2/29 12:00", "9:00", "2004/2/29 noon");
        add("2004/3/1", "9:00", "2004/3/1");
        add("2004/3/1 12:00", "9:00", "2004/3/1 noon");
        add({}, "9:00", "no date");
        add_sch_frm& manager = entered();
        pick(manager.ClrFrame->ClrYear, 1);
        pick(manager.ClrFrame->ClrMonth, 2);
        if (c.day >= 0)
            pick(manager.ClrFrame->ClrDate, c.day);
        dialogs.clearRecord();
        dialogs.answerNext(c.answer);
        manager.ClrFrame->Confirm->click();
        ASSERT_EQ(dialogs.shownTexts(), QStringList{"Data deleting can't restore, are you sure?"});
        EXPECT_EQ(folder.works(), c.left);
        EXPECT_EQ(manager.txt_total->text(), QStringLiteral("Total: %1").arg(c.left.size()));
        EXPECT_EQ(manager.mode(), add_sch_frm::Mode::DeleteMore);
        EXPECT_EQ(manager.ClrFrame->ClrYear->currentText(), QStringLiteral(" 2004"));
        EXPECT_TRUE(shared().SelectedDate.isEmpty());
        manager.close();
        settle();
    }
}

TEST_F(DeleteMore, AnOpenOneDayListKeepsItsDayAndADeletedScheduleNoLongerReminds) {
    add("2003/5/7", "9:05", "today", "YES", "reminder");
    add("2003/5/20", "9:00", "listed");
    running->organiser.LoadTodayAlarms();
    shared().SelectedDate = "2003/5/20";
    running->organiser.showOneDayList("2003/5/20 Schedule");
    schedule_frm& list = *program().find<schedule_frm>();

    add_sch_frm& manager = entered();
    pick(manager.ClrFrame->ClrMonth, 4); // May
    pick(manager.ClrFrame->ClrDate, 9);  // the 10th
    dialogs.answerNext(BoxAnswer::OK);
    manager.ClrFrame->Confirm->click();
    EXPECT_EQ(folder.works(), QStringList{"listed"});
    EXPECT_EQ(shared().SelectedDate, QStringLiteral("2003/5/20"));
    list.Show();
    EXPECT_EQ(list.Sch_Grid->model()->rowCount(), 1);
    EXPECT_EQ(list.Frame1->title(), QStringLiteral("2003/5/20 Schedule"));

    clock.set(QDateTime(QDate(2003, 5, 7), QTime(9, 5)));
    dialogs.clearRecord();
    running->organiser.sch_alarm_timer_Timer();
    EXPECT_TRUE(dialogs.shown().empty());
}

} // namespace
