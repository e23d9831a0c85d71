#pragma once

#include <QString>
#include <QStringList>

// The received messages: three parallel lists tied by position only, and the shown message. Also the state of
// the display it drives (frame caption, body, counter, browse buttons, window icon), so the window only
// mirrors it.
class MessageStore {
public:
    static constexpr int MaxMessages = 32767;
    static inline const QString EmptyCaption = QStringLiteral("Receive Message");

    // Arrivals, in the order the datagrams arrive.
    void headerArrival(const QString& header);
    void replyHostArrival(const QString& host);
    void bodyArrival(const QString& body);

    void previous();
    void next();
    void deleteOne();
    void deleteAll();
    // The reply host of the shown message; empty when none is shown or the lists fell out of step.
    QString replyHost() const;

    const QStringList& TempMsg() const { return TempMsg_; }
    const QStringList& TimeList() const { return TimeList_; }
    const QStringList& ReUserList() const { return ReUserList_; }
    int CurMsgIndex() const { return CurMsgIndex_; }

    const QString& caption() const { return caption_; }
    const QString& body() const { return body_; }
    const QString& counter() const { return counter_; }
    // Previous and next are offered exactly while a message is shown.
    bool browseEnabled() const { return CurMsgIndex_ != -1; }
    bool waitingIcon() const { return waitingIcon_; }

private:
    void showCounter();
    static QString entryOrEmpty(const QStringList& list, int at);

    QStringList TempMsg_;
    QStringList TimeList_;
    QStringList ReUserList_;
    int CurMsgIndex_ = -1;

    QString caption_ = EmptyCaption;
    QString body_;
    QString counter_;
    bool waitingIcon_ = false;
};
