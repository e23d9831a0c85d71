#pragma once

#include "platform/net/DatagramNetwork.h"

#include <deque>
#include <mutex>
#include <optional>

namespace platform {

// Datagrams handed from the thread that reads them off a socket to the thread that handles them, oldest
// first. Bounded in bytes: when it is full, what arrives is dropped, as the system drops what its own buffer
// cannot hold, so what is kept stays in the order it arrived.
class DatagramQueue {
public:
    explicit DatagramQueue(qint64 maxBytes) : maxBytes_(maxBytes) {}

    // Adds datagram unless the queue is full. True when the queue was empty before: the moment to tell the
    // handler, who takes until it is empty again.
    bool push(Datagram datagram);
    std::optional<Datagram> take();
    bool isEmpty() const;
    void clear();

    // What holding one datagram takes: its bytes and its share of the bookkeeping.
    static qint64 costOf(const Datagram& datagram) { return datagram.bytes.size() + 64; }

private:
    mutable std::mutex mutex_;
    std::deque<Datagram> datagrams_;
    qint64 bytes_ = 0;
    const qint64 maxBytes_;
};

} // namespace platform
