#include "platform/net/DatagramQueue.h"

namespace platform {

bool DatagramQueue::push(Datagram datagram) {
    const qint64 cost = costOf(datagram);
    const std::lock_guard lock(mutex_);
    if (bytes_ + cost > maxBytes_)
        return false;
    bytes_ += cost;
    datagrams_.push_back(std::move(datagram));
    return datagrams_.size() == 1;
}

std::optional<Datagram> DatagramQueue::take() {
    const std::lock_guard lock(mutex_);
    if (datagrams_.empty())
        return std::nullopt;
    Datagram datagram = std::move(datagrams_.front());
    datagrams_.pop_front();
    bytes_ -= costOf(datagram);
    return datagram;
}

bool DatagramQueue::isEmpty() const {
    const std::lock_guard lock(mutex_);
    return datagrams_.empty();
}

void DatagramQueue::clear() {
    const std::lock_guard lock(mutex_);
    datagrams_.clear();
    bytes_ = 0;
}

} // namespace platform
