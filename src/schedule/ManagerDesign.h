#pragma once

#include "core/DesignConstants.h"
#include "platform/ui/Picker.h"

#include <QString>

class QComboBox;
class QFont;
class QGroupBox;
class QLabel;
class QWidget;

// The look the manager's frames share: navy frames with captions at 12 point, and its colours.
namespace schedule::manager_design {

using design::Cyan;
using design::HighlightedText;
using design::Navy;
using design::White;
using design::Yellow;

// A frame's look: navy, its caption in cyan (or as given) at 12 point.
void styleFrame(QGroupBox* box, quint32 captionColor = Cyan);
QGroupBox* frame(QWidget* parent, int left, int top, int width, int height, const QString& caption,
                 quint32 captionColor = Cyan);
QLabel* label(QWidget* parent, int left, int top, int width, int height, const QString& text,
              quint32 color = HighlightedText);
QComboBox* picker(QWidget* parent, int left, int top, int width, int height, platform::PickerText text);
// Buttons and check boxes keep the window's font inside the 12-point frames.
void keepWindowFont(QWidget* frame, const QFont& font);

} // namespace schedule::manager_design
