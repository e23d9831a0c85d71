// Sends texts as several hosts would, each from a source address of its own (addresses this namespace holds):
// bind <address>:6666, send one datagram of code page 950 bytes, close.
// Usage: net_send_from <remote host> <remote port> <address> <text> [<address> <text>]...

#include "platform/net/Cp950.h"

#include <QString>
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in endpoint(const char* address, int port) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address, &result.sin_addr);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr, "usage: net_send_from <remote host> <remote port> <address> <text>...\n");
        return 64;
    }
    const sockaddr_in to = endpoint(argv[1], std::atoi(argv[2]));
    for (int i = 3; i < argc; i += 2) {
        const int fd = socket(AF_INET, SOCK_DGRAM, 0);
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
        const sockaddr_in from = endpoint(argv[i], 6666);
        const QByteArray bytes = platform::encodeCp950(QString::fromUtf8(argv[i + 1]));
        if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0 ||
            sendto(fd, bytes.constData(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                   sizeof to) != bytes.size()) {
            std::printf("ERROR %s\n", argv[i]);
            return 1;
        }
        close(fd);
    }
    return 0;
}
