#include "platform/net/UdpDatagramNetwork.h"

#include <QHostInfo>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <limits>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

sockaddr_in endpoint(quint32 address, quint16 port) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_addr.s_addr = htonl(address);
    result.sin_port = htons(port);
    return result;
}

// What waits unread is held by the system until the reading thread takes it; a machine busy elsewhere can
// keep that thread from running for some milliseconds while a burst from a peer goes on arriving. The buffer
// is a ceiling, taken only while datagrams wait. The system grants at most its limit (net.core.rmem_max):
// asking for more than any system allows gets exactly that. A copy allowed past the limit (root) takes at
// least what a burst of some thousands of short datagrams needs, whatever the machine's limit.
void askLargestReceiveBuffer(int socket) {
    const int largest = std::numeric_limits<int>::max() / 2;
    const int floor = 4 << 20;
    int granted = 0;
    socklen_t size = sizeof granted;
    ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &largest, sizeof largest);
    // The system reports twice what it was asked for: the rest is its own bookkeeping.
    if (::getsockopt(socket, SOL_SOCKET, SO_RCVBUF, &granted, &size) == 0 && granted < 2 * floor)
        ::setsockopt(socket, SOL_SOCKET, SO_RCVBUFFORCE, &floor, sizeof floor);
}

} // namespace

UdpDatagramSocket::UdpDatagramSocket(QObject* parent) : DatagramSocket(parent) {}

UdpDatagramSocket::~UdpDatagramSocket() {
    close();
}

void UdpDatagramSocket::bind(quint16 localPort) {
    close();
    const auto fail = [&](bool inUse) {
        Error error(inUse
                        ? QStringLiteral("Port %1 is already in use.").arg(localPort)
                        : QStringLiteral("Port %1 cannot be opened: %2.").arg(localPort).arg(systemError()));
        close();
        throw error;
    };
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0)
        return fail(false);
    const int on = 1;
    ::setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    askLargestReceiveBuffer(socket_);
    // No address sharing: a second copy must not silently receive half of the datagrams meant for the first.
    const sockaddr_in local = endpoint(INADDR_ANY, localPort);
    if (::bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        return fail(errno == EADDRINUSE);
    stop_ = ::eventfd(0, EFD_CLOEXEC);
    if (stop_ < 0)
        return fail(false);
    reader_ = std::thread(&UdpDatagramSocket::readUntilStopped, this, socket_, stop_);
}

void UdpDatagramSocket::readUntilStopped(int socket, int stop) {
    std::vector<char> buffer(65536);
    pollfd waits[] = {{socket, POLLIN, 0}, {stop, POLLIN, 0}};
    while (::poll(waits, 2, -1) >= 0 || errno == EINTR) {
        if (waits[1].revents != 0)
            return;
        for (;;) {
            sockaddr_in from{};
            socklen_t fromSize = sizeof from;
            const ssize_t got = ::recvfrom(socket, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                           reinterpret_cast<sockaddr*>(&from), &fromSize);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                break; // nothing more waits
            }
            Datagram datagram{QByteArray(buffer.data(), got), QHostAddress(ntohl(from.sin_addr.s_addr)),
                              ntohs(from.sin_port)};
            if (queue_.push(std::move(datagram)))
                QMetaObject::invokeMethod(this, &DatagramSocket::readyRead, Qt::QueuedConnection);
        }
    }
}

void UdpDatagramSocket::sendTo(const QHostAddress& to, quint16 port, const QByteArray& bytes) {
    const sockaddr_in remote = endpoint(to.toIPv4Address(), port);
    if (socket_ >= 0 && ::sendto(socket_, bytes.constData(), bytes.size(), 0,
                                 reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == bytes.size())
        return;
    throw Error(socket_ < 0 ? QStringLiteral("The socket is not open.") : systemError());
}

void UdpDatagramSocket::close() {
    if (reader_.joinable()) {
        const quint64 one = 1;
        [[maybe_unused]] const auto written = ::write(stop_, &one, sizeof one);
        reader_.join();
    }
    for (int* fd : {&socket_, &stop_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    queue_.clear();
}

bool UdpDatagramSocket::hasPendingDatagram() const {
    return !queue_.isEmpty();
}

Datagram UdpDatagramSocket::takeDatagram() {
    return queue_.take().value_or(Datagram());
}

quint16 UdpDatagramSocket::localPort() const {
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (socket_ < 0 || ::getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &size) != 0)
        return 0;
    return ntohs(local.sin_port);
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
