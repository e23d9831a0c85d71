#include "calendar/calendar_frm.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/DataGrid.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DesignUnits.h"
#include "schedule/DeleteMoreFrame.h"
#include "schedule/ManageFrame.h"
#include "schedule/NewScheduleFrame.h"
#include "schedule/add_sch_frm.h"

#include "support/OrganiserFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <sqlite3.h>

using namespace testsupport;
using platform::BoxAnswer;
using platform::Value;

namespace {

const QString NoRowText = QStringLiteral("There is no schedule to update: choose one in the grid first.");

class Manager : public OrganiserFixture {
protected:
    add_sch_frm& open() { return shown<add_sch_frm>(); }
    static platform::db::Recordset& rows(add_sch_frm& manager) { return *manager.Sch_Data->Recordset(); }
    static void goTo(add_sch_frm& manager, qint64 SchNo) {
        auto& rs = rows(manager);
        rs.setAbsolutePosition(rs.rowOfKey(SchNo));
    }
    // Moves the focus from one box to another as Tab does.
    static void leave(QWidget* from, QWidget* to) {
        from->setFocus(Qt::MouseFocusReason);
        to->setFocus(Qt::TabFocusReason);
    }
};

TEST_F(Manager, AnEmptyTableShowsTotalZeroAndItsButtonsRefuseCalmly) {
    add_sch_frm& manager = open();
    EXPECT_EQ(manager.txt_total->text(), QStringLiteral("Total: 0"));
    EXPECT_EQ(manager.mode(), add_sch_frm::Mode::Manage);
    EXPECT_FALSE(manager.add_frame->isVisible());
    EXPECT_FALSE(manager.ClrFrame->isVisible());
    manager.Manage_frame->cmd_del->click();
    EXPECT_EQ(manager.txt_total->text(), QStringLiteral("Total: 0"));
    manager.Manage_frame->cmd_cancelupdate->click();
    dialogs.answerNext(BoxAnswer::OK);
    manager.Manage_frame->cmd_modify->click();
    EXPECT_EQ(dialogs.shownTexts(), QStringList{NoRowText});
}

TEST_F(Manager, EditBoxesFollowTheCurrentRowWhichStartsAsTheLastByDate) {
    add("2003/5/9", "10:00", "later", "yes", "m9");
    add("2003/5/8", "9:30", "earlier", "NO", "m8");
    add_sch_frm& manager = open();
    EXPECT_EQ(manager.txt_total->text(), QStringLiteral("Total: 2"));
    EXPECT_EQ(manager.Manage_frame->Text3->text(), QStringLiteral("later"));
    EXPECT_TRUE(manager.Manage_frame->remind_chk->isChecked()); // "yes" ticks it
    EXPECT_EQ(manager.Manage_frame->Text5->text(), QStringLiteral("m9"));
    rows(manager).MoveFirst();
    EXPECT_EQ(manager.Manage_frame->Text1->text(), QStringLiteral("2003/5/8"));
    EXPECT_EQ(manager.Manage_frame->Text3->text(), QStringLiteral("earlier"));
    EXPECT_FALSE(manager.Manage_frame->remind_chk->isChecked());
}

TEST_F(Manager, EveryRowChangeRewritesTheEditBoxesWhateverTheirTexts) {
    add("2003/5/8", "9:00", "first", "YES", "m");
    const qint64 second = add("2003/5/8", "9:00", "second", "YES", "m");
    add_sch_frm& manager = open();
    // On the first row a new date, then an emptied time, which unticks the reminder; each time the user
    // leaves the box, clicks the second row, alike but for its work, and stores it.
    for (auto [box, keys] :
         {std::pair{manager.Manage_frame->Text1, "2003/6/1\t"}, {manager.Manage_frame->Text2, "\b\t"}}) {
        clickRow(manager.Sch_Database, 0, 0);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, keys);
        clickRow(manager.Sch_Database, 1, 0);
        manager.Manage_frame->cmd_modify->click();
    }
    // As stored: 2003/5/8 is day 37749, 9:00 is 0.375 of a day.
    EXPECT_EQ(fileText(second, "Schedule_Date || Schedule_Time || Remind || Message"), "377490.375YESm");
}

TEST_F(Manager, TheKeyboardGoesFromAddRoundTheWindowThroughTheGrid) {
    add("2003/5/7", "9:30", "w");
    add_sch_frm& manager = open();
    EXPECT_EQ(QApplication::focusWidget(), manager.Manage_frame->cmd_add);
    for (const Qt::KeyboardModifier shift : {Qt::NoModifier, Qt::ShiftModifier}) {
        QSet<QWidget*> reached;
        for (int i = 0; i < 60 && !reached.contains(manager.Manage_frame->cmd_add); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, shift);
            reached << QApplication::focusWidget();
        }
        EXPECT_TRUE(reached.contains(manager.Manage_frame->cmd_add) && reached.contains(manager.Sch_Database))
            << shift;
    }
}

TEST_F(Manager, DateBoxTakesDigitsAndSlashesAndABoxLeftHoldingNoDateOrTimeIsRefused) {
    add("2003/5/7", "9:30", "w", "YES", "msg");
    add_sch_frm& manager = open();
    manager.Manage_frame->Text1->clear();
    manager.Manage_frame->Text1->setFocus();
    QTest::keyClicks(manager.Manage_frame->Text1, "2003-/a5.7");
    EXPECT_EQ(manager.Manage_frame->Text1->text(), QStringLiteral("2003/57"));

    struct Case {
        QLineEdit* box;
        QString text;
        bool refused;
    };
    const Case cases[] = {
        {manager.Manage_frame->Text1, "2003/13/40", true},
        {manager.Manage_frame->Text1, "", true},
        {manager.Manage_frame->Text1, "2003/5/20", false},
        {manager.Manage_frame->Text2, "25:00", true},
        {manager.Manage_frame->Text2, "abc", true},
        {manager.Manage_frame->Text2, "9:05", false},
        {manager.Manage_frame->Text2, "2003/5/7 9:05", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        dialogs.clearRecord();
        c.box->setText(c.text);
        if (c.refused)
            dialogs.answerNext(BoxAnswer::OK);
        leave(c.box, manager.Manage_frame->Text3);
        EXPECT_EQ(dialogs.shown().size(), c.refused ? 1u : 0u);
        EXPECT_EQ(QApplication::focusWidget(), c.refused ? c.box : manager.Manage_frame->Text3);
        if (c.refused) {
            EXPECT_EQ(dialogs.shown()[0].request.title, QStringLiteral("Memorell"));
            EXPECT_EQ(c.box->selectedText(), c.text);
        }
    }

    // An emptied time takes the reminder with it.
    manager.Manage_frame->Text2->clear();
    leave(manager.Manage_frame->Text2, manager.Manage_frame->Text3);
    EXPECT_FALSE(manager.Manage_frame->remind_chk->isChecked());
    EXPECT_TRUE(manager.Manage_frame->Text5->text().isEmpty());
}

TEST_F(Manager, ARefusedBoxKeepsTheFocusWithoutPingPongAndTheClickThatLeftItDoesNotGoOn) {
    const qint64 row = add("2003/5/7", "9:30", "w");
    add_sch_frm& manager = open();
    manager.Manage_frame->Text1->setText("2003/13/40");
    manager.Manage_frame->Text2->setText("abc");
    dialogs.answerNext(BoxAnswer::OK); // one box only: a second would be unscripted
    leave(manager.Manage_frame->Text1, manager.Manage_frame->Text2);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), manager.Manage_frame->Text1);

    manager.Manage_frame->Text3->setText("not stored");
    dialogs.answerNext(BoxAnswer::OK);
    QTest::mouseClick(manager.Manage_frame->cmd_modify, Qt::LeftButton);
    EXPECT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(QApplication::focusWidget(), manager.Manage_frame->Text1);
    EXPECT_EQ(stored(row, "Work"), Value("w"));
    EXPECT_FALSE(manager.Manage_frame->cmd_modify->isDown());
}

TEST_F(Manager, UpdateAfterAnEmptiedTimeStoresNoTimeNoAndAnEmptyMessage) {
    const qint64 row = add("2003/5/7", "9:30", "w", "YES", "msg");
    add_sch_frm& manager = open();
    manager.Manage_frame->Text2->clear();
    leave(manager.Manage_frame->Text2, manager.Manage_frame->Text3);
    manager.Manage_frame->Text6->clear();
    manager.Manage_frame->cmd_modify->click();
    EXPECT_TRUE(stored(row, "Schedule_Time").isNull());
    EXPECT_EQ(stored(row, "Remind"), Value("NO"));
    EXPECT_EQ(stored(row, "Message"), Value(""));
    EXPECT_TRUE(stored(row, "Memo").isNull());
    EXPECT_EQ(stored(row, "Work"), Value("w"));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Manager, AWrongStoredRemindIsNoWhateverTheTickEvenIfTheRowsAreReadAgainUnderTheNotice) {
    const qint64 other = add("2003/5/1", "8:00", "other", "NO");
    const qint64 row = add("2003/5/7", "9:30", "w", "yes");
    add_sch_frm& manager = open();
    ASSERT_TRUE(manager.Manage_frame->remind_chk->isChecked());
    manager.Manage_frame->Text3->setText("edited");
    manager.Manage_frame->Text5->setText("new message");
    dialogs.answerNext(BoxAnswer::Cancel);
    // While the notice is open the manager's rows are read again and stand on another row.
    dialogs.duringNextBox([&] { manager.Sch_Data->Refresh(); });
    manager.Manage_frame->cmd_modify->click();
    EXPECT_EQ(dialogs.shownTexts(),
              QStringList{QStringLiteral("Remind checking is not correct, default setting is No!")});
    EXPECT_EQ(stored(row, "Remind"), Value("NO"));
    EXPECT_EQ(stored(row, "Work"), Value("edited"));
    EXPECT_EQ(stored(row, "Message"), Value("new message"));
    EXPECT_EQ(stored(other, "Work"), Value("other"));
    EXPECT_TRUE(stored(other, "Message").isNull());
    EXPECT_FALSE(manager.Manage_frame->remind_chk->isChecked());

    // "Sort" pressed while a typed Remind is still in the cell editor (as a screen reader presses it).
    platform::db::DataGrid* grid = manager.Sch_Database;
    const QModelIndex remind =
        grid->model()->index(rows(manager).rowOfKey(other), rows(manager).fieldIndex("Remind"));
    grid->setCurrentIndex(remind);
    grid->edit(remind);
    QTest::keyClicks(QApplication::focusWidget(), "yEs");
    manager.cmd_sort->click();
    EXPECT_EQ(stored(other, "Remind"), Value("YES"));
}

TEST_F(Manager, RefusalsEndInOneBoxAndChangeNoOtherRow) {
    const qint64 other = add("2003/5/1", "8:00", "other");
    const qint64 row = add("2003/5/7", "9:30", "w");
    struct Case {
        const char* name;
        std::function<void(add_sch_frm&)> arrange;
        bool databaseBox;
    };
    const Case cases[] = {
        {"a date the column refuses", [](add_sch_frm& m) { m.Manage_frame->Text1->setText("2003/13/40"); },
         true},
        {"a row deleted elsewhere",
         [&](add_sch_frm&) {
             auto rs = folder.open();
             rs->setAbsolutePosition(rs->rowOfKey(row));
             rs->Delete();
         },
         true},
        {"a row deleted here", [](add_sch_frm& m) { m.Manage_frame->cmd_del->click(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        add_sch_frm& manager = open();
        goTo(manager, row);
        dialogs.clearRecord();
        manager.Manage_frame->Text3->setText("must not be stored");
        c.arrange(manager);
        dialogs.answerNext(BoxAnswer::OK);
        manager.Manage_frame->cmd_modify->click();
        ASSERT_EQ(dialogs.shown().size(), 1u);
        if (c.databaseBox)
            EXPECT_TRUE(dialogs.shownTexts()[0].contains(folder.path()))
                << dialogs.shownTexts()[0].toStdString();
        else
            EXPECT_EQ(dialogs.shownTexts()[0], NoRowText);
        EXPECT_FALSE(folder.works().contains("must not be stored"));
        EXPECT_EQ(stored(other, "Work"), Value("other"));
        manager.close();
        settle();
    }
}

TEST_F(Manager, ALockedFileIsOneBoxAndTheRowIsLeftAsItWas) {
    const qint64 row = add("2003/5/7", "9:30", "w");
    add_sch_frm& manager = open();
    sqlite3* lock = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(folder.path()).constData(), &lock), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(lock, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    manager.Manage_frame->Text3->setText("locked out");
    dialogs.answerNext(BoxAnswer::OK);
    manager.Manage_frame->cmd_modify->click();
    sqlite3_exec(lock, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(lock);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(stored(row, "Work"), Value("w"));
    // Nothing stays pending: the next move stores nothing and asks nothing.
    rows(manager).MoveFirst();
    EXPECT_EQ(stored(row, "Work"), Value("w"));
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(Manager, DeleteDeletesTheCurrentRowWithoutAQuestionAndCountsAgain) {
    add("2003/5/1", "8:00", "first");
    add("2003/5/7", "9:30", "last");
    add_sch_frm& manager = open();
    manager.Manage_frame->cmd_del->click();
    EXPECT_EQ(folder.works(), QStringList{"first"});
    EXPECT_EQ(manager.txt_total->text(), QStringLiteral("Total: 1"));
    manager.Manage_frame->cmd_del->click(); // the deleted row is still current: nothing more goes
    EXPECT_EQ(folder.works(), QStringList{"first"});
    EXPECT_TRUE(dialogs.shown().empty());
    // The grid's deletion: a click on a record selector, some 15 pixels wide at 96 dpi, then Delete.
    EXPECT_GE(manager.Sch_Database->verticalHeader()->width(), platform::twipsToPixels(210));
    clickRow(manager.Sch_Database, 0);
    dialogs.answerNext(BoxAnswer::OK);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(dialogs.shownTexts(), QStringList{"Data deleting can't restore, are you sure?"});
    EXPECT_EQ(manager.txt_total->text() + folder.works().join(""), "Total: 0");
}

TEST_F(Manager, ExitStoresTheTypedRowAndReloadsHiddenAndExitManagerClosesTheCalendarToo) {
    add("2003/5/7", "9:30", "w");
    // "Exit" closes and loads the manager again, hidden, in manage mode.
    add_sch_frm* manager = &open();
    manager->Manage_frame->MoreClr->click();
    EXPECT_EQ(manager->mode(), add_sch_frm::Mode::DeleteMore);
    rows(*manager).Fields("Work").setValue("typed");
    const QPointer<platform::db::Recordset> closing = manager->Sch_Data->Recordset();
    manager->Manage_frame->cmd_exit->click();
    // The typed change is stored, and the closing window reads no rows again: only the fresh one does.
    EXPECT_EQ(folder.works(), QStringList{"typed"});
    ASSERT_TRUE(closing);
    EXPECT_EQ(closing->RecordCount(), 0);
    settle();
    add_sch_frm* again = program().find<add_sch_frm>();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->isVisible());
    EXPECT_EQ(again->mode(), add_sch_frm::Mode::Manage);
    EXPECT_EQ(again->txt_total->text(), QStringLiteral("Total: 1"));

    // "Exit Manager" closes the calendar too, whose closing saves the hour bell's mark.
    running->organiser.openCalendar();
    program().find<calendar_frm>()->alarm_full->setChecked(true);
    manager = &open();
    manager->showMode(add_sch_frm::Mode::Add);
    manager->add_frame->escape_cmd->click();
    settle();
    EXPECT_FALSE(program().isLoaded<add_sch_frm>());
    EXPECT_FALSE(program().isLoaded<calendar_frm>());
    EXPECT_TRUE(shared().HourBellOn);
    // ...and when the calendar is not open nothing more happens.
    manager = &open();
    manager->add_frame->escape_cmd->click();
    settle();
    EXPECT_FALSE(program().isLoaded<add_sch_frm>());
}

TEST_F(Manager, ExitScheduleKeepsAddModeOnCancelAndDropsThePendingRowOnOk) {
    add("2003/5/1", "8:00", "first");
    add("2003/5/7", "9:30", "last");
    add_sch_frm& manager = open();
    rows(manager).AddNew();
    manager.showMode(add_sch_frm::Mode::Add);
    manager.add_frame->txt_sch->setText("pending");
    EXPECT_FALSE(manager.Frame_DB->isEnabled());
    dialogs.answerNext(BoxAnswer::Cancel);
    manager.add_frame->exit->click();
    EXPECT_EQ(manager.mode(), add_sch_frm::Mode::Add);
    EXPECT_EQ(manager.add_frame->txt_sch->text(), QStringLiteral("pending"));

    dialogs.answerNext(BoxAnswer::OK);
    manager.add_frame->exit->click();
    EXPECT_EQ(manager.mode(), add_sch_frm::Mode::Manage);
    EXPECT_TRUE(manager.Frame_DB->isEnabled());
    EXPECT_TRUE(manager.cmd_sort->isEnabled());
    EXPECT_EQ(manager.Manage_frame->Text3->text(), QStringLiteral("last"));
    EXPECT_EQ(folder.works(), (QStringList{"first", "last"}));
}

} // namespace
