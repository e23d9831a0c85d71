#pragma once

#include "platform/Error.h"
#include "platform/net/DatagramNetwork.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

class HostInfo;

// The UDP socket control: set its properties, Bind, SendData / GetData, Close. Texts travel as CP950 bytes.
// Where the control raises a run-time error (a port that cannot be bound, a remote host that cannot be
// resolved, a datagram that cannot be sent) it throws Error, its reason a sentence for the user.
class Winsock : public QObject {
    Q_OBJECT
public:
    enum ProtocolConstants { sckTCPProtocol = 0, sckUDPProtocol = 1 };

    Winsock(DatagramNetwork& network, const HostInfo& host, QObject* parent = nullptr);
    ~Winsock() override;

    int Protocol = sckTCPProtocol;
    QString RemoteHost;
    int RemotePort = 0;
    int LocalPort = 0;

    QString LocalHostName() const;
    QString LocalIP() const;
    // Sender address of the datagram last read by GetData.
    QString RemoteHostIP() const;

    // Opens the socket on LocalPort (all interfaces, broadcast allowed); a socket already open is closed
    // first. Throws Error.
    void Bind();
    // Finds RemoteHost's IPv4 address without waiting on the network: a dotted address as it is, else the
    // address that host name last arrived from, else the system resolver, whose answer comes later through
    // the event loop. Exactly one of found and failed runs, once, at once or later, unless this socket is
    // destroyed first; found gets the dotted address, failed the error.
    void LookupRemoteHost(std::function<void(const QString& address)> found,
                          std::function<void(const Error& error)> failed);
    // Sends one datagram to RemoteHost:RemotePort. RemoteHost is a dotted address or a name heard on the LAN:
    // sending never waits, so a name only the resolver knows is looked up first. Throws Error.
    void SendData(const QString& text);
    // The most a UDP datagram over IPv4 can carry.
    static constexpr int MaxDatagramBytes = 65507;
    // Throws Error, with the sizes in its sentence, when text does not fit in one datagram.
    static void CheckFits(const QString& text);
    // Reads the oldest waiting datagram into text (empty text when none waits). Inside a DataArrival
    // handler: the datagram announced, once.
    void GetData(QString& text);
    // Releases the port at once.
    void Close();
    bool IsBound() const { return socket_ != nullptr; }

signals:
    // Once per arriving datagram, one at a time; a datagram the handler does not read is dropped after it.
    void DataArrival(int bytesTotal);

private:
    void onReadyRead();
    void openSocket(quint16 port);
    void releaseSocket();
    std::optional<QHostAddress> knownAddress(const QString& host) const;

    DatagramNetwork& network_;
    const HostInfo& host_;
    std::unique_ptr<DatagramSocket> socket_;
    QString remoteHostIP_;
    bool dispatching_ = false;
    std::optional<Datagram> announced_;
};

} // namespace platform
