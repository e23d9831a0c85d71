// Real sockets, each test in a private network namespace of its own: nothing leaves the machine, and the
// fixed ports never meet anything else running here.

#include "platform/net/Cp950.h"
#include "platform/net/SystemHostInfo.h"
#include "platform/net/UdpDatagramNetwork.h"
#include "platform/net/Winsock.h"
#include "support/Netns.h"
#include "support/QStringPrinter.h"

#include <QSet>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using platform::Error;
using platform::Winsock;

constexpr int arrivalTimeoutMs = 10000;

class RealUdp : public ::testing::Test {
protected:
    void setUp(Winsock& socket, int localPort, const QString& remoteHost = {}) {
        socket.Protocol = Winsock::sckUDPProtocol;
        socket.LocalPort = localPort;
        socket.RemoteHost = remoteHost;
        socket.RemotePort = 7777;
    }

    platform::UdpDatagramNetwork network;
    platform::SystemHostInfo host;
};

TEST_F(RealUdp, APortHeldBySomeoneElseCannotBeBoundAndIsFreeAgainRightAfterClose) {
    QUIBBLY_RUN_IN_PRIVATE_NETNS();
    Winsock first(network, host), second(network, host);
    setUp(first, 7777);
    setUp(second, 7777);
    first.Bind();
    try {
        second.Bind();
        FAIL() << "a second socket got port 7777";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Port 7777 is already in use.");
    }
    first.Close();
    EXPECT_NO_THROW(second.Bind());
}

TEST_F(RealUdp, ASendFrom6666ArrivesWithThatPortAndExactlyTheCodePageBytes) {
    QUIBBLY_RUN_IN_PRIVATE_NETNS();
    platform::UdpDatagramSocket receiver;
    ASSERT_NO_THROW(receiver.bind(7777));

    Winsock sender(network, host);
    setUp(sender, 6666, QStringLiteral("127.0.0.1"));
    const QString text = QString::fromUtf8("TIME:PC-01傳送訊息給您，時間是下午 03:04:05");
    for (int round = 0; round < 2; ++round) { // the second Bind on 6666 comes right after the Close
        sender.Bind();
        sender.SendData(text);
        sender.Close();
    }

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.hasPendingDatagram(); }, arrivalTimeoutMs));
        const platform::Datagram datagram = receiver.takeDatagram();
        EXPECT_EQ(datagram.senderPort, 6666);
        EXPECT_EQ(datagram.sender, QHostAddress(QHostAddress::LocalHost));
        EXPECT_EQ(datagram.bytes,
                  QByteArray("TIME:PC-01\xB6\xC7\xB0\x65\xB0\x54\xAE\xA7\xB5\xB9\xB1\x7A\xA1\x41\xAE\xC9"
                             "\xB6\xA1\xAC\x4F\xA4\x55\xA4\xC8 03:04:05"));
    }
}

TEST_F(RealUdp, NamesGoThroughTheSystemResolverToAnIPv4Address) {
    QUIBBLY_RUN_IN_PRIVATE_NETNS();
    Winsock receiver(network, host), sender(network, host);
    setUp(receiver, 7777);
    receiver.Bind();
    QStringList from;
    QObject::connect(&receiver, &Winsock::DataArrival, [&](int) {
        QString text;
        receiver.GetData(text);
        from << receiver.RemoteHostIP();
    });
    QStringList answers;
    for (const QString& name : {QStringLiteral("localhost"), QStringLiteral("no-such-host.invalid")}) {
        setUp(sender, 6666, name);
        sender.LookupRemoteHost([&](const QString& address) { answers << address; },
                                [&](const Error&) { answers << QStringLiteral("not found"); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == (name == "localhost" ? 1 : 2); },
                                    arrivalTimeoutMs));
    }
    EXPECT_EQ(answers, (QStringList{QStringLiteral("127.0.0.1"), QStringLiteral("not found")}));
    setUp(sender, 6666, answers[0]);
    sender.Bind();
    sender.SendData(QStringLiteral("Neighbor-PC-01"));
    sender.Close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !from.isEmpty(); }, arrivalTimeoutMs));
    EXPECT_EQ(from, QStringList{QStringLiteral("127.0.0.1")});
}

TEST_F(RealUdp, EveryAnswerOfAFullSubnetArrivingAtOnceIsReceived) {
    QUIBBLY_RUN_IN_PRIVATE_NETNS();
    Winsock receiver(network, host), sender(network, host);
    setUp(receiver, 7777);
    receiver.Bind();
    QSet<QString> names;
    int arrivals = 0;
    QObject::connect(&receiver, &Winsock::DataArrival, [&](int) {
        QString text;
        receiver.GetData(text);
        ++arrivals;
        names.insert(text);
    });

    // 254 presence answers, all sent before the receiver gets a chance to read any. Over loopback a short
    // datagram costs the receive buffer far less than a frame from a network card does; 200-byte datagrams
    // cost about what short ones do from a card, so the system's default buffer would hold only some 160 of
    // them.
    setUp(sender, 6666, QStringLiteral("127.0.0.1"));
    for (int i = 1; i <= 254; ++i) {
        const QString name = QStringLiteral("PC-%1-").arg(i, 3, 10, QLatin1Char('0'));
        sender.Bind();
        sender.SendData(QStringLiteral("Neighbor-") + name.leftJustified(191, QLatin1Char('x')));
        sender.Close();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return arrivals >= 254; }, arrivalTimeoutMs)) << arrivals << " arrived";
    QCoreApplication::processEvents();
    EXPECT_EQ(arrivals, 254);
    EXPECT_EQ(names.size(), 254);
}

TEST_F(RealUdp, ABurstArrivingWhileTheWindowIsBusyIsKeptWholeAndInOrder) {
    QUIBBLY_RUN_IN_PRIVATE_NETNS();
    Winsock receiver(network, host);
    setUp(receiver, 7777);
    receiver.Bind();
    QStringList arrived;
    QObject::connect(&receiver, &Winsock::DataArrival, [&](int) {
        QString text;
        receiver.GetData(text);
        arrived << text;
    });
    // A thousand messages from one peer, three datagrams each, all arriving while this thread is busy.
    QStringList burst;
    for (int n = 1; n <= 1000; ++n)
        burst << QStringLiteral("TIME:PC-02 #%1").arg(n) << QStringLiteral("REP-USER:PC-02")
              << QStringLiteral("PC-02說：note %1, with words enough to weigh what a short note does").arg(n);
    QProcess peer;
    peer.start(testsupport::toolPath(QStringLiteral("net_send")),
               QStringList{"6666", "127.0.0.1", "7777"} + burst);
    QThread::msleep(200);
    ASSERT_TRUE(peer.waitForFinished(arrivalTimeoutMs));
    ASSERT_EQ(peer.exitCode(), 0) << peer.readAll().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrived.size() >= burst.size(); }, arrivalTimeoutMs))
        << arrived.size() << " of " << burst.size() << " arrived";
    EXPECT_EQ(arrived, burst);
}

} // namespace
