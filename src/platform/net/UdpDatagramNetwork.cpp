#include "platform/net/UdpDatagramNetwork.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QVariant>

namespace platform {

UdpDatagramSocket::UdpDatagramSocket(QObject* parent) : DatagramSocket(parent) {
    connect(&socket_, &QUdpSocket::readyRead, this, &DatagramSocket::readyRead);
}

bool UdpDatagramSocket::bind(quint16 localPort, QString* error) {
    // No address sharing: a second copy must not silently receive half of the datagrams meant for the first.
    // (Qt turns broadcasting on for every UDP socket it creates.)
    if (!socket_.bind(QHostAddress::AnyIPv4, localPort, QAbstractSocket::DontShareAddress)) {
        if (error) {
            *error = socket_.error() == QAbstractSocket::AddressInUseError
                         ? QStringLiteral("Port %1 is already in use.").arg(localPort)
                         : QStringLiteral("Port %1 cannot be opened: %2.")
                               .arg(localPort)
                               .arg(socket_.errorString());
        }
        return false;
    }
    socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(receiveBufferBytes));
    return true;
}

bool UdpDatagramSocket::sendTo(const QHostAddress& to, quint16 port, const QByteArray& bytes,
                               QString* error) {
    if (socket_.writeDatagram(bytes, to, port) == bytes.size())
        return true;
    if (error)
        *error = socket_.errorString();
    return false;
}

void UdpDatagramSocket::close() {
    socket_.close();
}

bool UdpDatagramSocket::hasPendingDatagram() const {
    return socket_.hasPendingDatagrams();
}

Datagram UdpDatagramSocket::takeDatagram() {
    const QNetworkDatagram received = socket_.receiveDatagram();
    Datagram datagram;
    datagram.bytes = received.data();
    datagram.sender = received.senderAddress();
    datagram.senderPort = received.senderPort() < 0 ? 0 : static_cast<quint16>(received.senderPort());
    return datagram;
}

std::unique_ptr<DatagramSocket> UdpDatagramNetwork::createSocket() {
    return std::make_unique<UdpDatagramSocket>();
}

void UdpDatagramNetwork::lookupHost(const QString& hostName, QObject* context, LookupDone done) {
    // The lookup runs on Qt's own thread; the answer comes back through the event loop.
    QHostInfo::lookupHost(hostName.trimmed(), context, [done = std::move(done)](const QHostInfo& info) {
        std::optional<QHostAddress> found;
        if (info.error() == QHostInfo::NoError) {
            for (const QHostAddress& address : info.addresses()) {
                if (address.protocol() == QAbstractSocket::IPv4Protocol) {
                    found = address;
                    break;
                }
            }
        }
        done(found);
    });
}

} // namespace platform
