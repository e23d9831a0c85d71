// Received messages through the store, beside a plain append of the same texts to three lists: what pairing
// each body with its own sender's header and reply host costs. Figures are messages per second.
#include "messaging/DatagramKinds.h"
#include "messaging/MessageStore.h"
#include "platform/net/Cp950.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int burst = 1000;

struct Message {
    QString sender, header, replyHost, body;
};

// A burst of 1,000 messages from `senders` peers, their datagrams interleaved as far as they can be: every
// sender's header, then every reply host, then every body.
std::vector<Message> burstFrom(int senders) {
    std::vector<Message> messages;
    for (int n = 0; n < burst; ++n) {
        const QString host = QStringLiteral("PC-%1").arg(n % senders);
        messages.push_back({QStringLiteral("192.168.7.%1").arg(n % senders + 1),
                            host + DatagramKinds::HeaderMiddle + QStringLiteral("下午 01:02:03"), host,
                            DatagramKinds::bodyText(host, QStringLiteral("第 %1 則訊息，明天見").arg(n))});
    }
    return messages;
}

void PlainAppend(benchmark::State& state) {
    const auto messages = burstFrom(1);
    for (auto _ : state) {
        QStringList bodies, headers, replyHosts;
        for (const Message& m : messages) {
            headers.append(m.header);
            replyHosts.append(m.replyHost);
            bodies.append(m.body);
        }
        benchmark::DoNotOptimize(bodies.size());
    }
    state.SetItemsProcessed(state.iterations() * burst);
}

void ThroughTheStore(benchmark::State& state) {
    const int senders = static_cast<int>(state.range(0));
    const auto messages = burstFrom(senders);
    for (auto _ : state) {
        MessageStore store;
        for (std::size_t first = 0; first < messages.size(); first += senders) {
            const std::size_t last = std::min(messages.size(), first + senders);
            for (std::size_t i = first; i < last; ++i)
                store.headerArrival(messages[i].sender, messages[i].header);
            for (std::size_t i = first; i < last; ++i)
                store.replyHostArrival(messages[i].sender, messages[i].replyHost);
            for (std::size_t i = first; i < last; ++i)
                store.bodyArrival(messages[i].sender, messages[i].body);
        }
        benchmark::DoNotOptimize(store.TempMsg().size());
    }
    state.SetItemsProcessed(state.iterations() * burst);
}

// What the receiver does per datagram without its socket: code page 950 bytes to text, the prefix, the store.
void DecodedReadAndStored(benchmark::State& state) {
    std::vector<std::pair<QString, QByteArray>> datagrams;
    for (const Message& m : burstFrom(1)) {
        datagrams.emplace_back(m.sender, platform::encodeCp950(DatagramKinds::HeaderPrefix + m.header));
        datagrams.emplace_back(m.sender, platform::encodeCp950(DatagramKinds::replyHostText(m.replyHost)));
        datagrams.emplace_back(m.sender, platform::encodeCp950(m.body));
    }
    for (auto _ : state) {
        MessageStore store;
        for (const auto& [sender, bytes] : datagrams) {
            const auto reading = DatagramKinds::read(platform::decodeCp950(bytes));
            if (reading.kind == DatagramKinds::Kind::Header)
                store.headerArrival(sender, reading.rest);
            else if (reading.kind == DatagramKinds::Kind::ReplyHost)
                store.replyHostArrival(sender, reading.rest);
            else
                store.bodyArrival(sender, reading.rest);
        }
        benchmark::DoNotOptimize(store.TempMsg().size());
    }
    state.SetItemsProcessed(state.iterations() * burst);
}

BENCHMARK(PlainAppend)->Unit(benchmark::kMicrosecond);
// One peer, and a whole subnet sending at once.
BENCHMARK(ThroughTheStore)->Arg(1)->Arg(254)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodedReadAndStored)->Unit(benchmark::kMicrosecond);

} // namespace
