#include "support/FakeEnvironment.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace testsupport {

platform::BoxAnswer ScriptedDialogs::messageBox(const platform::MessageBoxRequest& request) {
    platform::BoxAnswer answer = platform::BoxAnswer::OK;
    auto standing = std::find_if(standing_.begin(), standing_.end(),
                                 [&](const auto& s) { return s.first == request.text; });
    if (standing != standing_.end()) {
        answer = standing->second;
    } else if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else {
        ADD_FAILURE() << "unscripted message box: " << request.text.toStdString();
    }
    shown_.push_back({request, answer});
    holdOpen();
    return answer;
}

void ScriptedDialogs::holdOpen() {
    if (during_.empty())
        return;
    auto action = std::move(during_.front());
    during_.pop_front();
    QEventLoop box;
    QTimer::singleShot(0, &box, [&] {
        action();
        // A box stays open while the user reads it: what the action set going runs, and a window it unloaded
        // is deleted, before the box closes.
        QTimer::singleShot(0, &box, [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            box.quit();
        });
    });
    box.exec();
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                                 const QString& def) {
    inputsShown_.push_back({prompt, title, def});
    holdOpen();
    if (inputs_.empty()) {
        ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
        return std::nullopt;
    }
    const std::optional<QString> scripted = inputs_.front();
    inputs_.pop_front();
    if (!scripted)
        return std::nullopt;
    return *scripted;
}

QStringList ScriptedDialogs::shownTexts() const {
    QStringList texts;
    for (const auto& s : shown_)
        texts << s.request.text;
    return texts;
}

} // namespace testsupport
