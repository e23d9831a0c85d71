#pragma once

#include "platform/Error.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

struct Datagram {
    QByteArray bytes;
    QHostAddress sender;
    quint16 senderPort = 0;
};

// One UDP endpoint. Bound sockets listen on every interface and may send to broadcast addresses.
class DatagramSocket : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~DatagramSocket() override = default;
    // Both throw Error with the reason: a port that cannot be had, a datagram the system refuses.
    virtual void bind(quint16 localPort) = 0;
    virtual void sendTo(const QHostAddress& to, quint16 port, const QByteArray& bytes) = 0;
    virtual void close() = 0;
    virtual bool hasPendingDatagram() const = 0;
    virtual Datagram takeDatagram() = 0;

signals:
    void readyRead();
};

// Host names the program has heard peers use, with the address each last arrived from. Lets a message reach a
// peer by name on a LAN without name service. An address keeps only the name it used last, and a name only
// the address it came from last, so a peer using endless names grows nothing.
class PeerDirectory {
public:
    void remember(const QString& hostName, const QHostAddress& address) {
        if (const auto named = names_.constFind(address); named != names_.constEnd() && *named != hostName)
            addresses_.remove(*named);
        if (const auto at = addresses_.constFind(hostName); at != addresses_.constEnd() && *at != address)
            names_.remove(*at);
        addresses_.insert(hostName, address);
        names_.insert(address, hostName);
    }
    std::optional<QHostAddress> lookup(const QString& hostName) const {
        auto it = addresses_.constFind(hostName);
        if (it == addresses_.constEnd())
            return std::nullopt;
        return *it;
    }
    qsizetype size() const { return addresses_.size(); }

private:
    QHash<QString, QHostAddress> addresses_;
    QHash<QHostAddress, QString> names_;
};

// The network seam: real UDP in the program, an in-memory bus in tests.
class DatagramNetwork {
public:
    virtual ~DatagramNetwork() = default;
    virtual std::unique_ptr<DatagramSocket> createSocket() = 0;
    using LookupDone = std::function<void(std::optional<QHostAddress>)>;
    // Asks the system resolver for hostName's IPv4 address without waiting for it: done runs later, through
    // the event loop, with the address or nullopt; it does not run once context is gone.
    virtual void lookupHost(const QString& hostName, QObject* context, LookupDone done) = 0;
    PeerDirectory& peers() { return peers_; }

private:
    PeerDirectory peers_;
};

} // namespace platform
