#include "messaging/MessageStore.h"

void MessageStore::headerArrival(const QString& header) {
    caption_ = header;
    TimeList_.append(header);
}

void MessageStore::replyHostArrival(const QString& host) {
    ReUserList_.append(host);
}

void MessageStore::bodyArrival(const QString& body) {
    if (TempMsg_.size() >= MaxMessages) {
        // The index is 16-bit: the oldest message makes room rather than the newest being refused.
        TempMsg_.removeFirst();
        if (!TimeList_.isEmpty())
            TimeList_.removeFirst();
        if (!ReUserList_.isEmpty())
            ReUserList_.removeFirst();
    }
    body_ = body;
    waitingIcon_ = true;
    TempMsg_.append(body);
    CurMsgIndex_ = static_cast<int>(TempMsg_.size()) - 1;
    showCounter();
}

void MessageStore::previous() {
    if (CurMsgIndex_ != 0 && CurMsgIndex_ != -1) {
        --CurMsgIndex_;
        body_ = TempMsg_.at(CurMsgIndex_);
        caption_ = entryOrEmpty(TimeList_, CurMsgIndex_);
    }
    showCounter();
}

void MessageStore::next() {
    if (CurMsgIndex_ != TempMsg_.size() - 1) {
        ++CurMsgIndex_;
        body_ = TempMsg_.at(CurMsgIndex_);
        caption_ = entryOrEmpty(TimeList_, CurMsgIndex_);
    }
    showCounter();
}

void MessageStore::deleteOne() {
    if (CurMsgIndex_ != -1) {
        TempMsg_.removeAt(CurMsgIndex_);
        if (CurMsgIndex_ < TimeList_.size())
            TimeList_.removeAt(CurMsgIndex_);
        if (CurMsgIndex_ < ReUserList_.size())
            ReUserList_.removeAt(CurMsgIndex_);
        if (CurMsgIndex_ == TempMsg_.size())
            --CurMsgIndex_;
        body_ = CurMsgIndex_ == -1 ? QString() : TempMsg_.at(CurMsgIndex_);
        // The caption follows the message now shown, never the one just removed.
        if (CurMsgIndex_ != -1)
            caption_ = entryOrEmpty(TimeList_, CurMsgIndex_);
    }
    if (CurMsgIndex_ == -1)
        caption_ = EmptyCaption;
    showCounter();
    if (body_.isEmpty())
        waitingIcon_ = false;
}

void MessageStore::deleteAll() {
    CurMsgIndex_ = -1;
    TempMsg_.clear();
    TimeList_.clear();
    ReUserList_.clear();
    body_.clear();
    caption_ = EmptyCaption;
    counter_.clear();
    waitingIcon_ = false;
}

QString MessageStore::replyHost() const {
    return entryOrEmpty(ReUserList_, CurMsgIndex_);
}

void MessageStore::showCounter() {
    counter_ = QStringLiteral("%1 / %2").arg(CurMsgIndex_ + 1).arg(TempMsg_.size());
}

QString MessageStore::entryOrEmpty(const QStringList& list, int at) {
    return at >= 0 && at < list.size() ? list.at(at) : QString();
}
