#pragma once

#include "platform/ui/Design.h"

#include <QIcon>
#include <QToolButton>

namespace platform {

// A button with a picture of its own and no caption, placed by twips; the tool tip names it. Tab reaches it,
// a click leaves the focus where it was.
inline QToolButton* makePictureButton(QWidget* parent, int left, int top, int width, int height,
                                      const QString& picture, const QString& toolTip) {
    auto* button = makeControl<QToolButton>(parent, left, top, width, height);
    button->setIcon(QIcon(picture));
    button->setIconSize(button->size() - QSize(4, 4));
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace platform
