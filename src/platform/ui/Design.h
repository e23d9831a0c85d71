#pragma once

#include "platform/ui/Twips.h"

#include <QWidget>

namespace platform {

// Puts a control at its design place, given in twips relative to its container.
inline void placeTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsRect(left, top, width, height));
}

// Gives a window its design client area, in twips; fixed when the border is not sizable.
inline void setClientSizeTwips(QWidget* form, int width, int height, bool fixed) {
    const QSize size(twipsToPixels(width), twipsToPixels(height));
    if (fixed)
        form->setFixedSize(size);
    else
        form->resize(size);
}

// Creates a control of type W inside parent at its design place.
template <class W, class... Args>
W* makeControl(QWidget* parent, int left, int top, int width, int height, Args&&... args) {
    auto* control = new W(std::forward<Args>(args)..., parent);
    placeTwips(control, left, top, width, height);
    return control;
}

} // namespace platform
