#pragma once

#include "platform/net/DatagramNetwork.h"

#include <QUdpSocket>

namespace platform {

// A bound UDP socket on every IPv4 interface of this computer. The port is held exclusively, and the receive
// buffer is large enough for the answers of a whole subnet arriving at once.
class UdpDatagramSocket : public DatagramSocket {
    Q_OBJECT
public:
    explicit UdpDatagramSocket(QObject* parent = nullptr);

    bool bind(quint16 localPort, QString* error) override;
    bool sendTo(const QHostAddress& to, quint16 port, const QByteArray& bytes, QString* error) override;
    void close() override;
    bool hasPendingDatagram() const override;
    Datagram takeDatagram() override;

    // The local port actually held (the one chosen by the system when bound to 0).
    quint16 localPort() const { return socket_.localPort(); }

    static constexpr int receiveBufferBytes = 1 << 20;

private:
    QUdpSocket socket_;
};

class UdpDatagramNetwork : public DatagramNetwork {
public:
    std::unique_ptr<DatagramSocket> createSocket() override;
    void lookupHost(const QString& hostName, QObject* context, LookupDone done) override;
};

} // namespace platform
