#pragma once

#include "platform/Environment.h"

#include <QList>
#include <QString>

namespace platform {

// What the choice of the local IPv4 address looks at, read from the system or given by a test.
struct InterfaceAddresses {
    QString name;
    bool up = false;
    bool loopback = false;
    QStringList ipv4; // dotted, in the order the system lists them
};

// The address of the interface that carries the default route (the lowest metric among several), else the
// first non-loopback IPv4 address of an interface that is up, else 127.0.0.1. routeTable is /proc/net/route
// as text.
QString chooseLocalIPv4(const QString& routeTable, const QList<InterfaceAddresses>& interfaces);

class SystemHostInfo : public HostInfo {
public:
    QString hostName() const override;
    QString localIPv4() const override;
};

} // namespace platform
