#include "schedule/ManagerDesign.h"

#include "platform/ui/Design.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace schedule::manager_design {

using platform::makeControl;

void styleFrame(QGroupBox* box, quint32 captionColor) {
    platform::setBackColor(box, Navy);
    platform::setForeColor(box, captionColor);
    box->setFont(platform::mingFont(12));
}

QGroupBox* frame(QWidget* parent, int left, int top, int width, int height, const QString& caption,
                 quint32 captionColor) {
    auto* box = makeControl<QGroupBox>(parent, left, top, width, height, caption);
    styleFrame(box, captionColor);
    return box;
}

QLabel* label(QWidget* parent, int left, int top, int width, int height, const QString& text, quint32 color) {
    auto* caption = makeControl<QLabel>(parent, left, top, width, height, text);
    platform::setBackColor(caption, Navy);
    platform::setForeColor(caption, color);
    return caption;
}

QComboBox* picker(QWidget* parent, int left, int top, int width, int height, platform::PickerText text) {
    auto* combo = makeControl<QComboBox>(parent, left, top, width, height);
    platform::makePicker(combo, text);
    return combo;
}

void keepWindowFont(QWidget* frame, const QFont& font) {
    for (auto* button : frame->findChildren<QAbstractButton*>())
        button->setFont(font);
    for (auto* combo : frame->findChildren<QComboBox*>())
        combo->setFont(font);
}

} // namespace schedule::manager_design
