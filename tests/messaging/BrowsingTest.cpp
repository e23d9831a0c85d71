#include "app/frm_getmsg.h"
#include "support/ProgramFixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace testsupport;

class Browsing : public ProgramFixture {
protected:
    void SetUp() override { main = &startMainWindow(); }
    void message(int n) {
        arrive(QStringLiteral("TIME:PC-0%1傳送訊息給您，時間是上午 09:00:0%1").arg(n));
        arrive(QStringLiteral("REP-USER:PC-0%1").arg(n));
        arrive(QStringLiteral("PC-0%1說：第%1則").arg(n));
    }
    bool waitingIcon() const { return main->windowIcon().cacheKey() == main->Picture1.cacheKey(); }
    bool idleIcon() const { return main->windowIcon().cacheKey() == main->Picture2.cacheKey(); }
    frm_getmsg* main = nullptr;
};

TEST_F(Browsing, PreviousDeleteAndDeleteAllMoveThroughTheStoreAndShowWhereTheyStop) {
    EXPECT_TRUE(idleIcon());
    message(1);
    message(2);
    message(3);
    EXPECT_TRUE(waitingIcon());
    EXPECT_EQ(main->MsgState->text(), QStringLiteral("3 / 3"));
    EXPECT_TRUE(main->previous->isEnabled());

    main->previous->click();
    EXPECT_EQ(main->MsgState->text(), QStringLiteral("2 / 3"));
    EXPECT_EQ(main->txt_get->toPlainText(), QStringLiteral("PC-02說：第2則"));
    EXPECT_EQ(main->Frame2->title(), QStringLiteral("PC-02傳送訊息給您，時間是上午 09:00:02"));

    main->del_msg->trigger(); // Ctrl+D
    EXPECT_EQ(main->MsgState->text(), QStringLiteral("2 / 2"));
    EXPECT_EQ(main->txt_get->toPlainText(), QStringLiteral("PC-03說：第3則"));
    EXPECT_EQ(main->Frame2->title(), QStringLiteral("PC-03傳送訊息給您，時間是上午 09:00:03"));
    EXPECT_EQ(main->del_msg->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));

    main->del_all->trigger(); // F11
    EXPECT_EQ(main->MsgState->text(), QString());
    EXPECT_EQ(main->txt_get->toPlainText(), QString());
    EXPECT_EQ(main->Frame2->title(), QStringLiteral("Receive Message"));
    EXPECT_FALSE(main->previous->isEnabled());
    EXPECT_FALSE(main->NextCmd->isEnabled());
    EXPECT_TRUE(idleIcon());

    main->clear_msg->click();
    EXPECT_EQ(main->MsgState->text(), QStringLiteral("0 / 0"));
}

TEST_F(Browsing, OnlyAMinimisedWindowIsRestoredByABody) {
    main->showNormal();
    main->setWindowState(Qt::WindowMaximized);
    message(1);
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    main->setWindowState(Qt::WindowMinimized);
    arrive(QStringLiteral("TIME:x"));
    arrive(QStringLiteral("REP-USER:x"));
    EXPECT_TRUE(main->isMinimized());
    arrive(QStringLiteral("body"));
    EXPECT_FALSE(main->isMinimized());
}
