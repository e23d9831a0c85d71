// Datagrams as any host on the LAN may send them, through the receiver's reading and into the message store.
// The input is a run of datagrams split at NUL bytes; a one-byte datagram 1..5 stands for the user browsing,
// one of 6..9 makes the datagrams after it come from another sender.
#include "messaging/KnownHosts.h"
#include "messaging/MessageStore.h"
#include "messaging/Receiver.h"
#include "platform/net/Cp950.h"
#include "platform/net/DatagramNetwork.h"

#include <QByteArray>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MessageStore store;
    QStringList TempList;
    KnownHosts knownHosts(TempList);
    platform::PeerDirectory peers;
    QString sender = QStringLiteral("10.0.0.1");
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& datagram : input.split('\0')) {
        if (datagram.size() == 1 && datagram[0] >= 1 && datagram[0] <= 5) {
            switch (datagram[0]) {
            case 1:
                store.previous();
                break;
            case 2:
                store.next();
                break;
            case 3:
                store.deleteOne();
                break;
            case 4:
                store.deleteAll();
                break;
            case 5:
                store.replyHost();
                break;
            }
            continue;
        }
        if (datagram.size() == 1 && datagram[0] >= 6 && datagram[0] <= 9) {
            sender = QStringLiteral("10.0.0.%1").arg(int(datagram[0]));
            continue;
        }
        Receiver::take(platform::decodeCp950(datagram), sender, store, knownHosts, peers);
    }
    return 0;
}
