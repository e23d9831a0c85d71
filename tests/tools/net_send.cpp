// Sends texts from the namespace it is started in, the way the program sends: bind the local port, send one
// datagram per text, close. Usage: net_send <local port> <remote host> <remote port> <text>...

#include "platform/net/SystemHostInfo.h"
#include "platform/net/UdpDatagramNetwork.h"
#include "platform/net/Winsock.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: net_send <local port> <remote host> <remote port> <text>...\n");
        return 64;
    }
    platform::UdpDatagramNetwork network;
    platform::SystemHostInfo host;
    platform::Winsock socket(network, host);
    socket.Protocol = platform::Winsock::sckUDPProtocol;
    socket.LocalPort = args[1].toInt();
    socket.RemoteHost = args[2];
    socket.RemotePort = args[3].toInt();
    try {
        socket.Bind();
        for (qsizetype i = 4; i < args.size(); ++i)
            socket.SendData(args[i]);
        socket.Close();
    } catch (const platform::Error& e) {
        std::printf("ERROR %s\n", e.what());
        return 1;
    }
    return 0;
}
