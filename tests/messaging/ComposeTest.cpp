#include "app/frm_getmsg.h"
#include "messaging/frm_sendmsg.h"
#include "platform/ui/OptionButton.h"
#include "support/ProgramFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace testsupport;
using platform::BoxAnswer;
using platform::Winsock;

namespace {

QStringList listOf(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

class Compose : public ProgramFixture {
protected:
    void SetUp() override {
        main = &startMainWindow();
        program->shared.TempList = QStringList{"PC-01", "PC-07", "pc-07"};
        network.clearRecord();
    }
    frm_sendmsg& open() {
        main->new_msg->click();
        return *program->find<frm_sendmsg>();
    }
    // Clicks Send and lets the resolver's answer, if one was asked for, come back.
    void send(frm_sendmsg& compose) {
        compose.send_cmd->click();
        QCoreApplication::processEvents();
    }
    frm_getmsg* main = nullptr;
};

TEST_F(Compose, EveryActivationListsEachKnownHostOnceInOrder) {
    frm_sendmsg& compose = open();
    EXPECT_TRUE(compose.isVisible());
    EXPECT_EQ(listOf(compose.send_ip), program->shared.TempList);
    compose.send_ip->setEditText("typed");
    program->shared.TempList.append("PC-09");
    // Back to the main window and to the compose window again.
    program->formActivated(main);
    program->formActivated(&compose);
    EXPECT_EQ(listOf(compose.send_ip), (QStringList{"PC-01", "PC-07", "pc-07", "PC-09"}));
    EXPECT_EQ(compose.send_ip->currentText(), QStringLiteral("typed"));
    // A reply shows the window again.
    main->reply_cmd_Click();
    EXPECT_EQ(listOf(compose.send_ip).size(), 4);
}

TEST_F(Compose, FocusMovesSwitchGroupAndEraseTheRecipient) {
    frm_sendmsg& compose = open();
    QApplication::setActiveWindow(&compose);
    compose.send_ip->setFocus(Qt::MouseFocusReason);
    compose.send_ip->setEditText("PC-07");
    EXPECT_FALSE(compose.Group_opt->isChecked());
    QTest::keyClick(compose.send_ip, Qt::Key_Tab);
    EXPECT_TRUE(compose.Group_opt->hasFocus());
    EXPECT_TRUE(compose.Group_opt->isChecked());
    EXPECT_EQ(compose.send_ip->currentText(), QString());
    // A click on a checked option leaves it on.
    QTest::mouseClick(compose.Group_opt, Qt::LeftButton);
    EXPECT_TRUE(compose.Group_opt->isChecked());
    compose.send_ip->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(compose.Group_opt->isChecked());
    EXPECT_EQ(compose.send_ip->currentText(), QString());
}

TEST_F(Compose, ReplyFillsTheRecipientAndKeepsGroup) {
    arrive("TIME:PC-07傳送訊息給您，時間是上午 09:00:00");
    arrive("REP-USER:PC-07");
    arrive("PC-07說：hello");
    frm_sendmsg& compose = open();
    compose.Group_opt->setChecked(true);
    compose.sendtxt->setPlainText("draft");
    main->reply_cmd_Click();
    EXPECT_EQ(compose.send_ip->currentText(), QStringLiteral("PC-07"));
    EXPECT_TRUE(compose.Group_opt->isChecked());
    EXPECT_EQ(compose.sendtxt->toPlainText(), QStringLiteral("draft"));
}

TEST_F(Compose, ReplyOnAnEmptyStoreOpensWithAnEmptyRecipient) {
    main->reply_cmd_Click();
    ASSERT_TRUE(program->isLoaded<frm_sendmsg>());
    EXPECT_EQ(program->find<frm_sendmsg>()->send_ip->currentText(), QString());
}

TEST_F(Compose, SendGoesAsThreeDatagramsThenTheWindowIsGone) {
    struct Case {
        const char* name;
        bool group;
        QString recipient;
        QString typed;
        QHostAddress destination;
        QString onTheWire = {}; // after the host name and "說："; empty: as typed
    };
    network.setResolvable("PC-07", QHostAddress("192.168.7.40"));
    const QString longest(Winsock::MaxDatagramBytes - QByteArray("PC-01\xBB\xA1\xA1\x47").size(), 'x');
    const Case cases[] = {
        {"one host by name", false, "PC-07", "你好", QHostAddress("192.168.7.40")},
        {"group wins over a host name", true, "PC-07", "to all", QHostAddress("192.168.7.255")},
        {"an empty text still sends", false, "192.168.7.41", "", QHostAddress("192.168.7.41")},
        {"line breaks go as CR LF", false, "192.168.7.41", "第一行\n\n第三行", QHostAddress("192.168.7.41"),
         "第一行\r\n\r\n第三行"},
        {"the longest body one datagram carries", false, "192.168.7.41", longest,
         QHostAddress("192.168.7.41")},
    };
    clock.set(QDateTime(QDate(2003, 5, 7), QTime(13, 2, 3)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        network.clearRecord();
        frm_sendmsg& compose = open();
        compose.Group_opt->setChecked(c.group);
        compose.send_ip->setEditText(c.recipient);
        compose.sendtxt->setPlainText(c.typed);
        send(compose);
        EXPECT_TRUE(compose.isUnloaded());
        EXPECT_FALSE(program->isLoaded<frm_sendmsg>());
        // The copy's own receiver hears what goes to the subnet; only what was sent counts here.
        std::vector<FakeDatagramNetwork::Sent> sent = network.sent();
        ASSERT_EQ(sent.size(), 3u);
        EXPECT_EQ(sent[0].text(), QStringLiteral("TIME:PC-01傳送訊息給您，時間是下午 01:02:03"));
        EXPECT_EQ(sent[1].text(), QStringLiteral("REP-USER:PC-01"));
        EXPECT_EQ(sent[2].text(),
                  QStringLiteral("PC-01說：") + (c.onTheWire.isEmpty() ? c.typed : c.onTheWire));
        for (const auto& s : sent) {
            EXPECT_EQ(s.fromPort, 6666);
            EXPECT_EQ(s.toPort, 7777);
            EXPECT_EQ(s.to, c.destination);
        }
        EXPECT_FALSE(network.isBound(6666));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        network.deliverPending();
    }
    // A group message pops up on the sender too.
    EXPECT_EQ(main->messages.TempMsg(), QStringList{QStringLiteral("PC-01說：to all")});

    frm_sendmsg& reopened = open();
    EXPECT_EQ(reopened.send_ip->currentText(), QString());
    EXPECT_EQ(reopened.sendtxt->toPlainText(), QString());
    EXPECT_FALSE(reopened.Group_opt->isChecked());
    EXPECT_EQ(listOf(reopened.send_ip), program->shared.TempList);
}

TEST_F(Compose, FailedSendIsOneBoxAndKeepsEverythingTyped) {
    struct Case {
        const char* name;
        bool group;
        QString recipient;
        std::function<void()> arrange;
        const char* mentions;
        QString typed = QStringLiteral("keep me");
    };
    const Case cases[] = {
        {"empty recipient", false, "", [] {}, "host name"},
        {"unknown host", false, "NOWHERE", [] {}, "NOWHERE"},
        {"port 6666 taken", false, "192.168.7.41", [this] { network.takePort(6666); }, "6666"},
        {"no broadcast address", true, "", [this] { program->shared.BroadcastAddress.clear(); }, "broadcast"},
        // Code page 950 bytes count, not characters: 9 bytes of host name and "說：" and 2 for each 說.
        {"a body one datagram cannot carry", false, "192.168.7.41", [] {}, "65511 bytes",
         QString(32751, QChar(0x8AAA))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        network.clearRecord();
        c.arrange();
        frm_sendmsg& compose = open();
        compose.Group_opt->setChecked(c.group);
        compose.send_ip->setEditText(c.recipient);
        compose.sendtxt->setPlainText(c.typed);
        dialogs.answerNext(BoxAnswer::OK);
        dialogs.clearRecord();
        send(compose);
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_TRUE(dialogs.shownTexts()[0].contains(QString::fromUtf8(c.mentions)))
            << dialogs.shownTexts()[0].toStdString();
        EXPECT_TRUE(program->isLoaded<frm_sendmsg>());
        EXPECT_EQ(compose.sendtxt->toPlainText(), c.typed);
        EXPECT_TRUE(compose.send_cmd->isEnabled());
        EXPECT_TRUE(network.sent().empty());
        EXPECT_EQ(compose.send_ip->currentText(), c.recipient);
        EXPECT_EQ(compose.Group_opt->isChecked(), c.group);
        EXPECT_FALSE(network.isBound(6666));
        network.releasePort(6666);
        program->shared.BroadcastAddress = QStringLiteral("192.168.7.255");
        compose.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Compose, ANameOnlyTheResolverKnowsIsLookedUpOnceWhileEverythingElseGoesOn) {
    network.setResolvable("PC-09", QHostAddress("192.168.7.49"));
    network.holdLookups(true);
    frm_sendmsg& compose = open();
    compose.send_ip->setEditText("PC-09");
    compose.sendtxt->setPlainText("hello");
    send(compose);
    EXPECT_TRUE(network.sent().empty());
    EXPECT_FALSE(compose.send_cmd->isEnabled());
    send(compose);
    // The receiver does not wait for the resolver.
    arrive("TIME:PC-02傳送訊息給您，時間是上午 09:00:00");
    arrive("REP-USER:PC-02");
    arrive("PC-02說：hi");
    EXPECT_EQ(main->messages.TempMsg().size(), 1);

    EXPECT_EQ(network.answerHeldLookups(), 1);
    EXPECT_EQ(network.lookedUpNames(), QStringList{"PC-09"});
    EXPECT_EQ(network.sentTexts(), (QStringList{"TIME:PC-01傳送訊息給您，時間是上午 09:04:59",
                                                "REP-USER:PC-01", "PC-01說：hello"}));
    for (const auto& s : network.sent())
        EXPECT_EQ(s.to, QHostAddress("192.168.7.49"));
    EXPECT_TRUE(compose.isUnloaded());
}

TEST_F(Compose, ALookupThatFailsLateOrOutlivesTheWindowLosesNothing) {
    network.holdLookups(true);
    frm_sendmsg& compose = open();
    compose.send_ip->setEditText("NOWHERE");
    compose.sendtxt->setPlainText("keep me");
    send(compose);
    dialogs.answerNext(BoxAnswer::OK);
    dialogs.clearRecord();
    network.answerHeldLookups();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.shownTexts()[0].contains("NOWHERE"));
    EXPECT_TRUE(compose.send_cmd->isEnabled());
    EXPECT_EQ(compose.sendtxt->toPlainText(), QStringLiteral("keep me"));

    // Closed before the answer comes: the message goes with the window, unsent and unannounced.
    network.setResolvable("NOWHERE", QHostAddress("192.168.7.49"));
    send(compose);
    compose.Unload();
    EXPECT_EQ(network.answerHeldLookups(), 1);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(network.sent().empty());
}

TEST_F(Compose, WindowMatchesItsDesign) {
    frm_sendmsg& compose = open();
    EXPECT_EQ(compose.windowTitle(), QStringLiteral("Quibbly"));
    EXPECT_EQ(compose.Frame1->title(), QStringLiteral("Message"));
    EXPECT_EQ(compose.Frame3->title(), QStringLiteral("Send to"));
    EXPECT_EQ(compose.Group_opt->text(), QStringLiteral("Group"));
    EXPECT_EQ(compose.send_cmd->text(), QStringLiteral("Send"));
    EXPECT_EQ(compose.send_ip->parentWidget(), compose.Frame3);
    // Tab order: recipient, Group, text, Send.
    QApplication::setActiveWindow(&compose);
    compose.send_ip->setFocus(Qt::TabFocusReason);
    const QList<QWidget*> order = {compose.Group_opt, compose.sendtxt, compose.send_cmd};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected) << expected->metaObject()->className();
    }
}
