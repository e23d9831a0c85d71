#pragma once

#include "platform/ui/DesignUnits.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>
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

// The design client area of a fixed window that has a menu bar: a control of that size, laid out below the
// bar the caller sets with form->layout()->setMenuBar().
inline QWidget* makeClientArea(QWidget* form, int width, int height) {
    auto* client = new QWidget(form);
    client->setFixedSize(twipsToPixels(width), twipsToPixels(height));
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);
    return client;
}

// A window with a fixed border and a close box but no maximise or minimise box; a tool window has no taskbar
// button.
inline Qt::WindowFlags fixedBorderFlags(bool taskbarButton = true) {
    return (taskbarButton ? Qt::Window : Qt::Tool) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

inline void centreOnScreen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->geometry().center() - window->rect().center());
}

// Creates a control of type W inside parent at its design place.
template <class W, class... Args>
W* makeControl(QWidget* parent, int left, int top, int width, int height, Args&&... args) {
    auto* control = new W(std::forward<Args>(args)..., parent);
    placeTwips(control, left, top, width, height);
    return control;
}

// A control's design colours, each &H00BBGGRR or a system colour: the back colour fills the control, the fore
// colour is its text. Entry fields paint with Base and Text, everything else with Window and WindowText; a
// container's colours therefore leave the entry fields and buttons inside it with the system's.
inline bool isEntryField(const QWidget* control) {
    return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control) ||
           qobject_cast<const QAbstractScrollArea*>(control);
}

// One design colour of a control: the entry field's role or the plain one, and for buttons, check boxes and
// combo boxes their own role too.
inline void setDesignColor(QWidget* control, quint32 ole, QPalette::ColorRole entryRole,
                           QPalette::ColorRole plainRole, QPalette::ColorRole ownRole) {
    QPalette palette = control->palette();
    const QColor color = colorFromOle(ole);
    palette.setColor(isEntryField(control) ? entryRole : plainRole, color);
    if (!isEntryField(control) || qobject_cast<const QComboBox*>(control))
        palette.setColor(ownRole, color);
    control->setPalette(palette);
}

inline void setBackColor(QWidget* control, quint32 ole) {
    setDesignColor(control, ole, QPalette::Base, QPalette::Window, control->backgroundRole());
    if (!isEntryField(control))
        control->setAutoFillBackground(true);
}

inline void setForeColor(QWidget* control, quint32 ole) {
    setDesignColor(control, ole, QPalette::Text, QPalette::WindowText, control->foregroundRole());
}

} // namespace platform
