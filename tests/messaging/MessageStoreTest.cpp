#include "messaging/MessageStore.h"
#include "support/QStringPrinter.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct View {
    QString caption;
    QString body;
    QString counter;
    bool browse;
    bool waiting;
    int index;
};

View viewOf(const MessageStore& s) {
    return {s.caption(), s.body(), s.counter(), s.browseEnabled(), s.waitingIcon(), s.CurMsgIndex()};
}

void expectView(const MessageStore& s, const View& want) {
    const View got = viewOf(s);
    EXPECT_EQ(got.caption, want.caption);
    EXPECT_EQ(got.body, want.body);
    EXPECT_EQ(got.counter, want.counter);
    EXPECT_EQ(got.browse, want.browse);
    EXPECT_EQ(got.waiting, want.waiting);
    EXPECT_EQ(got.index, want.index);
}

const QString peer = QStringLiteral("10.0.0.9");

// Message n arrives from peer as its three datagrams: header "Hn", reply host "hostn", body "Bn" and padding.
void arrive(MessageStore& s, int n, const QString& padding = {}) {
    s.headerArrival(peer, QStringLiteral("H%1").arg(n));
    s.replyHostArrival(peer, QStringLiteral("host%1").arg(n));
    s.bodyArrival(peer, QStringLiteral("B%1").arg(n) + padding);
}

MessageStore storeWith(int count, int shown) {
    MessageStore s;
    for (int n = 1; n <= count; ++n)
        arrive(s, n);
    while (s.CurMsgIndex() + 1 > shown)
        s.previous();
    return s;
}

} // namespace

TEST(MessageStore, EachStepShowsTheHeaderBodyAndCounterOfTheMessageItStopsAt) {
    struct Case {
        const char* name;
        int count;
        int shown;
        std::function<void(MessageStore&)> act;
        View want;
    };
    const QString none = MessageStore::EmptyCaption;
    const Case cases[] = {
        {"at start", 0, 0, [](MessageStore&) {}, {none, "", "", false, false, -1}},
        {"first message", 0, 0, [](MessageStore& s) { arrive(s, 1); }, {"H1", "B1", "1 / 1", true, true, 0}},
        {"new message while an old one is shown",
         5,
         2,
         [](MessageStore& s) { arrive(s, 6); },
         {"H6", "B6", "6 / 6", true, true, 5}},
        {"next at the last only rewrites the counter",
         6,
         6,
         [](MessageStore& s) { s.next(); },
         {"H6", "B6", "6 / 6", true, true, 5}},
        {"previous at the first only rewrites the counter",
         3,
         1,
         [](MessageStore& s) { s.previous(); },
         {"H1", "B1", "1 / 3", true, true, 0}},
        {"previous", 3, 3, [](MessageStore& s) { s.previous(); }, {"H2", "B2", "2 / 3", true, true, 1}},
        {"next", 3, 1, [](MessageStore& s) { s.next(); }, {"H2", "B2", "2 / 3", true, true, 1}},
        // The caption follows the message now shown, not the one removed.
        {"delete in the middle",
         5,
         3,
         [](MessageStore& s) { s.deleteOne(); },
         {"H4", "B4", "3 / 4", true, true, 2}},
        {"delete the last",
         5,
         5,
         [](MessageStore& s) { s.deleteOne(); },
         {"H4", "B4", "4 / 4", true, true, 3}},
        {"delete the only message",
         1,
         1,
         [](MessageStore& s) { s.deleteOne(); },
         {none, "", "0 / 0", false, false, -1}},
        {"delete on an empty store",
         0,
         0,
         [](MessageStore& s) { s.deleteOne(); },
         {none, "", "0 / 0", false, false, -1}},
        {"delete all", 4, 2, [](MessageStore& s) { s.deleteAll(); }, {none, "", "", false, false, -1}},
        {"delete one after delete all",
         4,
         2,
         [](MessageStore& s) {
             s.deleteAll();
             s.deleteOne();
         },
         {none, "", "0 / 0", false, false, -1}},
        // The shown message keeps its own header until the body of the new one arrives.
        {"a header alone changes nothing shown",
         2,
         1,
         [](MessageStore& s) { s.headerArrival(peer, "H9"); },
         {"H1", "B1", "1 / 2", true, true, 0}},
        {"an empty body is stored like any other",
         0,
         0,
         [](MessageStore& s) {
             s.headerArrival(peer, "H");
             s.replyHostArrival(peer, "h");
             s.bodyArrival(peer, "");
         },
         {"H", "", "1 / 1", true, true, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageStore s = storeWith(c.count, c.shown);
        c.act(s);
        expectView(s, c.want);
        EXPECT_EQ(s.CurMsgIndex() == -1, s.TempMsg().isEmpty());
    }
}

TEST(MessageStore, DeletingKeepsTheListsInStepAndReplyFollows) {
    MessageStore s = storeWith(5, 3);
    s.deleteOne();
    EXPECT_EQ(s.TempMsg(), (QStringList{"B1", "B2", "B4", "B5"}));
    EXPECT_EQ(s.TimeList(), (QStringList{"H1", "H2", "H4", "H5"}));
    EXPECT_EQ(s.ReUserList(), (QStringList{"host1", "host2", "host4", "host5"}));
    EXPECT_EQ(s.replyHost(), QStringLiteral("host4"));
}

TEST(MessageStore, DeleteLeavingAnEmptyBodyShownShowsTheIdleIcon) {
    MessageStore s;
    arrive(s, 1);
    s.headerArrival(peer, "H2");
    s.replyHostArrival(peer, "host2");
    s.bodyArrival(peer, "");
    arrive(s, 3);
    s.previous();
    s.next();
    s.previous();  // the empty body, 2 / 3
    s.previous();  // 1 / 3
    s.deleteOne(); // the empty body is now shown
    EXPECT_EQ(s.counter(), QStringLiteral("1 / 2"));
    EXPECT_TRUE(s.body().isEmpty());
    EXPECT_FALSE(s.waitingIcon());
    EXPECT_TRUE(s.browseEnabled());
}

TEST(MessageStore, FullStoreMakesRoomByDroppingTheOldest) {
    // Full by count with short messages, by bytes with messages of 131,030 bytes as text.
    struct Case {
        const char* name;
        int padding, arrivals, kept;
    };
    const Case cases[] = {{"by count", 0, MessageStore::MaxMessages + 1, MessageStore::MaxMessages},
                          {"by bytes", 65500, 520, 512}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString padding(c.padding, QLatin1Char('x'));
        MessageStore s;
        for (int n = 1; n <= c.arrivals; ++n)
            arrive(s, n, padding);
        ASSERT_EQ(s.TempMsg().size(), c.kept);
        const int first = c.arrivals - c.kept + 1;
        EXPECT_EQ(s.TempMsg().front(), QStringLiteral("B%1").arg(first) + padding);
        EXPECT_EQ(s.TimeList().front(), QStringLiteral("H%1").arg(first));
        EXPECT_EQ(s.ReUserList().front(), QStringLiteral("host%1").arg(first));
        EXPECT_EQ(s.counter(), QStringLiteral("%1 / %1").arg(c.kept));
        EXPECT_EQ(s.replyHost(), QStringLiteral("host%1").arg(c.arrivals));
        s.deleteAll(); // gives the room back
        arrive(s, 1);
        EXPECT_EQ(s.bytes(), qint64(sizeof(QChar)) * QStringLiteral("B1H1host1").size());
    }
}

// Datagrams as they arrive: sender A is 10.0.0.1, B is 10.0.0.2; kind H header, R reply host, B body.
TEST(MessageStore, EachBodyIsPairedWithWhatItsOwnSenderSentBeforeIt) {
    struct Datagram {
        char sender, kind;
        const char* text;
    };
    struct Stored {
        const char* header;
        const char* body;
        const char* replyHost;
    };
    struct Case {
        const char* name;
        std::vector<Datagram> arrivals;
        std::vector<Stored> stored;
    };
    const Case cases[] = {
        {"whole message", {{'A', 'H', "hA"}, {'A', 'R', "a"}, {'A', 'B', "bA"}}, {{"hA", "bA", "a"}}},
        {"header lost",
         {{'A', 'R', "a"}, {'A', 'B', "b1"}, {'A', 'H', "h2"}, {'A', 'R', "a"}, {'A', 'B', "b2"}},
         {{"", "b1", "a"}, {"h2", "b2", "a"}}},
        {"reply host lost", {{'A', 'H', "h1"}, {'A', 'B', "b1"}}, {{"h1", "b1", "10.0.0.1"}}},
        {"body lost",
         {{'A', 'H', "h1"}, {'A', 'R', "a"}, {'A', 'H', "h2"}, {'A', 'R', "a"}, {'A', 'B', "b2"}},
         {{"h2", "b2", "a"}}},
        {"body and the next header lost",
         {{'A', 'H', "h1"}, {'A', 'R', "a"}, {'A', 'R', "a"}, {'A', 'B', "b2"}},
         {{"", "b2", "a"}}},
        {"two senders interleaved",
         {{'A', 'H', "hA"},
          {'B', 'H', "hB"},
          {'A', 'R', "a"},
          {'B', 'R', "b"},
          {'A', 'B', "bA"},
          {'B', 'B', "bB"}},
         {{"hA", "bA", "a"}, {"hB", "bB", "b"}}},
        {"one sender's loss leaves the other's message whole",
         {{'A', 'H', "hA"}, {'A', 'R', "a"}, {'B', 'H', "hB"}, {'B', 'R', "b"}, {'B', 'B', "bB"}},
         {{"hB", "bB", "b"}}},
        {"header repeated before its body",
         {{'A', 'H', "h1"}, {'A', 'H', "h1"}, {'A', 'R', "a"}, {'A', 'B', "b1"}},
         {{"h1", "b1", "a"}}},
        {"body alone", {{'B', 'B', "x"}}, {{"", "x", "10.0.0.2"}}},
        {"a header serves one body",
         {{'A', 'H', "h1"}, {'A', 'R', "a"}, {'A', 'B', "b1"}, {'A', 'B', "b2"}},
         {{"h1", "b1", "a"}, {"", "b2", "10.0.0.1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageStore s;
        for (const Datagram& d : c.arrivals) {
            const QString sender = QStringLiteral("10.0.0.%1").arg(d.sender - 'A' + 1);
            const QString text = QString::fromUtf8(d.text);
            if (d.kind == 'H')
                s.headerArrival(sender, text);
            else if (d.kind == 'R')
                s.replyHostArrival(sender, text);
            else
                s.bodyArrival(sender, text);
        }
        QStringList headers, bodies, replyHosts;
        for (const Stored& m : c.stored) {
            headers << QString::fromUtf8(m.header);
            bodies << QString::fromUtf8(m.body);
            replyHosts << QString::fromUtf8(m.replyHost);
        }
        EXPECT_EQ(s.TimeList(), headers);
        EXPECT_EQ(s.TempMsg(), bodies);
        EXPECT_EQ(s.ReUserList(), replyHosts);
        // The newest message is shown under its own header and answered to its own sender.
        EXPECT_EQ(s.caption(), headers.back());
        EXPECT_EQ(s.replyHost(), replyHosts.back());
    }
}

TEST(MessageStore, HeadersThatNeverGetABodyDoNotAccumulate) {
    MessageStore s;
    const QString big(65000, QLatin1Char('x'));
    for (int i = 0; i < 4000; ++i) {
        s.headerArrival(QStringLiteral("10.0.0.1"), big);
        s.replyHostArrival(QStringLiteral("10.0.0.1"), big);
    }
    EXPECT_EQ(s.waitingSenders(), 1);
    for (int i = 0; i < 4000; ++i)
        s.headerArrival(QStringLiteral("10.%1.%2.1").arg(i / 256).arg(i % 256), big);
    EXPECT_EQ(s.waitingSenders(), MessageStore::MaxWaitingSenders);
    EXPECT_TRUE(s.TimeList().isEmpty());
    EXPECT_TRUE(s.ReUserList().isEmpty());
    // The senders heard last still have their headers waiting.
    s.bodyArrival(QStringLiteral("10.15.159.1"), QStringLiteral("b"));
    EXPECT_EQ(s.TimeList(), QStringList{big});
}
