#include "support/FakeDatagramNetwork.h"

#include "platform/net/Cp950.h"

#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace testsupport {

QString FakeDatagramNetwork::Sent::text() const {
    return platform::decodeCp950(bytes);
}

FakeDatagramNetwork::FakeDatagramNetwork(QObject* parent) : QObject(parent) {}

FakeDatagramNetwork::~FakeDatagramNetwork() = default;

std::unique_ptr<platform::DatagramSocket> FakeDatagramNetwork::createSocket() {
    return std::make_unique<FakeDatagramSocket>(*this);
}

void FakeDatagramNetwork::lookupHost(const QString& hostName, QObject* context, LookupDone done) {
    lookedUpNames_ << hostName;
    if (holdLookups_) {
        heldLookups_.push_back({hostName, context, std::move(done)});
        return;
    }
    QTimer::singleShot(0, context, [this, hostName, done = std::move(done)] { done(answerFor(hostName)); });
}

int FakeDatagramNetwork::answerHeldLookups() {
    std::vector<Lookup> held = std::move(heldLookups_);
    heldLookups_.clear();
    int answered = 0;
    for (Lookup& lookup : held) {
        if (!lookup.context)
            continue;
        ++answered;
        lookup.done(answerFor(lookup.hostName));
    }
    return answered;
}

std::optional<QHostAddress> FakeDatagramNetwork::answerFor(const QString& hostName) const {
    const auto it = resolvable_.constFind(hostName);
    if (it == resolvable_.constEnd())
        return std::nullopt;
    return *it;
}

void FakeDatagramNetwork::inject(quint16 port, const QByteArray& bytes, const QHostAddress& from,
                                 quint16 fromPort) {
    enqueue({port, {bytes, from, fromPort}});
}

void FakeDatagramNetwork::injectText(quint16 port, const QString& text, const QHostAddress& from,
                                     quint16 fromPort) {
    inject(port, platform::encodeCp950(text), from, fromPort);
}

int FakeDatagramNetwork::deliverPending() {
    // A handler answering every arrival with another that reaches this host would never let this end.
    constexpr int runaway = 100000;
    int delivered = 0;
    while (!inFlight_.empty()) {
        // Everything in flight lands in the sockets' buffers before any reader wakes, as a burst does.
        std::vector<QPointer<FakeDatagramSocket>> woken;
        for (; !inFlight_.empty(); inFlight_.pop_front()) {
            if (++delivered > runaway) {
                ADD_FAILURE() << "datagrams keep arriving: handlers answer each other without end";
                inFlight_.clear();
                return delivered;
            }
            FakeDatagramSocket* socket = bound_.value(inFlight_.front().toPort);
            if (!socket) {
                ++dropped_;
                continue;
            }
            socket->queue_.push_back(std::move(inFlight_.front().datagram));
            if (std::find(woken.begin(), woken.end(), socket) == woken.end())
                woken.emplace_back(socket);
        }
        for (const auto& socket : woken) {
            if (socket && socket->hasPendingDatagram())
                emit socket->readyRead();
        }
    }
    return delivered;
}

QStringList FakeDatagramNetwork::sentTexts() const {
    QStringList texts;
    for (const Sent& s : sent_)
        texts << s.text();
    return texts;
}

void FakeDatagramNetwork::clearRecord() {
    sent_.clear();
    bindAttempts_.clear();
    lookedUpNames_.clear();
    dropped_ = 0;
}

void FakeDatagramNetwork::bindSocket(FakeDatagramSocket* socket, quint16 port) {
    if (port == 0) {
        while (bound_.contains(nextEphemeralPort_) || takenPorts_.contains(nextEphemeralPort_))
            ++nextEphemeralPort_;
        port = nextEphemeralPort_++;
    }
    const bool free = !bound_.contains(port) && !takenPorts_.contains(port);
    bindAttempts_.push_back({port, free});
    if (!free)
        throw platform::Error(QStringLiteral("Port %1 is already in use.").arg(port));
    bound_.insert(port, socket);
    socket->port_ = port;
}

void FakeDatagramNetwork::unbindSocket(FakeDatagramSocket* socket) {
    if (bound_.value(socket->port_) == socket)
        bound_.remove(socket->port_);
}

void FakeDatagramNetwork::send(FakeDatagramSocket* socket, const QHostAddress& to, quint16 port,
                               const QByteArray& bytes) {
    sent_.push_back({socket->port_, to, port, bytes});
    if (!reachesThisHost(to))
        return;
    const bool loopback = to.isLoopback();
    enqueue({port, {bytes, loopback ? QHostAddress(QHostAddress::LocalHost) : ownAddress, socket->port_}});
}

bool FakeDatagramNetwork::reachesThisHost(const QHostAddress& to) const {
    if (to.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    return to == ownAddress || to.isLoopback() || to.isBroadcast() || (to.toIPv4Address() & 0xFF) == 0xFF;
}

void FakeDatagramNetwork::enqueue(InFlight arrival) {
    inFlight_.push_back(std::move(arrival));
    if (deliveryScheduled_)
        return;
    deliveryScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        deliveryScheduled_ = false;
        deliverPending();
    });
}

FakeDatagramSocket::FakeDatagramSocket(FakeDatagramNetwork& network) : network_(&network) {}

FakeDatagramSocket::~FakeDatagramSocket() {
    close();
}

void FakeDatagramSocket::bind(quint16 localPort) {
    if (!network_)
        throw platform::Error(QStringLiteral("The network is gone."));
    if (bound_)
        network_->unbindSocket(this);
    bound_ = false;
    network_->bindSocket(this, localPort);
    bound_ = true;
}

void FakeDatagramSocket::sendTo(const QHostAddress& to, quint16 port, const QByteArray& bytes) {
    if (!network_)
        throw platform::Error(QStringLiteral("The network is gone."));
    // The system refuses more than a UDP datagram over IPv4 carries.
    if (bytes.size() > 65507)
        throw platform::Error(QStringLiteral("Datagram was too large to send"));
    if (!bound_)
        bind(0);
    network_->send(this, to, port, bytes);
}

void FakeDatagramSocket::close() {
    if (bound_ && network_)
        network_->unbindSocket(this);
    bound_ = false;
    queue_.clear();
}

platform::Datagram FakeDatagramSocket::takeDatagram() {
    if (queue_.empty())
        return {};
    platform::Datagram datagram = std::move(queue_.front());
    queue_.pop_front();
    return datagram;
}

} // namespace testsupport
