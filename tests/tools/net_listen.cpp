// Holds a receiving socket in the namespace it is started in and reports what arrives, one line per datagram:
// the sender's address, a blank, and the text. First line: "READY" and the local IPv4 address.
// Usage: net_listen <port> <datagrams to wait for> <give up after ms>

#include "platform/net/SystemHostInfo.h"
#include "platform/net/UdpDatagramNetwork.h"
#include "platform/net/Winsock.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: net_listen <port> <count> <timeout ms>\n");
        return 64;
    }
    const int expected = args[2].toInt();

    platform::UdpDatagramNetwork network;
    platform::SystemHostInfo host;
    platform::Winsock socket(network, host);
    socket.Protocol = platform::Winsock::sckUDPProtocol;
    socket.LocalPort = args[1].toInt();
    try {
        socket.Bind();
    } catch (const platform::Error& e) {
        std::printf("ERROR %s\n", e.what());
        return 3;
    }
    std::printf("READY %s\n", qPrintable(socket.LocalIP()));
    std::fflush(stdout);

    int received = 0;
    QObject::connect(&socket, &platform::Winsock::DataArrival, [&](int) {
        QString text;
        socket.GetData(text);
        std::printf("%s %s\n", qPrintable(socket.RemoteHostIP()), text.toUtf8().constData());
        std::fflush(stdout);
        if (++received == expected)
            app.exit(0);
    });
    QTimer::singleShot(args[3].toInt(), &app, [&] { app.exit(2); });
    return expected == 0 ? 0 : app.exec();
}
