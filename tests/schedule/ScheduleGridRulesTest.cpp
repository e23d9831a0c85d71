#include "schedule/ScheduleGridRules.h"

#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"

#include "support/FakeEnvironment.h"
#include "support/ScheduleFolder.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using platform::BoxAnswer;
using platform::Value;

TEST(NormalisedRemind, UpperCasesAndTurnsEverythingElseIntoNo) {
    const std::vector<std::pair<Value, Value>> cases = {
        {"yes", "YES"}, {"No", "NO"},   {"YES", "YES"}, {"NO", "NO"},   {"Y", "NO"},
        {"", "NO"},     {" YES", "NO"}, {"YES ", "NO"}, {"yEs", "YES"}, {Value(), Value()},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(schedule::normalisedRemind(in), out) << in.text().toStdString();
}

class GridRules : public testing::Test {
protected:
    void SetUp() override {
        folder.add("2003/5/7", "9:0", "a", "yes");
        rs = folder.open();
    }
    Value storedRemind() {
        auto back = folder.open();
        return back->Fields("Remind").Value();
    }

    dbtest::ScheduleFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<platform::db::Recordset> rs;
    bool DeleteConfirmed = false;
    QObject window;
};

TEST_F(GridRules, AfterEditStoresTheNormalisedRemind) {
    schedule::applyAfterEditRule(*rs, DeleteConfirmed, dialogs);
    EXPECT_EQ(storedRemind(), Value("YES"));
    rs->Update("Remind", Value());
    schedule::applyAfterEditRule(*rs, DeleteConfirmed, dialogs);
    EXPECT_TRUE(storedRemind().isNull());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(GridRules, AConfirmedDeletionLeavesTheNextAfterEditAloneAndIsThenCleared) {
    qint16 Cancel = 0;
    dialogs.answerNext(BoxAnswer::OK);
    schedule::applyBeforeDeleteRule(dialogs, window, DeleteConfirmed, Cancel);
    EXPECT_EQ(Cancel, 0);
    EXPECT_TRUE(DeleteConfirmed);
    schedule::applyAfterEditRule(*rs, DeleteConfirmed, dialogs);
    EXPECT_FALSE(DeleteConfirmed);
    EXPECT_EQ(storedRemind(), Value("yes"));
    schedule::applyAfterEditRule(*rs, DeleteConfirmed, dialogs);
    EXPECT_EQ(storedRemind(), Value("YES"));
}

TEST_F(GridRules, CancelCancelsTheDeletionAndLeavesDeleteConfirmedAsItWas) {
    for (const bool before : {false, true}) {
        DeleteConfirmed = before;
        qint16 Cancel = 0;
        dialogs.answerNext(BoxAnswer::Cancel);
        schedule::applyBeforeDeleteRule(dialogs, window, DeleteConfirmed, Cancel);
        EXPECT_NE(Cancel, 0);
        EXPECT_EQ(DeleteConfirmed, before);
    }
}

TEST_F(GridRules, OnAGridCancelDeletesNothingAndOkDeletesTheSelectedRow) {
    folder.add("2003/5/8", "9:0", "b", "NO");
    platform::db::Adodc data(common::systemDateTextRule(), dbtest::failOnReport);
    platform::db::DataGrid grid;
    schedule::bindScheduleData(data, grid, "我的行程", "Schedule_Date", folder.folder());
    QObject::connect(&grid, &platform::db::DataGrid::BeforeDelete, &grid, [&](qint16& Cancel) {
        schedule::applyBeforeDeleteRule(dialogs, window, DeleteConfirmed, Cancel);
    });
    grid.selectRow(0);
    dialogs.answerNext(BoxAnswer::Cancel);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_EQ(folder.works(), QStringList({"a", "b"}));
    EXPECT_FALSE(DeleteConfirmed);
    grid.selectRow(0);
    dialogs.answerNext(BoxAnswer::OK);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_EQ(folder.works(), QStringList{"b"});
    EXPECT_TRUE(DeleteConfirmed);
}

} // namespace
