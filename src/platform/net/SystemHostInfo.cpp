#include "platform/net/SystemHostInfo.h"

#include <QFile>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <limits>
#include <optional>

namespace platform {
namespace {

constexpr unsigned routeUp = 0x1; // RTF_UP

// The interface named by the default route with the lowest metric, if the table has one.
std::optional<QString> defaultRouteInterface(const QString& routeTable) {
    std::optional<QString> best;
    qlonglong bestMetric = std::numeric_limits<qlonglong>::max();
    const QStringList lines = routeTable.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) { // the first line names the columns
        const QStringList fields =
            lines[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (fields.size() < 8)
            continue;
        bool ok = true;
        const unsigned destination = fields[1].toUInt(&ok, 16);
        if (!ok)
            continue;
        const unsigned flags = fields[3].toUInt(&ok, 16);
        if (!ok)
            continue;
        const qlonglong metric = fields[6].toLongLong(&ok);
        if (!ok)
            continue;
        const unsigned mask = fields[7].toUInt(&ok, 16);
        if (!ok || destination != 0 || mask != 0 || !(flags & routeUp))
            continue;
        if (metric < bestMetric) {
            bestMetric = metric;
            best = fields[0];
        }
    }
    return best;
}

QList<InterfaceAddresses> systemInterfaces() {
    QList<InterfaceAddresses> result;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        InterfaceAddresses entry;
        entry.name = interface.name();
        entry.up = interface.flags().testFlag(QNetworkInterface::IsUp) &&
                   interface.flags().testFlag(QNetworkInterface::IsRunning);
        entry.loopback = interface.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry& address : interface.addressEntries()) {
            if (address.ip().protocol() == QAbstractSocket::IPv4Protocol)
                entry.ipv4 << address.ip().toString();
        }
        result << entry;
    }
    return result;
}

} // namespace

QString chooseLocalIPv4(const QString& routeTable, const QList<InterfaceAddresses>& interfaces) {
    if (const auto routed = defaultRouteInterface(routeTable)) {
        for (const InterfaceAddresses& interface : interfaces) {
            if (interface.name == *routed && !interface.ipv4.isEmpty())
                return interface.ipv4.first();
        }
    }
    for (const InterfaceAddresses& interface : interfaces) {
        if (!interface.up || interface.loopback)
            continue;
        for (const QString& address : interface.ipv4) {
            if (!address.startsWith(QLatin1String("127.")))
                return address;
        }
    }
    return QStringLiteral("127.0.0.1");
}

QString SystemHostInfo::hostName() const {
    return QHostInfo::localHostName();
}

QString SystemHostInfo::localIPv4() const {
    QFile routes(QStringLiteral("/proc/net/route"));
    QString routeTable;
    if (routes.open(QIODevice::ReadOnly | QIODevice::Text))
        routeTable = QString::fromLatin1(routes.readAll());
    return chooseLocalIPv4(routeTable, systemInterfaces());
}

} // namespace platform
