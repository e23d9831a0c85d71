#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The received messages: three parallel lists, one entry of each per message, and the shown message. Also the
// state of the display it drives (frame caption, body, counter, browse buttons, window icon), so the window
// only mirrors it.
//
// A message travels as three datagrams that carry no common identifier, and any of them may be lost. Each
// sender's header and reply host wait for that sender's next body, so a loss never pairs a body with what
// another sender or another message sent.
class MessageStore {
public:
    static constexpr int MaxMessages = 32767;
    // What the kept texts may take in memory. A peer sending the largest bodies would otherwise have the
    // program hold gigabytes; past either limit the oldest messages make room.
    static constexpr qint64 MaxBytes = qint64(64) << 20;
    // One waiting header and reply host per sender; a subnet holds 254 hosts. Past that, the sender that
    // waited longest loses what it had waiting.
    static constexpr int MaxWaitingSenders = 254;
    static inline const QString EmptyCaption = QStringLiteral("Receive Message");

    // Arrivals, in the order the datagrams arrive, each with the address it came from. A body whose header
    // was lost is stored without one; a body whose reply host was lost is answered to its sender's address.
    void headerArrival(const QString& sender, const QString& header);
    void replyHostArrival(const QString& sender, const QString& host);
    void bodyArrival(const QString& sender, const QString& body);

    void previous();
    void next();
    void deleteOne();
    void deleteAll();
    // The reply host of the shown message; empty when none is shown.
    QString replyHost() const;

    const QStringList& TempMsg() const { return TempMsg_; }
    const QStringList& TimeList() const { return TimeList_; }
    const QStringList& ReUserList() const { return ReUserList_; }
    int CurMsgIndex() const { return CurMsgIndex_; }
    // What the kept messages' three texts take.
    qint64 bytes() const { return bytes_; }
    // Senders with a header or reply host still waiting for its body.
    int waitingSenders() const { return static_cast<int>(waiting_.size()); }

    const QString& caption() const { return caption_; }
    const QString& body() const { return body_; }
    const QString& counter() const { return counter_; }
    // Previous and next are offered exactly while a message is shown.
    bool browseEnabled() const { return CurMsgIndex_ != -1; }
    bool waitingIcon() const { return waitingIcon_; }

private:
    struct Waiting {
        std::optional<QString> header;
        std::optional<QString> replyHost;
        quint64 lastHeard = 0;
    };
    Waiting& waitingFrom(const QString& sender);
    qint64 bytesOf(qsizetype index) const;
    void remove(qsizetype index);
    void show(int index);
    void showCounter();

    QStringList TempMsg_;
    QStringList TimeList_;
    QStringList ReUserList_;
    int CurMsgIndex_ = -1;
    qint64 bytes_ = 0;
    // By sender address.
    QHash<QString, Waiting> waiting_;
    quint64 heard_ = 0;

    QString caption_ = EmptyCaption;
    QString body_;
    QString counter_;
    bool waitingIcon_ = false;
};
