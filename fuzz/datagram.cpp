// Datagrams as any host on the LAN may send them, through the receiver's reading and into the message store.
// The input is a run of datagrams split at NUL bytes; a one-byte datagram 1..5 stands for the user browsing,
// one of 6..9 makes the datagrams after it come from another sender.
#include "messaging/DatagramKinds.h"
#include "messaging/KnownHosts.h"
#include "messaging/MessageStore.h"
#include "platform/net/Cp950.h"

#include <QByteArray>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MessageStore store;
    QStringList TempList;
    KnownHosts knownHosts(TempList);
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
        const auto reading = DatagramKinds::read(platform::decodeCp950(datagram));
        switch (reading.kind) {
        case DatagramKinds::Kind::PresenceQuery:
            break;
        case DatagramKinds::Kind::PresenceAnswer:
            knownHosts.announced(reading.rest, sender);
            break;
        case DatagramKinds::Kind::QuitNotice:
            knownHosts.quit(reading.rest);
            break;
        case DatagramKinds::Kind::Header:
            store.headerArrival(sender, reading.rest);
            break;
        case DatagramKinds::Kind::ReplyHost:
            store.replyHostArrival(sender, reading.rest);
            break;
        case DatagramKinds::Kind::Body:
            store.bodyArrival(sender, reading.rest);
            break;
        }
    }
    return 0;
}
