#include "platform/net/Winsock.h"

#include "platform/Environment.h"
#include "platform/net/Cp950.h"

#include <QPointer>
#include <QRegularExpression>
#include <QScopeGuard>

namespace platform {
namespace {

constexpr int highestPort = 65535;

std::optional<QHostAddress> dottedAddress(const QString& host) {
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}$"));
    if (!dotted.match(host).hasMatch())
        return std::nullopt;
    QHostAddress address;
    if (!address.setAddress(host) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    return address;
}

QString noRemoteHost() {
    return QStringLiteral("No remote host is set, so there is nowhere to send to.");
}

QString notFound(const QString& host) {
    return QStringLiteral("The host \"%1\" could not be found.").arg(host);
}

// The code page bytes of text, refused when they do not fit in one datagram.
QByteArray datagramOf(const QString& text) {
    QByteArray bytes = encodeCp950(text);
    if (bytes.size() > Winsock::MaxDatagramBytes)
        throw Error(QStringLiteral("The message is too long: it takes %1 bytes, and one message can "
                                   "carry at most %2. Shorten it and send it again.")
                        .arg(bytes.size())
                        .arg(Winsock::MaxDatagramBytes));
    return bytes;
}

} // namespace

Winsock::Winsock(DatagramNetwork& network, const HostInfo& host, QObject* parent)
    : QObject(parent), network_(network), host_(host) {}

Winsock::~Winsock() {
    releaseSocket();
}

QString Winsock::LocalHostName() const {
    return host_.hostName();
}

QString Winsock::LocalIP() const {
    return host_.localIPv4();
}

QString Winsock::RemoteHostIP() const {
    return remoteHostIP_;
}

void Winsock::Bind() {
    if (Protocol != sckUDPProtocol)
        throw Error("Only UDP sockets can be bound.");
    if (LocalPort < 0 || LocalPort > highestPort)
        throw Error(QStringLiteral("%1 is not a port number.").arg(LocalPort));
    // Binding again starts afresh, so a send that failed before its Close cannot keep the port held.
    releaseSocket();
    openSocket(static_cast<quint16>(LocalPort));
}

void Winsock::openSocket(quint16 port) {
    auto socket = network_.createSocket();
    socket->bind(port);
    connect(socket.get(), &DatagramSocket::readyRead, this, &Winsock::onReadyRead);
    socket_ = std::move(socket);
}

std::optional<QHostAddress> Winsock::knownAddress(const QString& host) const {
    if (auto address = dottedAddress(host))
        return address;
    // A peer's own last datagram is fresher than any name service, and needs no wait on a resolver that
    // may not answer at all on a LAN without one.
    return network_.peers().lookup(host);
}

void Winsock::LookupRemoteHost(std::function<void(const QString& address)> found,
                               std::function<void(const Error& error)> failed) {
    const QString host = RemoteHost.trimmed();
    if (host.isEmpty()) {
        failed(Error(noRemoteHost()));
        return;
    }
    if (const auto address = knownAddress(host)) {
        found(address->toString());
        return;
    }
    network_.lookupHost(
        host, this,
        [host, found = std::move(found), failed = std::move(failed)](std::optional<QHostAddress> address) {
            if (address)
                found(address->toString());
            else
                failed(Error(notFound(host)));
        });
}

void Winsock::CheckFits(const QString& text) {
    datagramOf(text);
}

void Winsock::SendData(const QString& text) {
    if (RemotePort <= 0 || RemotePort > highestPort)
        throw Error(QStringLiteral("%1 is not a port number to send to.").arg(RemotePort));
    const QString host = RemoteHost.trimmed();
    if (host.isEmpty())
        throw Error(noRemoteHost());
    const auto to = knownAddress(host);
    if (!to)
        throw Error(notFound(host));
    const QByteArray bytes = datagramOf(text);
    if (!socket_)
        openSocket(0);
    try {
        socket_->sendTo(*to, static_cast<quint16>(RemotePort), bytes);
    } catch (const Error& refused) {
        throw Error(
            QStringLiteral("The message to %1 could not be sent: %2").arg(RemoteHost, refused.reason()));
    }
}

void Winsock::GetData(QString& text) {
    text.clear();
    Datagram datagram;
    if (dispatching_) {
        // Inside a data-arrival handler the announced datagram is the one to read, once.
        if (!announced_)
            return;
        datagram = std::move(*announced_);
        announced_.reset();
    } else if (socket_ && socket_->hasPendingDatagram()) {
        datagram = socket_->takeDatagram();
    } else {
        return;
    }
    remoteHostIP_ = datagram.sender.toString();
    text = decodeCp950(datagram.bytes);
}

void Winsock::Close() {
    releaseSocket();
}

void Winsock::releaseSocket() {
    if (!socket_)
        return;
    std::unique_ptr<DatagramSocket> socket = std::move(socket_);
    socket->disconnect(this);
    // The port is free as soon as close() returns; the object itself may be mid-signal.
    socket->close();
    if (dispatching_)
        socket.release()->deleteLater();
}

void Winsock::onReadyRead() {
    // Arrivals are handled one at a time: a handler that opens a modal box lets the event loop run, and
    // what arrives meanwhile waits in the socket until that handler has returned.
    if (dispatching_)
        return;
    QPointer<Winsock> self(this);
    dispatching_ = true;
    const auto done = qScopeGuard([&] {
        if (!self)
            return;
        dispatching_ = false;
        announced_.reset();
    });
    while (self && socket_ && socket_->hasPendingDatagram()) {
        announced_ = socket_->takeDatagram();
        emit DataArrival(static_cast<int>(announced_->bytes.size()));
        // What the handler did not read is dropped, so it cannot be announced again and again.
        if (self)
            announced_.reset();
    }
}

} // namespace platform
