#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "schedule/add_sch_frm.h"
#include "schedule/schedule_frm.h"

#include "support/OrganiserFixture.h"

#include <QFile>
#include <QPushButton>

using namespace testsupport;
using platform::BoxAnswer;

namespace {

class OneDayList : public OrganiserFixture {
protected:
    void SetUp() override {
        add("2003/5/12", "14:00", "afternoon");
        add("2003/5/12", "9:30", "morning");
        add("2003/5/12 12:00", "12:00", "time inside its date");
        add("2003/5/13", "8:00", "next day");
    }
    schedule_frm& openFor(const QString& day) {
        shared().SelectedDate = day;
        running->organiser.showOneDayList(day + QStringLiteral(" Schedule"));
        return *program().find<schedule_frm>();
    }
    static QStringList listed(schedule_frm& list) {
        QStringList works;
        for (int row = 0; row < list.Sch_Grid->model()->rowCount(); ++row)
            works << list.Sch_Grid->model()->index(row, 2).data().toString();
        return works;
    }
};

TEST_F(OneDayList, ListsTheDayByTimeAndLeavesOutARowWithATimeInsideItsDate) {
    schedule_frm& list = openFor("2003/5/12");
    EXPECT_EQ(listed(list), (QStringList{"morning", "afternoon"}));
    EXPECT_EQ(list.Sch_Grid->model()->columnCount(), 6);
    EXPECT_TRUE(list.Sch_Grid->isVisible());
}

TEST_F(OneDayList, DeleteTodayScheduleDeletesTheDayOnOkOnlyAndListsAgain) {
    schedule_frm& list = openFor("2003/5/12");
    dialogs.answerNext(BoxAnswer::Cancel);
    list.ClrSch->click();
    EXPECT_EQ(listed(list), (QStringList{"morning", "afternoon"}));
    EXPECT_EQ(folder.works().size(), 4);

    dialogs.answerNext(BoxAnswer::OK);
    list.ClrSch->click();
    EXPECT_TRUE(listed(list).isEmpty());
    EXPECT_EQ(folder.works(), (QStringList{"time inside its date", "next day"}));
    EXPECT_EQ(dialogs.shown().size(), 2u);

    // A list closed while its question is open deletes nothing.
    add("2003/5/12", "9:30", "again");
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] { list.close(); });
    list.ClrSch->click();
    EXPECT_EQ(folder.works().size(), 3);
}

TEST_F(OneDayList, ActivationShowsWhatTheManagerChangedAndManageScheduleOpensIt) {
    schedule_frm& list = openFor("2003/5/13");
    list.manage_sch->click();
    add_sch_frm* manager = program().find<add_sch_frm>();
    ASSERT_NE(manager, nullptr);
    EXPECT_TRUE(manager->isVisible());
    EXPECT_TRUE(list.isVisible());
    add("2003/5/13", "7:00", "added meanwhile");
    list.Show();
    EXPECT_EQ(listed(list), (QStringList{"added meanwhile", "next day"}));
}

TEST_F(OneDayList, AFileThatIsNoDatabaseIsOneBoxAndNoRowsOfAnotherDay) {
    schedule_frm& list = openFor("2003/5/12");
    QFile file(folder.path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    shared().SelectedDate = QStringLiteral("2003/5/13");
    dialogs.answerNext(BoxAnswer::OK);
    list.Form_Activate();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.shown()[0].request.text.contains(folder.path()));
    EXPECT_FALSE(list.Sch_Grid->isVisible());
}

} // namespace
