#pragma once

class QComboBox;
class QString;

namespace platform {

// What a picker's text part takes: none (a drop-down list), no key (a text shown only, which need not be an
// item), or typing.
enum class PickerText { List, Shown, Typed };

// Makes a combo box a picker whose list the code fills. Only a choice from the list is a pick: a click on an
// item, or a key that moves to one, each with `activated`; leaving a text part whose text matches an item
// picks nothing.
void makePicker(QComboBox* combo, PickerText text);

// Shows a text without a pick: its item, when it has one, becomes the current entry, so the list opens there
// and the arrow keys go on from it.
void showWithoutPick(QComboBox* combo, const QString& text);

} // namespace platform
