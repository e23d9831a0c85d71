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

// Message n arrives as its three datagrams: header "Hn", reply host "hostn", body "Bn".
void arrive(MessageStore& s, int n) {
    s.headerArrival(QStringLiteral("H%1").arg(n));
    s.replyHostArrival(QStringLiteral("host%1").arg(n));
    s.bodyArrival(QStringLiteral("B%1").arg(n));
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

TEST(MessageStore, DisplayAfterEachOperation) {
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
        {"a header alone changes only the caption",
         2,
         1,
         [](MessageStore& s) { s.headerArrival("H9"); },
         {"H9", "B1", "1 / 2", true, true, 0}},
        {"an empty body is stored like any other",
         0,
         0,
         [](MessageStore& s) {
             s.headerArrival("H");
             s.replyHostArrival("h");
             s.bodyArrival("");
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
    s.headerArrival("H2");
    s.replyHostArrival("host2");
    s.bodyArrival("");
    s.headerArrival("H3");
    s.replyHostArrival("host3");
    s.bodyArrival("B3");
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

TEST(MessageStore, ListsOutOfStepReadAsEmpty) {
    MessageStore s;
    s.bodyArrival("B1"); // header and reply host lost
    arrive(s, 2);
    EXPECT_EQ(s.replyHost(), QStringLiteral("")); // position 1 of a one-entry list
    s.previous();
    EXPECT_EQ(s.caption(), QStringLiteral("H2")); // position 0 holds message 2's header
    EXPECT_EQ(s.replyHost(), QStringLiteral("host2"));
}

TEST(MessageStore, FullStoreMakesRoomByDroppingTheOldest) {
    MessageStore s;
    for (int n = 1; n <= MessageStore::MaxMessages; ++n)
        arrive(s, n);
    arrive(s, MessageStore::MaxMessages + 1);
    EXPECT_EQ(s.TempMsg().size(), MessageStore::MaxMessages);
    EXPECT_EQ(s.TempMsg().front(), QStringLiteral("B2"));
    EXPECT_EQ(s.TimeList().front(), QStringLiteral("H2"));
    EXPECT_EQ(s.ReUserList().front(), QStringLiteral("host2"));
    EXPECT_EQ(s.counter(), QStringLiteral("32767 / 32767"));
    EXPECT_EQ(s.replyHost(), QStringLiteral("host32768"));
}

TEST(MessageStore, InterleavedSendersPairByArrivalOrder) {
    MessageStore s;
    s.headerArrival("A-header");
    s.headerArrival("B-header");
    s.replyHostArrival("A");
    s.bodyArrival("A-body");
    s.replyHostArrival("B");
    s.bodyArrival("B-body");
    s.previous();
    EXPECT_EQ(s.caption(), QStringLiteral("A-header"));
    EXPECT_EQ(s.body(), QStringLiteral("A-body"));
    EXPECT_EQ(s.replyHost(), QStringLiteral("A"));
    s.next();
    EXPECT_EQ(s.caption(), QStringLiteral("B-header"));
    EXPECT_EQ(s.replyHost(), QStringLiteral("B"));
}
