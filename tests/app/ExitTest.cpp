#include "app/about_frm.h"
#include "app/frm_getmsg.h"
#include "platform/ui/Timer.h"
#include "support/ProgramFixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>

using namespace testsupport;
using platform::BoxAnswer;

class Exit : public ProgramFixture {
protected:
    frm_getmsg& start(const QByteArray& settings) {
        writeSettings(settings);
        frm_getmsg& main = startMainWindow();
        network.clearRecord();
        return main;
    }
};

TEST_F(Exit, YesWritesTheOptionThenSendsTheQuitNoticeThenEnds) {
    struct Case {
        QByteArray before;
        bool toggle;
        QByteArray after;
    };
    const Case cases[] = {
        {"True\r\n\r\n", false, "True\r\n\r\n"},
        {"True\r\n\r\n", true, "False\r\n\r\n"},
        {"False\r\n\r\nleft over", true, "True\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before.toStdString());
        restartProgram();
        processEnd.calls = 0;
        frm_getmsg& main = start(c.before);
        if (c.toggle)
            main.show_today_sch->trigger();
        processEnd.onEnd = [&] {
            EXPECT_EQ(readSettings(), c.after);
            EXPECT_EQ(sentTexts(), QStringList{QStringLiteral("QN-PC-01")});
        };
        dialogs.answerNext(BoxAnswer::Yes);
        main.cmd_exit_Click();
        EXPECT_EQ(processEnd.calls, 1);
        const auto& question = dialogs.shown().back().request;
        EXPECT_EQ(question.text, ExitQuestion);
        EXPECT_EQ(question.buttons, platform::BoxButtons::YesNo);
        EXPECT_EQ(question.title, QStringLiteral("Memorell"));
        EXPECT_EQ(network.sent().front().toPort, 7777);
    }
}

// The question is a box: while it is open messages arrive, timers tick and windows close, and No keeps it
// all.
TEST_F(Exit, NoWritesAndSendsNothingAndTheProgramRunsOnUnderTheQuestion) {
    frm_getmsg& main = start("True\r\n\r\n");
    main.show_today_sch->trigger();
    main.about_Click();
    dialogs.answerNext(BoxAnswer::No);
    dialogs.duringNextBox([&] {
        arrive(QStringLiteral("TIME:PC-02"));
        arrive(QStringLiteral("REP-USER:PC-02"));
        arrive(QString::fromUtf8("PC-02說：hi"));
        QMetaObject::invokeMethod(main.sch_alarm_timer, "timeout");
        program->find<about_frm>()->close();
    });
    main.exit->trigger();
    EXPECT_EQ(processEnd.calls, 0);
    EXPECT_EQ(readSettings(), "True\r\n\r\n");
    EXPECT_TRUE(network.sent().empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.MsgState->text(), QStringLiteral("1 / 1"));
    EXPECT_EQ(organiser.alarmTicks, 1);
    EXPECT_FALSE(program->isLoaded<about_frm>());
}

TEST_F(Exit, ClosingTheWindowAsksTheSameQuestion) {
    frm_getmsg& main = start("False\r\n\r\n");
    dialogs.answerNext(BoxAnswer::No);
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(program->isLoaded<frm_getmsg>());
    EXPECT_EQ(dialogs.shown().back().request.text, ExitQuestion);
    EXPECT_EQ(processEnd.calls, 0);

    dialogs.answerNext(BoxAnswer::Yes);
    main.close();
    EXPECT_EQ(processEnd.calls, 1);
    EXPECT_EQ(readSettings(), "False\r\n\r\n");
}

TEST_F(Exit, SettingsThatCannotBeWrittenAreReportedAndTheExitGoesOn) {
    frm_getmsg& main = start("True\r\n\r\n");
    // A folder in the file's place cannot be replaced by a file.
    QFile::remove(QDir(folder.path()).filePath(QStringLiteral("schedule.txt")));
    QDir(folder.path()).mkdir(QStringLiteral("schedule.txt"));
    dialogs.answerNext(BoxAnswer::Yes);
    dialogs.answerNext(BoxAnswer::OK);
    main.cmd_exit_Click();
    EXPECT_TRUE(dialogs.shownTexts().back().contains(QStringLiteral("schedule.txt")));
    EXPECT_EQ(sentTexts(), QStringList{QStringLiteral("QN-PC-01")});
    EXPECT_EQ(processEnd.calls, 1);
}
