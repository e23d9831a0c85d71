#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/DataGrid.h"
#include "platform/db/RecordsetModel.h"

#include "DbTestFiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using platform::Value;
using platform::db::Adodc;
using platform::db::BoundTextBox;
using platform::db::DataGrid;
using platform::db::DbError;

class DataControlWidgets : public testing::Test {
protected:
    void SetUp() override {
        folder.add("2003/5/7", "9:30", "a", "NO");
        folder.add("2003/5/8", "10:00", "b", "YES");
        folder.add("2003/5/9", "11:00", "c", "NO");
        data = new Adodc(common::systemDateTextRule(), &window);
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
    void typeInto(int row, const QString& field, const QString& text) {
        grid->setFocus();
        grid->setCurrentIndex(cell(row, field));
        grid->edit(cell(row, field));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the editor through a posted call.
        QApplication::processEvents();
    }

    dbtest::ScheduleFolder folder;
    QWidget window;
    Adodc* data = nullptr;
    DataGrid* grid = nullptr;
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
    EXPECT_THROW(grid->Columns("Nope"), DbError);
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
    QStringList errors;
    QObject::connect(data, &Adodc::Error, data, [&](const DbError& e) { errors << e.reason(); });
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
    EXPECT_THROW(rs->Update(), DbError);
    EXPECT_EQ(time.text(), "25:00");
    EXPECT_EQ(folder.works().size(), 4);
}

TEST_F(DataControlWidgets, AFailedRefreshKeepsTheRowsItHad) {
    auto* before = data->Recordset();
    data->setRecordSource("delete from 我的行程 where Schedule_Date <#2100/1/1#");
    EXPECT_THROW(data->Refresh(), DbError);
    EXPECT_EQ(data->Recordset(), before);
    data->setRecordSource(schedule::oneDayStatement("2003/5/8"));
    data->Refresh();
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->columnCount(), 6);
    EXPECT_EQ(work->text(), "b");
    EXPECT_EQ(folder.works().size(), 3);
}

} // namespace
