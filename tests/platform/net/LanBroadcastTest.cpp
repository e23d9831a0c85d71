// Several copies on one subnet: each host is a network namespace, joined to the others by veth pairs.

#include "support/Netns.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

using testsupport::NetnsLan;

constexpr int waitMs = 15000;

QString readLine(QProcess& process) {
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(waitMs))
            return {};
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}

// Starts a receiving copy on host and waits until its port is bound.
std::unique_ptr<QProcess> listen(const NetnsLan& lan, int host, int datagrams) {
    auto listener = lan.start(host, testsupport::toolPath(QStringLiteral("net_listen")),
                              {QStringLiteral("7777"), QString::number(datagrams), QString::number(waitMs)});
    const QString first = readLine(*listener);
    EXPECT_EQ(first, QStringLiteral("READY ") + lan.hostAddress(host))
        << "host " << host << ": " << listener->readAllStandardError().toStdString();
    // A listener that did not start is ended, so the wait for what it heard ends at once.
    if (!first.startsWith(QStringLiteral("READY")))
        listener->kill();
    return listener;
}

QStringList rest(QProcess& process) {
    EXPECT_TRUE(process.waitForFinished(waitMs));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void send(const NetnsLan& lan, int host, const QString& to, const QStringList& texts) {
    auto sender = lan.start(host, testsupport::toolPath(QStringLiteral("net_send")),
                            QStringList{QStringLiteral("6666"), to, QStringLiteral("7777")} + texts);
    ASSERT_TRUE(sender->waitForFinished(waitMs));
    ASSERT_EQ(sender->exitCode(), 0) << sender->readAll().toStdString();
}

TEST(LanBroadcast, ABroadcastReachesEveryCopyOnTheSubnetTheSenderIncluded) {
    NetnsLan lan(3);
    QUIBBLY_SKIP_UNLESS_READY(lan);
    std::vector<std::unique_ptr<QProcess>> listeners;
    for (int host = 0; host < lan.hostCount(); ++host)
        listeners.push_back(listen(lan, host, 1));

    send(lan, 0, NetnsLan::broadcastAddress(), {QString::fromUtf8("Neighbor-PC-01說")});

    for (int host = 0; host < lan.hostCount(); ++host)
        EXPECT_EQ(rest(*listeners[host]), QStringList{QString::fromUtf8("10.77.0.1 Neighbor-PC-01說")})
            << "host " << host;
}

TEST(LanBroadcast, AMessageToOneAddressReachesOnlyThatCopy) {
    NetnsLan lan(3);
    QUIBBLY_SKIP_UNLESS_READY(lan);
    auto addressed = listen(lan, 1, 3);
    auto bystander = listen(lan, 2, 1);

    send(lan, 0, lan.hostAddress(1),
         {QStringLiteral("TIME:PC-01"), QStringLiteral("REP-USER:PC-01"), QString::fromUtf8("PC-01說：hi")});
    send(lan, 0, lan.hostAddress(2), {QStringLiteral("marker")});

    EXPECT_EQ(rest(*addressed),
              QStringList({QStringLiteral("10.77.0.1 TIME:PC-01"), QStringLiteral("10.77.0.1 REP-USER:PC-01"),
                           QString::fromUtf8("10.77.0.1 PC-01說：hi")}));
    // The bystander's first datagram is the marker sent after the message: the message never reached it.
    EXPECT_EQ(rest(*bystander), QStringList{QStringLiteral("10.77.0.1 marker")});
}

} // namespace
