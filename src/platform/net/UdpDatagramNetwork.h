#pragma once

#include "platform/net/DatagramNetwork.h"
#include "platform/net/DatagramQueue.h"

#include <thread>

namespace platform {

// A bound UDP socket on every IPv4 interface of this computer. The port is held exclusively. A thread of its
// own reads what arrives into a queue as it arrives, so a window busy for a while loses nothing: the handlers
// still run on the socket's own thread, told by readyRead, in the order of arrival.
class UdpDatagramSocket : public DatagramSocket {
    Q_OBJECT
public:
    explicit UdpDatagramSocket(QObject* parent = nullptr);
    ~UdpDatagramSocket() override;

    void bind(quint16 localPort) override;
    void sendTo(const QHostAddress& to, quint16 port, const QByteArray& bytes) override;
    // Stops the reading thread and releases the port; what was not taken is dropped.
    void close() override;
    bool hasPendingDatagram() const override;
    Datagram takeDatagram() override;

    // The local port actually held (the one chosen by the system when bound to 0).
    quint16 localPort() const;

    // A wire byte becomes at most one character, two bytes, of text: a full queue holds no more than the
    // message store keeps at most, and a flood beyond it would only push out what came before.
    static constexpr qint64 MaxQueuedBytes = qint64(32) << 20;

private:
    void readUntilStopped(int socket, int stop);

    int socket_ = -1;
    int stop_ = -1; // an event that wakes the reading thread to end
    std::thread reader_;
    DatagramQueue queue_{MaxQueuedBytes};
};

class UdpDatagramNetwork : public DatagramNetwork {
public:
    std::unique_ptr<DatagramSocket> createSocket() override;
    void lookupHost(const QString& hostName, QObject* context, LookupDone done) override;
};

} // namespace platform
