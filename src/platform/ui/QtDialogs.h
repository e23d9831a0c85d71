#pragma once

#include "platform/Environment.h"

namespace platform {

// Message and input boxes on Qt. Texts are always plain text: nothing from a peer, a file or the database is
// read as markup. A box without a title of its own carries the program's name.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QString programTitle) : programTitle_(std::move(programTitle)) {}
    BoxAnswer messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& def) override;

private:
    QString programTitle_;
};

} // namespace platform
