#include "app/Mark.h"
#include "app/frm_getmsg.h"
#include "messaging/frm_sendmsg.h"
#include "platform/ui/Timer.h"
#include "support/ProgramFixture.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>
#include <sys/stat.h>

using namespace testsupport;
using platform::BoxAnswer;

class Startup : public ProgramFixture {};

TEST_F(Startup, SubnetNoticeComesFirstWhileTheSplashIsUpAndNoSocketIsOpen) {
    writeSettings("False\r\n\r\n");
    Mark& splash = program->get<Mark>();
    splash.Show();
    // Borderless, no taskbar button, its picture over its whole area, centred.
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.windowType(), Qt::SplashScreen);
    EXPECT_EQ(splash.size(), QSize(512, 482));
    EXPECT_EQ(splash.Picture->pixmap().size(), QSize(512, 482));
    EXPECT_EQ(splash.frameGeometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] {
        EXPECT_TRUE(network.bindAttempts().empty());
        EXPECT_TRUE(network.sent().empty());
        EXPECT_TRUE(organiser.calls.isEmpty());
        EXPECT_TRUE(program->isLoaded<Mark>());
        EXPECT_TRUE(splash.isVisible());
    });
    splash.Timer1_Timer();
    splash.Timer1_Timer();
    EXPECT_FALSE(program->isLoaded<frm_getmsg>());
    splash.Timer1_Timer();

    ASSERT_EQ(dialogs.shown().size(), 1u);
    const auto& notice = dialogs.shown().front().request;
    EXPECT_EQ(notice.text, SubnetNotice);
    EXPECT_EQ(notice.buttons, platform::BoxButtons::OK);
    EXPECT_EQ(notice.icon, platform::BoxIcon::None);
    EXPECT_TRUE(notice.title.isEmpty());
    EXPECT_FALSE(program->isLoaded<Mark>());
    ASSERT_TRUE(program->isLoaded<frm_getmsg>());
    frm_getmsg& main = *program->find<frm_getmsg>();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMinimized());
}

// The notice runs an event loop: the splash does not tick under it, and may be closed under it.
TEST_F(Startup, TheSplashNeitherTicksNorStaysWhenClosedUnderTheNotice) {
    Mark& splash = program->get<Mark>();
    splash.Show();
    bool ticking = true;
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.duringNextBox([&] {
        ticking = splash.Timer1->isActive();
        splash.close();
    });
    for (int tick = 1; tick <= 3; ++tick)
        splash.Timer1_Timer();
    EXPECT_FALSE(ticking);
    EXPECT_FALSE(program->isLoaded<Mark>());
    ASSERT_TRUE(program->isLoaded<frm_getmsg>());
    EXPECT_TRUE(program->find<frm_getmsg>()->isVisible());
}

TEST_F(Startup, LoadingStepsRunInTheirOrderAndTheQueryGoesToTheSubnet) {
    writeSettings("False\r\n\r\n");
    host.ip = QStringLiteral("10.1.2.3");
    network.ownAddress = QHostAddress(host.ip);
    startMainWindow();

    EXPECT_EQ(organiser.calls, QStringList{QStringLiteral("LoadTodayAlarms")});
    EXPECT_EQ(program->shared.HourBellMessage,
              QStringLiteral("Clock reminds you: Don't forget to do something!"));
    EXPECT_FALSE(program->shared.HourBellOn);
    EXPECT_EQ(program->shared.BroadcastAddress, QStringLiteral("10.1.2.255"));
    EXPECT_TRUE(network.isBound(7777));
    // The compose window hosts the sending socket, loaded without being shown.
    ASSERT_TRUE(program->isLoaded<frm_sendmsg>());
    EXPECT_FALSE(program->find<frm_sendmsg>()->isVisible());
    ASSERT_FALSE(network.sent().empty());
    const auto& query = network.sent().front();
    EXPECT_EQ(query.text(), QStringLiteral("Return Hostname-PC-01"));
    EXPECT_EQ(query.fromPort, 6666);
    EXPECT_EQ(query.to, QHostAddress(QStringLiteral("10.1.2.255")));
    EXPECT_EQ(query.toPort, 7777);
    EXPECT_FALSE(network.isBound(6666));
    // The copy hears its own query, answers it, and hears its own answer.
    EXPECT_EQ(sentTexts(),
              (QStringList{QStringLiteral("Return Hostname-PC-01"), QStringLiteral("Neighbor-PC-01")}));
    EXPECT_EQ(program->shared.TempList, QStringList{QStringLiteral("PC-01")});
}

TEST_F(Startup, SettingsFileDecidesTheOneDayList) {
    struct Case {
        const char* file;
        bool checked;
        bool listOpens;
    };
    const Case cases[] = {
        {"True\r\n\r\n", true, true},  {"False\r\n\r\n", false, false},
        {"False\r\r", false, false},   // a lone CR ends a line too
        {"<no file>", true, true},     // missing: the design state, checked
        {"True\r\n", true, true},      // one line only: malformed, the design state
        {"Maybe\r\n\r\n", true, true}, // neither word: the design state
        {"<fifo>", true, true},        // not a regular file: as missing, and no wait for a writer
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        restartProgram();
        organiser.calls.clear();
        const QString path = QDir(folder.path()).filePath(QStringLiteral("schedule.txt"));
        QFile::remove(path);
        if (QByteArray(c.file) == "<fifo>")
            ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (QByteArray(c.file) != "<no file>")
            writeSettings(c.file);
        clock.set(QDateTime(QDate(2003, 5, 7), QTime(8, 0)));
        frm_getmsg& main = startMainWindow();
        EXPECT_EQ(main.show_today_sch->isChecked(), c.checked);
        if (c.listOpens) {
            EXPECT_EQ(program->shared.SelectedDate, QStringLiteral("2003/5/7"));
            EXPECT_EQ(organiser.calls, (QStringList{QStringLiteral("LoadTodayAlarms"),
                                                    QStringLiteral("showOneDayList: 2003/ 5/ 7 Schedule")}));
        } else {
            EXPECT_EQ(organiser.calls, QStringList{QStringLiteral("LoadTodayAlarms")});
        }
        // Nothing is written at start.
        if (QByteArray(c.file) == "<fifo>")
            continue; // reading it would wait for a writer
        EXPECT_EQ(readSettings(), c.file);
    }
}

TEST_F(Startup, MainWindowMatchesItsDesign) {
    frm_getmsg& main = startMainWindow();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Quibbly"));
    const QList<QToolButton*> row = {main.new_msg, main.reply_cmd, main.previous,
                                     main.NextCmd, main.clear_msg, main.clear_all};
    const QStringList tips = {"send message", "reply message",  "previous message",
                              "next message", "delete message", "delete all message"};
    for (int i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i]->toolTip(), tips[i]);
        EXPECT_FALSE(row[i]->icon().isNull()) << tips[i].toStdString();
        if (i > 0) {
            EXPECT_EQ(row[i]->y(), row[0]->y());
            EXPECT_GT(row[i]->x(), row[i - 1]->x() + row[i - 1]->width() - 1);
        }
    }
    EXPECT_FALSE(main.previous->isEnabled());
    EXPECT_FALSE(main.NextCmd->isEnabled());
    EXPECT_EQ(main.Frame2->title(), QStringLiteral("Receive Message"));
    EXPECT_EQ(main.Frame3->title(), QStringLiteral("Hour Bell Message"));
    EXPECT_EQ(main.Frame1->title(), QStringLiteral("Message State"));
    EXPECT_TRUE(main.MsgState->text().isEmpty());
    EXPECT_TRUE(main.txt_get->isReadOnly());

    struct Item {
        QAction* action;
        const char* caption;
        QKeySequence shortcut;
    };
    const Item items[] = {
        {main.send_msg, "Send Message", QKeySequence(Qt::CTRL | Qt::Key_M)},
        {main.del_msg, "Delete Message", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {main.del_all, "Delete All Message", QKeySequence(Qt::Key_F11)},
        {main.exit, "Exit", QKeySequence(Qt::Key_F12)},
        {main.open_schedule, "Open Calendar", QKeySequence()},
        {main.show_today_sch, "Show Today Schedule When Activate", QKeySequence()},
        {main.about, "About", QKeySequence()},
    };
    for (const Item& item : items) {
        EXPECT_EQ(item.action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(item.action->shortcut(), item.shortcut) << item.caption;
    }
    EXPECT_EQ(main.msg->title(), QStringLiteral("Message"));
    EXPECT_EQ(main.calendar->title(), QStringLiteral("Calendar"));
    EXPECT_EQ(main.discription->title(), QStringLiteral("Description"));
}

TEST_F(Startup, TakenReceivePortIsOneClearBoxAndTheProgramGoesOn) {
    network.takePort(7777);
    dialogs.answerNext(BoxAnswer::OK);
    frm_getmsg& main = startMainWindow();
    const QStringList texts = dialogs.shownTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[1].contains(QStringLiteral("7777"))) << texts[1].toStdString();
    EXPECT_TRUE(main.isVisible());
    // The query still goes out.
    EXPECT_EQ(sentTexts().value(0), QStringLiteral("Return Hostname-PC-01"));
}

TEST_F(Startup, BroadcastThatCannotGoOutIsOneClearBox) {
    network.takePort(6666);
    dialogs.answerNext(BoxAnswer::OK);
    frm_getmsg& main = startMainWindow();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_TRUE(dialogs.shownTexts()[1].contains(QStringLiteral("6666")))
        << dialogs.shownTexts()[1].toStdString();
    EXPECT_TRUE(network.sent().empty());
    EXPECT_TRUE(network.isBound(7777));
    EXPECT_TRUE(main.isVisible());
}
