#pragma once

#include "platform/Environment.h"
#include "support/QStringPrinter.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

// A moment given in UTC, on a clock in New York, which changes for summer time on 2027-03-14 (02:00 goes to
// 03:00) and back on 2027-11-07 (02:00 goes back to 01:00).
inline QDateTime inNewYork(const QDate& day, const QTime& utc) {
    return QDateTime(day, utc, Qt::UTC).toTimeZone(QTimeZone("America/New_York"));
}

class FakeClock : public platform::Clock {
public:
    QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_{QDate(2003, 5, 7), QTime(9, 4, 59)};
};

// Answers boxes from a script and records every box shown. A box with no scripted answer fails the test.
class ScriptedDialogs : public platform::Dialogs {
public:
    struct Shown {
        platform::MessageBoxRequest request;
        platform::BoxAnswer answer;
    };
    struct Input {
        QString prompt, title, defaultText;
    };

    void answerNext(platform::BoxAnswer a) { answers_.push_back(a); }
    // Runs inside the next box (message or input box) while it is "open": in a nested event loop, as a real
    // modal box runs one, so timers, datagrams and deferred deletions are handled under the box exactly as
    // they would be while the user looks at it. The box closes once the action and what it posted are done.
    void duringNextBox(std::function<void()> action) { during_.push_back(std::move(action)); }
    void inputNext(std::optional<QString> text) { inputs_.push_back(std::move(text)); }
    // Every box of exactly this text is answered without a script (the start-up notice, for example).
    void alwaysAnswer(const QString& text, platform::BoxAnswer a) { standing_.push_back({text, a}); }

    platform::BoxAnswer messageBox(const platform::MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& def) override;

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList shownTexts() const;
    const std::vector<Input>& inputsShown() const { return inputsShown_; }
    void clearRecord() { shown_.clear(); }
    bool scriptEmpty() const { return answers_.empty() && inputs_.empty(); }

private:
    void holdOpen();

    std::deque<platform::BoxAnswer> answers_;
    std::deque<std::function<void()>> during_;
    std::deque<std::optional<QString>> inputs_;
    std::vector<std::pair<QString, platform::BoxAnswer>> standing_;
    std::vector<Shown> shown_;
    std::vector<Input> inputsShown_;
};

class FakeHost : public platform::HostInfo {
public:
    QString hostName() const override { return name; }
    QString localIPv4() const override { return ip; }
    QString name = QStringLiteral("PC-01");
    QString ip = QStringLiteral("192.168.7.21");
};

class RecordingProcessEnd : public platform::ProcessEnd {
public:
    void endProcess() override {
        ++calls;
        if (onEnd)
            onEnd();
    }
    int calls = 0;
    std::function<void()> onEnd;
};

} // namespace testsupport
