#include "platform/net/DatagramQueue.h"

#include <gtest/gtest.h>

using platform::Datagram;
using platform::DatagramQueue;

namespace {

Datagram datagram(char tag) {
    return Datagram{QByteArray(100, tag), QHostAddress(QStringLiteral("10.0.0.9")), 6666};
}

} // namespace

TEST(DatagramQueue, KeepsArrivalOrderAndDropsWhatArrivesWhileFull) {
    DatagramQueue queue(3 * DatagramQueue::costOf(datagram('a')));
    // Only the first of a run tells the handler: it takes until the queue is empty.
    EXPECT_TRUE(queue.push(datagram('a')));
    EXPECT_FALSE(queue.push(datagram('b')));
    EXPECT_FALSE(queue.push(datagram('c')));
    EXPECT_FALSE(queue.push(datagram('d'))); // full: dropped
    EXPECT_EQ(queue.take()->bytes.front(), 'a');
    EXPECT_FALSE(queue.push(datagram('e'))); // room again
    QByteArray order;
    while (const auto taken = queue.take())
        order += taken->bytes.front();
    EXPECT_EQ(order, "bce");
    EXPECT_TRUE(queue.push(datagram('f')));
}
