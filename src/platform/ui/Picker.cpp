#include "platform/ui/Picker.h"

#include <QComboBox>
#include <QLineEdit>

namespace platform {

void makePicker(QComboBox* combo, PickerText text) {
    combo->setEditable(text != PickerText::List);
    if (text == PickerText::List)
        return;
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    // Read-only also keeps out Delete, pasting and dropping, which are no typed characters.
    combo->lineEdit()->setReadOnly(text == PickerText::Shown);
}

void showWithoutPick(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    if (combo->isEditable())
        combo->setEditText(text);
}

} // namespace platform
