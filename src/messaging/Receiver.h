#pragma once

#include <QString>

class KnownHosts;
class MessageStore;
namespace platform {
class PeerDirectory;
}

// What the receiver does with one datagram besides what the window shows: the store, the known hosts and the
// name-to-address directory take their part, and the caller is told what is left to it.
namespace Receiver {

enum class Then { Nothing, AnswerPresence, ShowMessages };

Then take(const QString& datagram, const QString& sender, MessageStore& messages, KnownHosts& knownHosts,
          platform::PeerDirectory& peers);

} // namespace Receiver
