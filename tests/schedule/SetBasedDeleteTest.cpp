#include "schedule/SetBasedDelete.h"

#include "platform/Error.h"
#include "schedule/ScheduleGridRules.h"

#include "support/FakeEnvironment.h"
#include "support/ScheduleFolder.h"

#include <gtest/gtest.h>

namespace {

using platform::BoxAnswer;
using schedule::SetDeleteOutcome;

class SetBasedDelete : public testing::Test {
protected:
    void SetUp() override {
        folder.add("2003/4/30", {}, "april");
        folder.add("2003/5/1", {}, "first");
        folder.add("2003/5/1 8:00", {}, "first with time");
        folder.add("2003/5/2", {}, "second");
    }
    SetDeleteOutcome run(const QString& op, const QString& selectedDate) {
        return schedule::runSetBasedDelete({connection, command, sql}, op, selectedDate, folder.folder(),
                                           dialogs);
    }

    dbtest::ScheduleFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<platform::db::Connection> connection;
    std::unique_ptr<platform::db::Command> command;
    QString sql;
};

TEST_F(SetBasedDelete, SetsTheConnectionBeforeTheQuestionAndCancelDeletesNothing) {
    QString connectionAtQuestion;
    bool openAtQuestion = true;
    dialogs.answerNext(BoxAnswer::Cancel);
    dialogs.duringNextBox([&] {
        connectionAtQuestion = connection->ConnectionString();
        openAtQuestion = connection->isOpen();
    });
    EXPECT_EQ(run("=", "2003/5/1"), SetDeleteOutcome::Cancelled);
    EXPECT_EQ(connectionAtQuestion, folder.connectionString());
    EXPECT_FALSE(openAtQuestion);
    EXPECT_EQ(connection->CursorLocation(), platform::db::CursorLocation::Client);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const auto& box = dialogs.shown()[0].request;
    EXPECT_EQ(box.text, "Data deleting can't restore, are you sure?");
    EXPECT_EQ(box.buttons, platform::BoxButtons::OKCancel);
    EXPECT_EQ(box.icon, platform::BoxIcon::None);
    EXPECT_EQ(box.title, "Memorell");
    EXPECT_TRUE(sql.isEmpty());
    EXPECT_EQ(folder.works().size(), 4);
}

TEST_F(SetBasedDelete, OkDeletesTheDayOrEverythingBeforeIt) {
    dialogs.answerNext(BoxAnswer::OK);
    EXPECT_EQ(run("=", "2003/5/1"), SetDeleteOutcome::Deleted);
    EXPECT_EQ(sql, "delete from 我的行程 where Schedule_Date =#2003/5/1#");
    EXPECT_EQ(command->CommandText(), sql);
    EXPECT_FALSE(connection->isOpen());
    EXPECT_EQ(folder.works(), QStringList({"april", "first with time", "second"}));

    dialogs.answerNext(BoxAnswer::OK);
    EXPECT_EQ(run("<", "2003/5/2"), SetDeleteOutcome::Deleted);
    EXPECT_EQ(sql, "delete from 我的行程 where Schedule_Date <#2003/5/2#");
    EXPECT_EQ(folder.works(), QStringList{"second"});
}

TEST_F(SetBasedDelete, HostileDatesDeleteNothingAndShowOneBoxNamingTheFile) {
    for (const QString hostile : {"2003/5/1# or 1=1 --", "');drop table", "2003/13/40"}) {
        dialogs.clearRecord();
        dialogs.answerNext(BoxAnswer::OK);
        dialogs.answerNext(BoxAnswer::OK);
        EXPECT_EQ(run("<", hostile), SetDeleteOutcome::Failed) << hostile.toStdString();
        ASSERT_EQ(dialogs.shown().size(), 2u);
        const auto& box = dialogs.shown()[1].request;
        EXPECT_TRUE(box.text.contains(folder.path())) << box.text.toStdString();
        EXPECT_EQ(box.icon, platform::BoxIcon::Exclamation);
        EXPECT_FALSE(connection->isOpen());
        EXPECT_EQ(folder.works().size(), 4);
    }
}

TEST_F(SetBasedDelete, AMissingFileIsReportedAndNotCreated) {
    QTemporaryDir empty;
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.answerNext(BoxAnswer::OK);
    EXPECT_EQ(schedule::runSetBasedDelete({connection, command, sql}, "=", "2003/5/1", empty.path(), dialogs),
              SetDeleteOutcome::Failed);
    EXPECT_TRUE(dialogs.shown()[1].request.text.contains("does not exist"));
    EXPECT_FALSE(QFile::exists(schedule::scheduleDatabasePath(empty.path())));
}

} // namespace
