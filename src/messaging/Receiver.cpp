#include "messaging/Receiver.h"

#include "messaging/DatagramKinds.h"
#include "messaging/KnownHosts.h"
#include "messaging/MessageStore.h"
#include "platform/net/DatagramNetwork.h"

namespace Receiver {

Then take(const QString& datagram, const QString& sender, MessageStore& messages, KnownHosts& knownHosts,
          platform::PeerDirectory& peers) {
    const auto reading = DatagramKinds::read(datagram);
    switch (reading.kind) {
    case DatagramKinds::Kind::PresenceQuery:
        return Then::AnswerPresence;
    case DatagramKinds::Kind::PresenceAnswer:
        peers.remember(reading.rest, QHostAddress(sender));
        knownHosts.announced(reading.rest, sender);
        break;
    case DatagramKinds::Kind::QuitNotice:
        knownHosts.quit(reading.rest);
        break;
    case DatagramKinds::Kind::Header:
        messages.headerArrival(sender, reading.rest);
        break;
    case DatagramKinds::Kind::ReplyHost:
        peers.remember(reading.rest, QHostAddress(sender));
        messages.replyHostArrival(sender, reading.rest);
        break;
    case DatagramKinds::Kind::Body:
        messages.bodyArrival(sender, reading.rest);
        return Then::ShowMessages;
    }
    return Then::Nothing;
}

} // namespace Receiver
