#include "app/frm_getmsg.h"
#include "messaging/DatagramKinds.h"
#include "support/ProgramFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace testsupport;

class Receiver : public ProgramFixture {
protected:
    void SetUp() override {
        main = &startMainWindow();
        program->shared.TempList.clear();
        network.clearRecord();
    }
    frm_getmsg* main = nullptr;
};

TEST(DatagramKinds, PrefixesAreTestedInOrderAndExactly) {
    struct Case {
        const char* datagram;
        DatagramKinds::Kind kind;
        const char* rest;
    };
    using K = DatagramKinds::Kind;
    const Case cases[] = {
        {"Return Hostname-PC-02", K::PresenceQuery, "PC-02"},
        {"Return Hostname", K::PresenceQuery, ""},
        {"Return HostnameXYZ", K::PresenceQuery, "YZ"},
        {"return Hostname-PC-02", K::Body, "return Hostname-PC-02"},
        {"Neighbor-PC-02", K::PresenceAnswer, "PC-02"},
        {"Neighbor-", K::PresenceAnswer, ""},
        {"Neighbor", K::Body, "Neighbor"},
        {"QN-PC-02", K::QuitNotice, "PC-02"},
        {"QN", K::Body, "QN"},
        {"TIME:PC-02傳送訊息給您，時間是上午 09:00:00", K::Header, "PC-02傳送訊息給您，時間是上午 09:00:00"},
        {"time:PC-02", K::Body, "time:PC-02"},
        {"REP-USER:PC-02", K::ReplyHost, "PC-02"},
        {"REP-USER", K::Body, "REP-USER"},
        {"PC-02說：你好", K::Body, "PC-02說：你好"},
        {"", K::Body, ""},
        // The first match decides: a query whose tail looks like another kind is still a query.
        {"Return Hostname-Neighbor-X", K::PresenceQuery, "Neighbor-X"},
    };
    for (const Case& c : cases) {
        const auto reading = DatagramKinds::read(QString::fromUtf8(c.datagram));
        EXPECT_EQ(reading.kind, c.kind) << c.datagram;
        EXPECT_EQ(reading.rest, QString::fromUtf8(c.rest)) << c.datagram;
    }
}

TEST_F(Receiver, EveryQueryIsAnsweredOnceAndNotRecorded) {
    arrive(QStringLiteral("Return Hostname-PC-02"));
    arrive(QStringLiteral("Return Hostname"));
    const QStringList answers = sentTexts().filter(QStringLiteral("Neighbor-"));
    // Each answer is heard back by this copy, which adds its own name once.
    EXPECT_EQ(answers, (QStringList{QStringLiteral("Neighbor-PC-01"), QStringLiteral("Neighbor-PC-01")}));
    EXPECT_EQ(program->shared.TempList, QStringList{QStringLiteral("PC-01")});
    for (const auto& s : network.sent()) {
        EXPECT_EQ(s.fromPort, 6666);
        EXPECT_EQ(s.to, QHostAddress(QStringLiteral("192.168.7.255")));
        EXPECT_EQ(s.toPort, 7777);
    }
}

TEST_F(Receiver, AnAnswerThatCannotGoIsReportedOnceUntilSendingWorksAgain) {
    network.takePort(6666);
    dialogs.clearRecord();
    dialogs.answerNext(platform::BoxAnswer::OK);
    for (int i = 0; i < 3; ++i)
        arrive(QStringLiteral("Return Hostname-PC-02"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.shownTexts()[0].contains(QStringLiteral("6666")));

    network.releasePort(6666);
    arrive(QStringLiteral("Return Hostname-PC-02"));
    EXPECT_EQ(sentTexts(), QStringList{QStringLiteral("Neighbor-PC-01")});
    network.takePort(6666);
    dialogs.answerNext(platform::BoxAnswer::OK);
    arrive(QStringLiteral("Return Hostname-PC-02"));
    arrive(QStringLiteral("Return Hostname-PC-02"));
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

TEST_F(Receiver, EachAddressListsOnceTheNameItAnnouncedLastAndAQuitNoticeRemovesOnlyItsName) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> arrivals; // datagram, last octet of its sender
        QStringList want;
    };
    const Case cases[] = {
        {"a name is listed once, letter case counts",
         {{"Neighbor-PC-02", "30"},
          {"Neighbor-pc-02", "31"},
          {"Neighbor-PC-02", "32"},
          {"Neighbor-", "33"},
          {"Neighbor-", "34"},
          {"Neighbor-PC-03", "35"}},
         {"PC-02", "pc-02", "", "PC-03"}},
        {"a quit notice removes only its exact name",
         {{"Neighbor-PC-02", "30"}, {"Neighbor-pc-02", "31"}, {"QN-PC-09", "30"}, {"QN-pc-02", "40"}},
         {"PC-02"}},
        {"an address keeps only the name it announced last",
         {{"Neighbor-PC-02", "30"}, {"Neighbor-PC-03", "31"}, {"Neighbor-PC-09", "30"}},
         {"PC-03", "PC-09"}},
        {"a name two computers carry stays while one still announces it",
         {{"Neighbor-TWIN", "30"}, {"Neighbor-TWIN", "31"}, {"Neighbor-PC-09", "30"}},
         {"TWIN", "PC-09"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restartProgram();
        main = &startMainWindow();
        program->shared.TempList.clear();
        network.clearRecord();
        for (const auto& [datagram, octet] : c.arrivals)
            arrive(QString::fromUtf8(datagram), QStringLiteral("192.168.7.") + QLatin1String(octet));
        EXPECT_EQ(program->shared.TempList, c.want);
        EXPECT_TRUE(network.sent().empty());
        EXPECT_EQ(main->messages.TempMsg().size(), 0);
    }
}

TEST_F(Receiver, APeerAnnouncingEndlessNamesGrowsNothing) {
    for (int i = 0; i < 1000; ++i) {
        arrive(QStringLiteral("Neighbor-name-%1").arg(i));
        arrive(QStringLiteral("REP-USER:reply-%1").arg(i));
    }
    EXPECT_EQ(program->shared.TempList, QStringList{QStringLiteral("name-999")});
    // This copy's own name, heard at start-up, and the peer's latest.
    EXPECT_EQ(network.peers().size(), 2);
    EXPECT_EQ(network.peers().lookup(QStringLiteral("reply-999")),
              QHostAddress(QStringLiteral("192.168.7.30")));
    EXPECT_EQ(network.peers().lookup(QStringLiteral("name-999")), std::nullopt);
}

TEST_F(Receiver, MessageDatagramsReachTheStoreAndRestoreTheWindow) {
    ASSERT_TRUE(main->isMinimized());
    arrive(QStringLiteral("TIME:PC-02傳送訊息給您，時間是下午 01:02:03"));
    arrive(QStringLiteral("REP-USER:PC-02"));
    EXPECT_EQ(main->Frame2->title(), QStringLiteral("Receive Message"));
    EXPECT_TRUE(main->isMinimized());
    arrive(QStringLiteral("PC-02說：<b>hi</b>\r\nbye"));
    EXPECT_EQ(main->Frame2->title(), QStringLiteral("PC-02傳送訊息給您，時間是下午 01:02:03"));
    EXPECT_EQ(main->messages.ReUserList(), QStringList{QStringLiteral("PC-02")});
    // Stored as it came; shown with one break for CR LF, and as plain text.
    EXPECT_EQ(main->messages.TempMsg(), QStringList{QStringLiteral("PC-02說：<b>hi</b>\r\nbye")});
    EXPECT_EQ(main->txt_get->toPlainText(), QStringLiteral("PC-02說：<b>hi</b>\nbye"));
    EXPECT_FALSE(main->isMinimized());
    // A reply host heard on the wire is reachable by name without name service.
    EXPECT_EQ(network.peers().lookup(QStringLiteral("PC-02")), QHostAddress(QStringLiteral("192.168.7.30")));
}

TEST_F(Receiver, ABurstIsKeptWholeAndShownOnce) {
    QSignalSpy bodyShown(main->txt_get, &QPlainTextEdit::textChanged);
    QSignalSpy iconShown(main, &QWidget::windowIconChanged);
    const QHostAddress peer(QStringLiteral("192.168.7.30"));
    for (int n = 1; n <= 1000; ++n) {
        network.injectText(7777, QStringLiteral("TIME:PC-02 #%1").arg(n), peer);
        network.injectText(7777, QStringLiteral("REP-USER:PC-02"), peer);
        network.injectText(7777, QStringLiteral("PC-02說：#%1").arg(n), peer);
    }
    network.deliverPending();
    QCoreApplication::processEvents();
    ASSERT_EQ(main->messages.TempMsg().size(), 1000);
    for (int n = 1; n <= 1000; n += 333)
        EXPECT_EQ(main->messages.TimeList().at(n - 1), QStringLiteral("PC-02 #%1").arg(n));
    EXPECT_EQ(main->MsgState->text(), QStringLiteral("1000 / 1000"));
    EXPECT_EQ(main->Frame2->title(), QStringLiteral("PC-02 #1000"));
    EXPECT_EQ(bodyShown.count(), 1);
    EXPECT_EQ(iconShown.count(), 1);
    EXPECT_FALSE(main->isMinimized());
}

TEST(BroadcastAddress, IsTheFirstThreeOctetsAnd255ElseTheOneKnownBefore) {
    EXPECT_EQ(DatagramKinds::broadcastAddressFor("10.1.2.3", ""), "10.1.2.255");
    EXPECT_EQ(DatagramKinds::broadcastAddressFor("192.168.100.200", ""), "192.168.100.255");
    EXPECT_EQ(DatagramKinds::broadcastAddressFor("127.0.0.1", ""), "127.0.0.255");
    EXPECT_EQ(DatagramKinds::broadcastAddressFor("10.1.2", ""), "");
    EXPECT_EQ(DatagramKinds::broadcastAddressFor("", "old"), "old");
}
