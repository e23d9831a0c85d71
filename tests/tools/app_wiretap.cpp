// Reports the raw bytes of the datagrams arriving at a UDP port, one line each: "<sender ip>:<sender port>
// <hex>". First line "READY". Usage: app_wiretap <port> <datagrams to wait for> <give up after ms>

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: app_wiretap <port> <count> <timeout ms>\n");
        return 64;
    }
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(std::atoi(argv[1])));
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        std::printf("ERROR bind\n");
        return 1;
    }
    std::printf("READY\n");
    std::fflush(stdout);
    for (int n = std::atoi(argv[2]); n > 0; --n) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, std::atoi(argv[3])) <= 0)
            return 2;
        unsigned char buffer[65536];
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t got =
            recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        std::printf("%s:%u ", inet_ntoa(from.sin_addr), ntohs(from.sin_port));
        for (ssize_t i = 0; i < got; ++i)
            std::printf("%02x", buffer[i]);
        std::printf("\n");
        std::fflush(stdout);
    }
    close(fd);
    return 0;
}
