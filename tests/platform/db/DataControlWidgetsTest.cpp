#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/DataGrid.h"
#include "platform/db/RecordsetModel.h"

#include "schedule/ScheduleGridRules.h"
#include "support/FakeEnvironment.h"
#include "support/ScheduleFolder.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using platform::Error;
using platform::Value;
using platform::db::Adodc;
using platform::db::BoundTextBox;
using platform::db::DataGrid;

class DataControlWidgets : public testing::Test {
protected:
    void SetUp() override {
        folder.add("2003/5/7", "9:30", "a", "NO");
        folder.add("2003/5/8", "10:00", "b", "YES");
        folder.add("2003/5/9", "11:00", "c", "NO");
        data = new Adodc(
            common::systemDateTextRule(), [this](const Error& e) { errors << e.reason(); }, &window);
        grid = new DataGrid(&window);
        work = new BoundTextBox(&window);
        grid->setGeometry(0, 40, 600, 300);
        data->setConnectionString(folder.connectionString());
        data->setRecordSource(schedule::ScheduleTable);
        grid->setDataSource(data);
        work->setDataSource(data);
        work->setDataField("Work");
        data->Refresh();
        window.resize(640, 400);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY_(QTest::qWaitForWindowActive(&window));
    }
    void QVERIFY_(bool ok) { ASSERT_TRUE(ok); }

    QModelIndex cell(int row, const QString& field) {
        return grid->model()->index(row, data->Recordset()->fieldIndex(field));
    }
    void click(int row, const QString& field) {
        const QRect rect = grid->visualRect(cell(row, field));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Types into a cell's editor; Return closes the editor and leaves the row's change pending.
    void typeInto(int row, const QString& field, const QString& text, bool pressReturn = true) {
        grid->setFocus();
        grid->setCurrentIndex(cell(row, field));
        grid->edit(cell(row, field));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        if (!pressReturn)
            return;
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the editor through a posted call.
        QApplication::processEvents();
    }
    void activate(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
    }

    dbtest::ScheduleFolder folder;
    QWidget window;
    Adodc* data = nullptr;
    DataGrid* grid = nullptr;
    // What the data control reported, reason by reason.
    QStringList errors;
    BoundTextBox* work = nullptr;
};

TEST_F(DataControlWidgets, GridShowsOneColumnPerFieldHeadedByItsName) {
    ASSERT_EQ(grid->model()->columnCount(), 7);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Schedule_Date");
    EXPECT_EQ(grid->model()->headerData(6, Qt::Horizontal).toString(), "SchNo");
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->data(cell(0, "Schedule_Time")).toString(), "上午 09:30:00");

    grid->Columns("SchNo").setVisible(false);
    grid->Columns("Remind").setAlignment(platform::db::ColumnAlignment::Center);
    grid->Columns("Work").setWidth(2350);
    EXPECT_TRUE(grid->isColumnHidden(6));
    EXPECT_TRUE(grid->model()->data(cell(0, "Remind"), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignHCenter);
    EXPECT_NEAR(grid->Columns("Work").Width(), 2350, 20);
    EXPECT_THROW(grid->Columns("Nope"), Error);
}

TEST_F(DataControlWidgets, CurrentRowIsSharedBothWaysAndBoundBoxesFollowIt) {
    QSignalSpy changes(work, &QLineEdit::textChanged);
    EXPECT_EQ(work->text(), "a");
    data->Recordset()->MoveLast();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(work->text(), "c");
    click(1, "Work");
    EXPECT_EQ(data->Recordset()->AbsolutePosition(), 1);
    EXPECT_EQ(work->text(), "b");
    EXPECT_EQ(changes.count(), 2);
    EXPECT_FALSE(work->DataChanged());

    // The bar's buttons move the same record set and stop at either end.
    data->findChild<QToolButton*>("first")->click();
    EXPECT_EQ(grid->currentIndex().row(), 0);
    data->findChild<QToolButton*>("previous")->click();
    EXPECT_EQ(data->Recordset()->AbsolutePosition(), 0);
    data->findChild<QToolButton*>("last")->click();
    data->findChild<QToolButton*>("next")->click();
    EXPECT_EQ(data->Recordset()->AbsolutePosition(), 2);
    EXPECT_EQ(work->text(), "c");
}

TEST_F(DataControlWidgets, CellEditsAreStoredWhenTheRowIsLeftAndRaiseAfterUpdate) {
    QSignalSpy afterUpdate(grid, &DataGrid::AfterUpdate);
    typeInto(0, "Work", "edited");
    typeInto(0, "Remind", "yes");
    EXPECT_EQ(afterUpdate.count(), 0);
    EXPECT_EQ(folder.works().first(), "a");
    EXPECT_EQ(work->text(), "edited");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(afterUpdate.count(), 1);
    EXPECT_EQ(data->Recordset()->AbsolutePosition(), 1);
    EXPECT_EQ(folder.works().first(), "edited");
    auto rs = folder.open();
    EXPECT_EQ(rs->Fields("Remind").Value(), Value("yes"));
}

TEST_F(DataControlWidgets, EscapeDropsTheRowsEditsAndARefusedCellIsReported) {
    QSignalSpy afterUpdate(grid, &DataGrid::AfterUpdate);
    typeInto(1, "Schedule_Date", "2003/13/40");
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(grid->model()->data(cell(1, "Schedule_Date")).toString(), "2003/5/8");
    typeInto(1, "Work", "typed");
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(work->text(), "b");
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(afterUpdate.count(), 0);
    EXPECT_EQ(folder.works(), QStringList({"a", "b", "c"}));
}

TEST_F(DataControlWidgets, DeleteKeyAsksBeforeDeleteWhichCanCancel) {
    QSignalSpy afterDelete(grid, &DataGrid::AfterDelete);
    bool cancel = true;
    int asked = 0;
    QObject::connect(grid, &DataGrid::BeforeDelete, grid, [&](qint16& Cancel) {
        ++asked;
        Cancel = cancel ? 1 : 0;
    });
    grid->setFocus();
    grid->selectRow(1);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(afterDelete.count(), 0);
    EXPECT_EQ(folder.works(), QStringList({"a", "b", "c"}));

    cancel = false;
    grid->selectRow(1);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(afterDelete.count(), 1);
    EXPECT_EQ(folder.works(), QStringList({"a", "c"}));
    EXPECT_EQ(data->Recordset()->RecordCount(), 2);
    EXPECT_EQ(work->text(), "c");

    // With no whole row selected the key does nothing.
    grid->clearSelection();
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(asked, 2);
}

TEST_F(DataControlWidgets, BoundBoxesHandTheirTextsToTheRowWhenItIsStored) {
    BoundTextBox date, time;
    date.setDataSource(data);
    date.setDataField("Schedule_Date");
    time.setDataSource(data);
    time.setDataField("Schedule_Time");
    auto* rs = data->Recordset();
    rs->AddNew();
    EXPECT_EQ(date.text(), "");
    date.setText("2003/6/5");
    time.setText("9:30");
    work->setText("new work");
    EXPECT_TRUE(date.DataChanged());
    // A field written by code shows at once and leaves the other boxes' texts alone.
    rs->Fields("Remind").setValue("YES");
    EXPECT_EQ(date.text(), "2003/6/5");
    rs->Update();
    EXPECT_FALSE(date.DataChanged());
    EXPECT_EQ(time.text(), "上午 09:30:00");
    EXPECT_EQ(rs->RecordCount(), 4);
    auto back = folder.open(schedule::oneDayStatement("2003/6/5"));
    ASSERT_EQ(back->RecordCount(), 1);
    EXPECT_EQ(back->Fields("Work").Value(), Value("new work"));
    EXPECT_EQ(back->Fields("Remind").Value(), Value("YES"));

    // A text the column refuses stops the store and stays as typed.
    rs->AddNew();
    time.setText("25:00");
    work->setText("refused");
    EXPECT_THROW(rs->Update(), Error);
    EXPECT_EQ(time.text(), "25:00");
    EXPECT_EQ(folder.works().size(), 4);
}

TEST_F(DataControlWidgets, AFailedRefreshKeepsTheRowsItHadAndASuccessfulOneLetsThemGoFirst) {
    const QPointer<platform::db::Recordset> before = data->Recordset();
    data->setRecordSource("delete from 我的行程 where Schedule_Date <#2100/1/1#");
    EXPECT_THROW(data->Refresh(), Error);
    EXPECT_EQ(data->Recordset(), before);
    EXPECT_EQ(before->RecordCount(), 3);
    data->setRecordSource(schedule::oneDayStatement("2003/5/8"));
    data->Refresh();
    ASSERT_TRUE(before); // goes later, but holds no rows while the new ones are read
    EXPECT_EQ(before->RecordCount(), 0);
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->columnCount(), 6);
    EXPECT_EQ(work->text(), "b");
    EXPECT_EQ(folder.works().size(), 3);
}

// One rule whether or not the cell editor is still open: the grid stores a typed edit itself when the user
// leaves the window or closes it, a re-query stores it as code does, and only Escape or CancelUpdate drop it.
// A click elsewhere in the window leaves it pending.
TEST_F(DataControlWidgets, ATypedEditIsStoredUnlessTheUserDropsIt) {
    auto* button = new QPushButton("button", &window);
    button->setGeometry(0, 0, 100, 30);
    button->show();
    std::function<void()> onClick = [] {};
    QObject::connect(button, &QPushButton::clicked, data, [&] { onClick(); });
    auto clickButton = [&](std::function<void()> action) {
        return [&, action] {
            onClick = action;
            QTest::mouseClick(button, Qt::LeftButton);
        };
    };
    const auto requery = [&] { data->Refresh(); };
    const auto cancelUpdate = [&] { data->Recordset()->CancelUpdate(); };
    QWidget other;
    struct Case {
        const char* name;
        bool editorOpen;
        std::function<void()> end;
        bool stored;
        int afterUpdates;
    };
    const std::vector<Case> cases = {
        {"another window, editor open", true, [&] { activate(other); }, true, 1},
        {"another window, editor closed", false, [&] { activate(other); }, true, 1},
        {"another window after a click in the window", true,
         [&] {
             clickButton([] {})();
             activate(other);
         },
         true, 1},
        {"window closed, editor open", true, [&] { window.close(); }, true, 1},
        {"re-query, editor open", true, requery, true, 0},
        {"re-query from a button", false, clickButton(requery), true, 0},
        {"Cancel Update, editor open", true, clickButton(cancelUpdate), false, 0},
        {"Cancel Update, editor closed", false, clickButton(cancelUpdate), false, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        activate(window);
        data->Refresh();
        const QString typed = QStringLiteral("typed %1").arg(i);
        typeInto(0, "Work", typed, !c.editorOpen);
        QSignalSpy afterUpdate(grid, &DataGrid::AfterUpdate);
        c.end();
        QApplication::processEvents();
        EXPECT_EQ(folder.works().contains(typed), c.stored);
        EXPECT_EQ(afterUpdate.count(), c.afterUpdates);
    }
}

TEST_F(DataControlWidgets, APendingNewRowIsNotTheGridsToStore) {
    QWidget other;
    data->Recordset()->AddNew();
    work->setText("new");
    click(1, "Work");
    QTest::keyClicks(grid, "x");
    QTest::keyClick(grid, Qt::Key_Return);
    activate(other);
    window.close();
    QApplication::processEvents();
    EXPECT_EQ(data->Recordset()->editMode(), platform::db::Recordset::EditMode::Adding);
    data->Refresh();
    EXPECT_EQ(folder.works(), QStringList({"a", "b", "c"}));
}

TEST_F(DataControlWidgets, CodeThatStoresTheEditedRowRaisesNoAfterUpdate) {
    auto rs = [&] { return data->Recordset(); };
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"Update", [&] { rs()->Update(); }},      {"Sort", [&] { rs()->setSort("Schedule_Time"); }},
        {"AddNew", [&] { rs()->AddNew(); }},      {"a move", [&] { rs()->MoveLast(); }},
        {"a re-query", [&] { data->Refresh(); }},
    };
    schedule::keepTypedRemindNormalised(*grid); // the schedule grids' rule goes with every store
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].first);
        data->Refresh();
        const QString typed = QStringLiteral("typed %1").arg(i);
        typeInto(0, "Work", typed);
        typeInto(0, "Remind", i % 2 ? "nO" : "yEs");
        QSignalSpy afterUpdate(grid, &DataGrid::AfterUpdate);
        cases[i].second();
        EXPECT_TRUE(folder.works().contains(typed));
        EXPECT_EQ(folder.open()->Fields("Remind").Value(), Value(i % 2 ? "NO" : "YES"));
        // Nor has the grid anything of its own left to store.
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_EQ(afterUpdate.count(), 0);
    }
}

TEST_F(DataControlWidgets, AReQueryThatCannotStoreATypedEditGoesOnAndSaysSoAfterwards) {
    typeInto(0, "Work", "typed");
    folder.open()->Delete();
    data->Refresh();
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_TRUE(errors.isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(DataControlWidgets, ARetypedTextIsAnEditAndAnEditorLeftUntouchedIsNot) {
    QSignalSpy afterUpdate(grid, &DataGrid::AfterUpdate);
    grid->setFocus();
    grid->setCurrentIndex(cell(0, "Remind"));
    grid->edit(cell(0, "Remind"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(afterUpdate.count(), 0);
    typeInto(1, "Remind", "YES");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(afterUpdate.count(), 1);
}

TEST_F(DataControlWidgets, ADeletedRowStaysInTheBoundBoxesUntilTheNextMove) {
    QSignalSpy changes(work, &QLineEdit::textChanged);
    data->Recordset()->Delete();
    EXPECT_EQ(work->text(), "a");
    EXPECT_EQ(changes.count(), 0);
    data->Recordset()->MoveNext();
    EXPECT_EQ(work->text(), "b");
}

TEST_F(DataControlWidgets, ACaptionStandsAboveTheColumnHeadings) {
    const QRect headings = grid->horizontalHeader()->geometry();
    grid->setCaption("Schedule");
    auto* caption = grid->findChild<QLabel*>();
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->isVisible());
    EXPECT_EQ(caption->text(), "Schedule");
    EXPECT_GT(grid->horizontalHeader()->geometry().top(), caption->geometry().bottom());
    EXPECT_EQ(grid->horizontalHeader()->height(), headings.height());
    grid->setCaption("");
    EXPECT_FALSE(caption->isVisible());
    EXPECT_EQ(grid->horizontalHeader()->geometry(), headings);
}

// A box opened from the grid runs an event loop, in which the window holding the grid may be unloaded or its
// data read anew. The grid then deletes what is still there to delete and touches nothing that is gone.
TEST(DataGridUnderABox, TheWindowOrItsRowsMayGoWhileTheBoxIsOpen) {
    struct Case {
        const char* name;
        bool leaveAnEditedRow; // else delete the second row
        std::function<void(QWidget& window, Adodc& data)> underTheBox;
        QStringList left;
    };
    const std::vector<Case> cases = {
        {"delete, window unloaded", false, [](QWidget& w, Adodc&) { w.deleteLater(); }, {"a", "b", "c"}},
        {"delete, rows read anew", false, [](QWidget&, Adodc& d) { d.Refresh(); }, {"a", "c"}},
        {"after-edit, window unloaded",
         true,
         [](QWidget& w, Adodc&) { w.deleteLater(); },
         {"edited", "b", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dbtest::ScheduleFolder folder;
        for (const char* work : {"a", "b", "c"})
            folder.add("2003/5/7", "9:30", work);
        testsupport::ScriptedDialogs dialogs;
        QPointer<QWidget> window = new QWidget;
        // What fails here is not what this test is about.
        auto* data = new Adodc(
            common::systemDateTextRule(), [](const Error&) {}, window);
        auto* grid = new DataGrid(window);
        data->setConnectionString(folder.connectionString());
        data->setRecordSource(schedule::ScheduleTable);
        grid->setDataSource(data);
        data->Refresh();
        bool DeleteConfirmed = false;
        QObject::connect(grid, &DataGrid::BeforeDelete, grid, [&](qint16& Cancel) {
            schedule::applyBeforeDeleteRule(dialogs, *window, DeleteConfirmed, Cancel);
        });
        QObject::connect(grid, &DataGrid::AfterUpdate, grid, [&] { platform::warn(dialogs, "after edit"); });
        dialogs.answerNext(platform::BoxAnswer::OK);
        dialogs.duringNextBox([&] { c.underTheBox(*window, *data); });
        if (c.leaveAnEditedRow) {
            grid->model()->setData(grid->model()->index(0, 2), "edited");
            QTest::keyClick(grid, Qt::Key_Down);
        } else {
            grid->selectRow(1);
            QTest::keyClick(grid, Qt::Key_Delete);
        }
        EXPECT_EQ(folder.works(), c.left);
        delete window.data();
    }
}

} // namespace
