#include "messaging/MessageStore.h"

#include <algorithm>

MessageStore::Waiting& MessageStore::waitingFrom(const QString& sender) {
    auto it = waiting_.find(sender);
    if (it == waiting_.end()) {
        if (waiting_.size() >= MaxWaitingSenders) {
            waiting_.erase(
                std::min_element(waiting_.begin(), waiting_.end(), [](const Waiting& a, const Waiting& b) {
                    return a.lastHeard < b.lastHeard;
                }));
        }
        it = waiting_.insert(sender, Waiting());
    }
    it->lastHeard = ++heard_;
    return *it;
}

void MessageStore::headerArrival(const QString& sender, const QString& header) {
    // A header opens a message: whatever its sender still had waiting belonged to one whose body was lost.
    Waiting& w = waitingFrom(sender);
    w.header = header;
    w.replyHost.reset();
}

void MessageStore::replyHostArrival(const QString& sender, const QString& host) {
    Waiting& w = waitingFrom(sender);
    // A second reply host means the body of the first and the header of this one were lost.
    if (w.replyHost)
        w.header.reset();
    w.replyHost = host;
}

void MessageStore::bodyArrival(const QString& sender, const QString& body) {
    QString header;
    QString replyHost = sender;
    if (const auto it = waiting_.constFind(sender); it != waiting_.constEnd()) {
        header = it->header.value_or(QString());
        replyHost = it->replyHost.value_or(sender);
        waiting_.erase(it);
    }
    TempMsg_.append(body);
    TimeList_.append(header);
    ReUserList_.append(replyHost);
    bytes_ += bytesOf(TempMsg_.size() - 1);
    // The index is 16-bit and memory is not endless: the oldest make room rather than the newest being
    // refused. One message alone always fits.
    while (TempMsg_.size() > MaxMessages || bytes_ > MaxBytes)
        remove(0);
    waitingIcon_ = true;
    show(static_cast<int>(TempMsg_.size()) - 1);
}

void MessageStore::previous() {
    if (CurMsgIndex_ != 0 && CurMsgIndex_ != -1)
        show(CurMsgIndex_ - 1);
    showCounter();
}

void MessageStore::next() {
    if (CurMsgIndex_ != TempMsg_.size() - 1)
        show(CurMsgIndex_ + 1);
    showCounter();
}

void MessageStore::deleteOne() {
    if (CurMsgIndex_ != -1) {
        remove(CurMsgIndex_);
        if (CurMsgIndex_ == TempMsg_.size())
            --CurMsgIndex_;
        // The caption follows the message now shown, never the one just removed.
        if (CurMsgIndex_ != -1)
            show(CurMsgIndex_);
        else
            body_.clear();
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
    bytes_ = 0;
    body_.clear();
    caption_ = EmptyCaption;
    counter_.clear();
    waitingIcon_ = false;
}

QString MessageStore::replyHost() const {
    return CurMsgIndex_ == -1 ? QString() : ReUserList_.at(CurMsgIndex_);
}

qint64 MessageStore::bytesOf(qsizetype index) const {
    return (TempMsg_.at(index).size() + TimeList_.at(index).size() + ReUserList_.at(index).size()) *
           qint64(sizeof(QChar));
}

void MessageStore::remove(qsizetype index) {
    bytes_ -= bytesOf(index);
    TempMsg_.removeAt(index);
    TimeList_.removeAt(index);
    ReUserList_.removeAt(index);
}

void MessageStore::show(int index) {
    CurMsgIndex_ = index;
    body_ = TempMsg_.at(index);
    caption_ = TimeList_.at(index);
    showCounter();
}

void MessageStore::showCounter() {
    counter_ = QStringLiteral("%1 / %2").arg(CurMsgIndex_ + 1).arg(TempMsg_.size());
}
