#include "messaging/Message_module.h"

#include "core/ErrorBox.h"
#include "core/Program.h"
#include "messaging/DatagramKinds.h"
#include "messaging/frm_sendmsg.h"

namespace Message_module {
namespace {

void broadcast(Program& program, const QString& prefix) {
    platform::Winsock& socket = program.get<frm_sendmsg>().Winsock_send;
    try {
        if (program.shared.BroadcastAddress.isEmpty())
            throw platform::Error(QStringLiteral("The broadcast address of this computer is not known."));
        socket.Protocol = platform::Winsock::sckUDPProtocol;
        socket.RemoteHost = program.shared.BroadcastAddress;
        socket.RemotePort = DatagramKinds::ReceivePort;
        socket.LocalPort = DatagramKinds::SendPort;
        socket.Bind();
        socket.SendData(prefix + socket.LocalHostName());
        socket.Close();
        SendingWorks(program);
    } catch (const platform::Error& error) {
        socket.Close();
        // Told once while the failure lasts, though the compose window comes and goes meanwhile.
        if (program.presenceFailureTold)
            return;
        program.presenceFailureTold = true;
        showError(program.env().dialogs,
                  error.within(QStringLiteral(
                      "The other computers on the network could not be told about this one: %1")));
    }
}

} // namespace

void SendingWorks(Program& program) {
    program.presenceFailureTold = false;
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
