#include "platform/net/Winsock.h"
#include "platform/net/Cp950.h"
#include "platform/net/DatagramQueue.h"
#include "support/FakeDatagramNetwork.h"
#include "support/FakeEnvironment.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

using platform::Error;
using platform::Winsock;
using testsupport::FakeDatagramNetwork;

void setUp(Winsock& socket, int localPort, const QString& remoteHost = {}) {
    socket.Protocol = Winsock::sckUDPProtocol;
    socket.LocalPort = localPort;
    socket.RemoteHost = remoteHost;
    socket.RemotePort = 7777;
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

TEST(Winsock, RemoteHostIsADottedAddressElseThePeerLastHeardElseTheResolver) {
    const struct {
        const char* name;
        QString remoteHost;
        QHash<QString, QString> resolver;
        QHash<QString, QString> peers;
        QString expectedAddress; // empty: the lookup fails with a sentence naming the host
        bool resolverAsked;
    } cases[] = {
        {"dotted, taken as it is", "10.1.2.255", {{"10.1.2.255", "10.9.9.9"}}, {}, "10.1.2.255", false},
        // The address a peer last spoke from is the freshest, and asking it costs no resolver wait.
        {"peers before the resolver",
         "PC-02",
         {{"PC-02", "10.0.0.2"}},
         {{"PC-02", "10.0.0.99"}},
         "10.0.0.99",
         false},
        {"resolver for a name not heard", "PC-05", {{"PC-05", "10.0.0.5"}}, {}, "10.0.0.5", true},
        {"peer heard on the LAN", "PC-03", {}, {{"PC-03", "10.0.0.3"}}, "10.0.0.3", false},
        {"peer names are exact", "pc-03", {}, {{"PC-03", "10.0.0.3"}}, "", true},
        {"unknown host", "PC-04", {}, {}, "", true},
        {"not an address", "10.1.2.256", {}, {}, "", true},
    };
    for (const auto& c : cases) {
        FakeDatagramNetwork network;
        testsupport::FakeHost host;
        for (auto it = c.resolver.begin(); it != c.resolver.end(); ++it)
            network.setResolvable(it.key(), QHostAddress(it.value()));
        for (auto it = c.peers.begin(); it != c.peers.end(); ++it)
            network.peers().remember(it.key(), QHostAddress(it.value()));
        Winsock socket(network, host);
        setUp(socket, 6666, c.remoteHost);
        QStringList answers;
        socket.LookupRemoteHost(
            [&](const QString& address) { answers << address; },
            [&](const Error& error) { answers << QStringLiteral("failed: ") + error.reason(); });
        QCoreApplication::processEvents();
        ASSERT_EQ(answers.size(), 1) << c.name;
        if (c.expectedAddress.isEmpty())
            EXPECT_TRUE(answers[0].startsWith("failed: ") && answers[0].contains(c.remoteHost)) << c.name;
        else
            EXPECT_EQ(answers[0], c.expectedAddress) << c.name;
        EXPECT_EQ(network.lookedUpNames(), c.resolverAsked ? QStringList{c.remoteHost} : QStringList())
            << c.name;
    }
}

TEST(Winsock, SendingNeverAsksTheResolver) {
    FakeDatagramNetwork network;
    testsupport::FakeHost host;
    network.setResolvable(QStringLiteral("PC-05"), QHostAddress(QStringLiteral("10.0.0.5")));
    Winsock socket(network, host);
    setUp(socket, 6666, QString());
    socket.Bind();
    EXPECT_NE(errorOf([&] { socket.SendData(QStringLiteral("x")); }), "");
    socket.RemoteHost = QStringLiteral("PC-05");
    EXPECT_NE(errorOf([&] { socket.SendData(QStringLiteral("x")); }).find("PC-05"), std::string::npos);
    EXPECT_TRUE(network.lookedUpNames().isEmpty());
    socket.RemoteHost = QStringLiteral("10.0.0.1");
    socket.RemotePort = 0;
    EXPECT_NE(errorOf([&] { socket.SendData(QStringLiteral("x")); }), "");
    EXPECT_TRUE(network.sent().empty());
}

TEST(Winsock, ADatagramLeavesFromTheBoundPortAsCodePageBytes) {
    FakeDatagramNetwork network;
    testsupport::FakeHost host;
    Winsock socket(network, host);
    setUp(socket, 6666, QStringLiteral("192.168.7.255"));
    socket.Bind();
    const QString body = QString::fromUtf8("PC-01說：明天開會😀");
    socket.SendData(body);
    socket.Close();

    ASSERT_EQ(network.sent().size(), 1u);
    const auto& sent = network.sent()[0];
    EXPECT_EQ(sent.fromPort, 6666);
    EXPECT_EQ(sent.to, QHostAddress(QStringLiteral("192.168.7.255")));
    EXPECT_EQ(sent.toPort, 7777);
    EXPECT_EQ(sent.bytes, platform::encodeCp950(body));
    EXPECT_FALSE(network.isBound(6666));
}

TEST(Winsock, ATakenPortFailsToBindUntilItIsReleased) {
    FakeDatagramNetwork network;
    testsupport::FakeHost host;
    Winsock first(network, host), second(network, host);
    setUp(first, 7777);
    setUp(second, 7777);
    network.takePort(7777);
    EXPECT_EQ(errorOf([&] { first.Bind(); }), "Port 7777 is already in use.");
    EXPECT_FALSE(first.IsBound());

    network.releasePort(7777);
    first.Bind();
    EXPECT_EQ(errorOf([&] { second.Bind(); }), "Port 7777 is already in use.");
    first.Close();
    second.Bind();
    EXPECT_TRUE(second.IsBound());

    Winsock tcp(network, host);
    tcp.LocalPort = 7000;
    EXPECT_NE(errorOf([&] { tcp.Bind(); }), "");
}

TEST(Winsock, ASendThatFailedBeforeItsCloseDoesNotKeepThePort) {
    FakeDatagramNetwork network;
    testsupport::FakeHost host;
    Winsock socket(network, host);
    setUp(socket, 6666, QStringLiteral("nowhere"));
    socket.Bind();
    EXPECT_NE(errorOf([&] { socket.SendData(QStringLiteral("TIME:PC-01")); }), "");
    socket.RemoteHost = QStringLiteral("127.0.0.1");
    EXPECT_EQ(errorOf([&] {
                  socket.Bind();
                  socket.SendData(QStringLiteral("TIME:PC-01"));
              }),
              "");
    EXPECT_EQ(network.sent().back().fromPort, 6666);
}

TEST(Winsock, SendingWithoutBindGoesFromAPortOfTheSystemsChoosing) {
    FakeDatagramNetwork network;
    testsupport::FakeHost host;
    Winsock socket(network, host);
    setUp(socket, 0, QStringLiteral("10.0.0.1"));
    socket.SendData(QStringLiteral("a"));
    socket.SendData(QStringLiteral("b"));
    ASSERT_EQ(network.sent().size(), 2u);
    EXPECT_NE(network.sent()[0].fromPort, 0);
    EXPECT_EQ(network.sent()[0].fromPort, network.sent()[1].fromPort);
}

class ReceivingWinsock : public ::testing::Test {
protected:
    void SetUp() override {
        setUp(receiver, 7777);
        receiver.Bind();
    }
    void inject(const QString& text, const char* from = "10.0.0.8") {
        network.injectText(7777, text, QHostAddress(QLatin1String(from)));
    }

    FakeDatagramNetwork network;
    testsupport::FakeHost host;
    Winsock receiver{network, host};
};

TEST_F(ReceivingWinsock, EachArrivalIsAnnouncedOnceWithItsByteCountAndItsSender) {
    struct Arrival {
        int bytes;
        QString text, from;
    };
    std::vector<Arrival> arrivals;
    QObject::connect(&receiver, &Winsock::DataArrival, [&](int bytes) {
        QString text;
        receiver.GetData(text);
        arrivals.push_back({bytes, text, receiver.RemoteHostIP()});
    });
    inject(QStringLiteral("Neighbor-PC-02"), "10.0.0.2");
    inject(QString::fromUtf8("PC-03說："), "10.0.0.3");
    inject(QString(), "10.0.0.4");
    network.deliverPending();

    ASSERT_EQ(arrivals.size(), 3u);
    EXPECT_EQ(arrivals[0].bytes, 14);
    EXPECT_EQ(arrivals[0].text, QStringLiteral("Neighbor-PC-02"));
    EXPECT_EQ(arrivals[0].from, QStringLiteral("10.0.0.2"));
    EXPECT_EQ(arrivals[1].bytes, 9); // bytes on the wire, not characters
    EXPECT_EQ(arrivals[1].text, QString::fromUtf8("PC-03說："));
    EXPECT_EQ(arrivals[1].from, QStringLiteral("10.0.0.3"));
    EXPECT_EQ(arrivals[2].bytes, 0);
    EXPECT_EQ(arrivals[2].from, QStringLiteral("10.0.0.4"));
}

TEST_F(ReceivingWinsock, ArrivalsDuringAHandlersModalBoxWaitTheirTurnAndNoneIsLost) {
    QStringList texts;
    int depth = 0, deepest = 0;
    QObject::connect(&receiver, &Winsock::DataArrival, [&](int) {
        deepest = std::max(deepest, ++depth);
        QString text;
        receiver.GetData(text);
        texts << text;
        if (text == QLatin1String("first")) {
            // The box's own event loop runs while more arrive.
            inject(QStringLiteral("second"));
            inject(QStringLiteral("third"));
            QCoreApplication::processEvents();
            network.deliverPending();
            // Still the first one's sender, whatever arrived meanwhile.
            EXPECT_EQ(receiver.RemoteHostIP(), QStringLiteral("10.0.0.1"));
        }
        --depth;
    });
    inject(QStringLiteral("first"), "10.0.0.1");
    network.deliverPending();

    EXPECT_EQ(texts, QStringList({"first", "second", "third"}));
    EXPECT_EQ(deepest, 1);
}

TEST_F(ReceivingWinsock, ADatagramTheHandlerDoesNotReadIsDroppedNotAnnouncedAgain) {
    int announcements = 0;
    QObject::connect(&receiver, &Winsock::DataArrival, [&](int) { ++announcements; });
    inject(QStringLiteral("one"));
    inject(QStringLiteral("two"));
    network.deliverPending();
    QCoreApplication::processEvents();
    EXPECT_EQ(announcements, 2);
    QString text = QStringLiteral("stale");
    receiver.GetData(text);
    EXPECT_EQ(text, QString());
}

TEST_F(ReceivingWinsock, AHandlerMayCloseTheSocketOrDestroyIt) {
    int announcements = 0;
    QObject::connect(&receiver, &Winsock::DataArrival, [&](int) {
        ++announcements;
        receiver.Close();
    });
    inject(QStringLiteral("one"));
    inject(QStringLiteral("two"));
    network.deliverPending();
    EXPECT_EQ(announcements, 1);
    EXPECT_FALSE(network.isBound(7777));

    auto* doomed = new Winsock(network, host);
    setUp(*doomed, 7778);
    doomed->Bind();
    int doomedAnnouncements = 0;
    QObject::connect(doomed, &Winsock::DataArrival, [&](int) {
        ++doomedAnnouncements;
        delete doomed;
    });
    network.injectText(7778, QStringLiteral("one"), QHostAddress(QStringLiteral("10.0.0.8")));
    network.injectText(7778, QStringLiteral("two"), QHostAddress(QStringLiteral("10.0.0.8")));
    network.deliverPending();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(doomedAnnouncements, 1);
    EXPECT_FALSE(network.isBound(7778));
}

} // namespace

TEST(DatagramQueue, KeepsArrivalOrderAndDropsWhatArrivesWhileFull) {
    const auto datagram = [](char tag) { return platform::Datagram{QByteArray(100, tag), {}, 6666}; };
    platform::DatagramQueue queue(3 * platform::DatagramQueue::costOf(datagram('a')));
    // Only the first of a run tells the handler, who takes until the queue is empty.
    EXPECT_TRUE(queue.push(datagram('a')));
    for (char tag : {'b', 'c', 'd'}) // 'd' finds the queue full
        EXPECT_FALSE(queue.push(datagram(tag)));
    QByteArray order;
    while (const auto taken = queue.take())
        order += taken->bytes.front();
    EXPECT_EQ(order, "abc");
    EXPECT_TRUE(queue.push(datagram('e'))); // taking made room
}
