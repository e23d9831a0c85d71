#include "messaging/Message_module.h"

#include "core/Program.h"
#include "messaging/DatagramKinds.h"
#include "messaging/frm_sendmsg.h"

namespace Message_module {
namespace {

// Kept on the program rather than on the compose window, which comes and goes while the failure lasts.
constexpr char failureToldProperty[] = "presenceFailureTold";

void broadcast(Program& program, const QString& prefix) {
    platform::Winsock& socket = program.get<frm_sendmsg>().Winsock_send;
    try {
        if (program.shared.BroadcastAddress.isEmpty())
            throw platform::SocketError("The broadcast address of this computer is not known.");
        socket.Protocol = platform::Winsock::sckUDPProtocol;
        socket.RemoteHost = program.shared.BroadcastAddress;
        socket.RemotePort = DatagramKinds::ReceivePort;
        socket.LocalPort = DatagramKinds::SendPort;
        socket.Bind();
        socket.SendData(prefix + socket.LocalHostName());
        socket.Close();
        SendingWorks(program);
    } catch (const platform::SocketError& e) {
        socket.Close();
        if (program.property(failureToldProperty).toBool())
            return;
        program.setProperty(failureToldProperty, true);
        platform::warn(
            program.env().dialogs,
            QStringLiteral("The other computers on the network could not be told about this one: %1")
                .arg(QString::fromUtf8(e.what())));
    }
}

} // namespace

void SendingWorks(Program& program) {
    program.setProperty(failureToldProperty, false);
}

void BroadcastHostQuery(Program& program) {
    broadcast(program, DatagramKinds::PresenceQueryPrefix);
}

void BroadcastNeighborReply(Program& program) {
    broadcast(program, DatagramKinds::PresenceAnswerPrefix);
}

void BroadcastQuitNotice(Program& program) {
    broadcast(program, DatagramKinds::QuitNoticePrefix);
}

} // namespace Message_module
