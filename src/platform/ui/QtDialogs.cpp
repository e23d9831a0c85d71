#include "platform/ui/QtDialogs.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

BoxAnswer QtDialogs::messageBox(const MessageBoxRequest& request) {
    QMessageBox box;
    box.setWindowTitle(request.title.isEmpty() ? programTitle_ : request.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(request.text);
    box.setIcon(request.icon == BoxIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.setWindowModality(Qt::ApplicationModal);
    if (request.systemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);

    struct Choice {
        QMessageBox::StandardButton button;
        BoxAnswer answer;
    };
    std::vector<Choice> choices;
    switch (request.buttons) {
    case BoxButtons::OK:
        choices = {{QMessageBox::Ok, BoxAnswer::OK}};
        break;
    case BoxButtons::OKCancel:
        choices = {{QMessageBox::Ok, BoxAnswer::OK}, {QMessageBox::Cancel, BoxAnswer::Cancel}};
        break;
    case BoxButtons::YesNo:
        choices = {{QMessageBox::Yes, BoxAnswer::Yes}, {QMessageBox::No, BoxAnswer::No}};
        break;
    case BoxButtons::YesNoCancel:
        choices = {{QMessageBox::Yes, BoxAnswer::Yes},
                   {QMessageBox::No, BoxAnswer::No},
                   {QMessageBox::Cancel, BoxAnswer::Cancel}};
        break;
    }
    for (const Choice& c : choices)
        box.addButton(c.button);
    // The first button is the default one.
    box.setDefaultButton(choices.front().button);
    const bool hasCancel = std::any_of(choices.begin(), choices.end(),
                                       [](const Choice& c) { return c.answer == BoxAnswer::Cancel; });
    if (!hasCancel)
        box.setEscapeButton(choices.back().button);

    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& c : choices)
        if (c.button == clicked)
            return c.answer;
    return hasCancel ? BoxAnswer::Cancel : choices.back().answer;
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& def) {
    QInputDialog dialog;
    dialog.setWindowTitle(title.isEmpty() ? programTitle_ : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(def);
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto* label = dialog.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace platform
