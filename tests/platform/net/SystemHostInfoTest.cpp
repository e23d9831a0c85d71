#include "platform/net/SystemHostInfo.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

using platform::InterfaceAddresses;

const QString header =
    QStringLiteral("Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n");

QString route(const char* iface, const char* destination, const char* flags, int metric, const char* mask) {
    return QStringLiteral("%1\t%2\t0101A8C0\t%3\t0\t0\t%4\t%5\t0\t0\t0\n")
        .arg(QLatin1String(iface), QLatin1String(destination), QLatin1String(flags))
        .arg(metric)
        .arg(QLatin1String(mask));
}

const QList<InterfaceAddresses> machine = {
    {QStringLiteral("lo"), true, true, {QStringLiteral("127.0.0.1")}},
    {QStringLiteral("docker0"), true, false, {QStringLiteral("172.17.0.1")}},
    {QStringLiteral("wlan0"), true, false, {QStringLiteral("192.168.1.34")}},
    {QStringLiteral("eth0"), true, false, {QStringLiteral("10.1.2.3"), QStringLiteral("10.9.9.9")}},
    {QStringLiteral("eth1"), false, false, {QStringLiteral("10.5.5.5")}},
};

TEST(LocalIPv4, TheDefaultRoutesInterfaceComesFirst) {
    const struct {
        const char* name;
        QString routes;
        QList<InterfaceAddresses> interfaces;
        QString expected;
    } cases[] = {
        {"default route on eth0",
         header + route("wlan0", "0001A8C0", "0001", 0, "00FFFFFF") +
             route("eth0", "00000000", "0003", 100, "00000000"),
         machine, QStringLiteral("10.1.2.3")},
        {"lowest metric wins",
         header + route("wlan0", "00000000", "0003", 600, "00000000") +
             route("eth0", "00000000", "0003", 100, "00000000"),
         machine, QStringLiteral("10.1.2.3")},
        {"a route that is down is no default", header + route("eth0", "00000000", "0002", 100, "00000000"),
         machine, QStringLiteral("172.17.0.1")},
        {"no default route: first interface up, not loopback",
         header + route("wlan0", "0001A8C0", "0001", 0, "00FFFFFF"), machine, QStringLiteral("172.17.0.1")},
        {"default route on an interface without IPv4",
         header + route("ppp0", "00000000", "0003", 0, "00000000"), machine, QStringLiteral("172.17.0.1")},
        {"unreadable table", QString(), machine, QStringLiteral("172.17.0.1")},
        {"interfaces down are passed over",
         QString(),
         {{QStringLiteral("lo"), true, true, {QStringLiteral("127.0.0.1")}},
          {QStringLiteral("eth1"), false, false, {QStringLiteral("10.5.5.5")}},
          {QStringLiteral("eth2"), true, false, {QStringLiteral("10.6.6.6")}}},
         QStringLiteral("10.6.6.6")},
        {"only loopback",
         QString(),
         {{QStringLiteral("lo"), true, true, {QStringLiteral("127.0.0.1")}}},
         QStringLiteral("127.0.0.1")},
        {"nothing at all", QString(), {}, QStringLiteral("127.0.0.1")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::chooseLocalIPv4(c.routes, c.interfaces), c.expected) << c.name;
}

} // namespace
