#pragma once

#include "platform/net/DatagramNetwork.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <deque>
#include <vector>

namespace testsupport {

class FakeDatagramSocket;

// An in-memory stand-in for the network: a single host with its own address. It records every bind and every
// datagram sent, and delivers a datagram to the socket bound on its destination port when the destination is
// this host (its own address, 127.x) or a broadcast address (x.x.x.255). Delivery is asynchronous like real
// UDP: queued, and handed over when the event loop runs or on deliverPending().
class FakeDatagramNetwork : public QObject, public platform::DatagramNetwork {
    Q_OBJECT
public:
    struct Sent {
        quint16 fromPort = 0;
        QHostAddress to;
        quint16 toPort = 0;
        QByteArray bytes;
        QString text() const; // the bytes read as code page 950
    };
    struct BindAttempt {
        quint16 port = 0;
        bool succeeded = false;
    };

    explicit FakeDatagramNetwork(QObject* parent = nullptr);
    ~FakeDatagramNetwork() override;

    std::unique_ptr<platform::DatagramSocket> createSocket() override;
    // Answered from the names set resolvable, on a later turn of the event loop as the system resolver
    // answers; while lookups are held, they wait for answerHeldLookups(), or for ever.
    void lookupHost(const QString& hostName, QObject* context, LookupDone done) override;

    // This host's own address; the source of what it sends to others and to broadcast addresses.
    QHostAddress ownAddress{QStringLiteral("192.168.7.21")};

    // Something outside the program holds the port: binding it fails as a port in use does.
    void takePort(quint16 port) { takenPorts_.insert(port); }
    void releasePort(quint16 port) { takenPorts_.remove(port); }
    // What the system resolver answers for a name; names not set do not resolve.
    void setResolvable(const QString& hostName, const QHostAddress& address) {
        resolvable_.insert(hostName, address);
    }
    void holdLookups(bool hold) { holdLookups_ = hold; }
    // Answers every held lookup whose context still exists; returns how many were answered.
    int answerHeldLookups();

    // A datagram arriving at the local port from any sender; queued like every other arrival.
    void inject(quint16 port, const QByteArray& bytes, const QHostAddress& from, quint16 fromPort = 6666);
    void injectText(quint16 port, const QString& text, const QHostAddress& from, quint16 fromPort = 6666);
    // Hands over everything queued, including what the handlers send meanwhile: all that is queued lands in
    // the sockets first, then each socket's reader wakes once. Returns how many were handed over (to a bound
    // socket or dropped at a port nobody holds).
    int deliverPending();

    const std::vector<Sent>& sent() const { return sent_; }
    QStringList sentTexts() const;
    const std::vector<BindAttempt>& bindAttempts() const { return bindAttempts_; }
    // Every name asked of the resolver, in order.
    const QStringList& lookedUpNames() const { return lookedUpNames_; }
    bool isBound(quint16 port) const { return bound_.contains(port); }
    int droppedCount() const { return dropped_; }
    void clearRecord();

private:
    friend class FakeDatagramSocket;
    struct InFlight {
        quint16 toPort = 0;
        platform::Datagram datagram;
    };

    void bindSocket(FakeDatagramSocket* socket, quint16 port);
    void unbindSocket(FakeDatagramSocket* socket);
    void send(FakeDatagramSocket* socket, const QHostAddress& to, quint16 port, const QByteArray& bytes);
    bool reachesThisHost(const QHostAddress& to) const;
    void enqueue(InFlight arrival);

    QHash<quint16, FakeDatagramSocket*> bound_;
    QSet<quint16> takenPorts_;
    QHash<QString, QHostAddress> resolvable_;
    std::deque<InFlight> inFlight_;
    bool deliveryScheduled_ = false;
    quint16 nextEphemeralPort_ = 49152;
    std::vector<Sent> sent_;
    std::vector<BindAttempt> bindAttempts_;
    struct Lookup {
        QString hostName;
        QPointer<QObject> context;
        LookupDone done;
    };
    std::optional<QHostAddress> answerFor(const QString& hostName) const;
    bool holdLookups_ = false;
    std::vector<Lookup> heldLookups_;
    QStringList lookedUpNames_;
    int dropped_ = 0;
};

class FakeDatagramSocket : public platform::DatagramSocket {
    Q_OBJECT
public:
    explicit FakeDatagramSocket(FakeDatagramNetwork& network);
    ~FakeDatagramSocket() override;

    void bind(quint16 localPort) override;
    void sendTo(const QHostAddress& to, quint16 port, const QByteArray& bytes) override;
    void close() override;
    bool hasPendingDatagram() const override { return !queue_.empty(); }
    platform::Datagram takeDatagram() override;

    quint16 localPort() const { return port_; }

private:
    friend class FakeDatagramNetwork;

    QPointer<FakeDatagramNetwork> network_;
    quint16 port_ = 0;
    bool bound_ = false;
    std::deque<platform::Datagram> queue_;
};

} // namespace testsupport
