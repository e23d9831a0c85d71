#pragma once

#include <QLatin1StringView>
#include <QObject>
#include <functional>

class QWidget;

namespace platform {

// KeyPress: sees typed characters only, Backspace as 8 and Enter as 13 included; arrows, Delete and Tab pass
// untouched. The handler may change keyAscii; 0 swallows the key.
using KeyPressHandler = std::function<void(int& keyAscii)>;
void onKeyPress(QWidget* control, KeyPressHandler handler);

// GotFocus / LostFocus: the focus moving between controls of one window. A window losing or regaining the
// activation (another application, a message box) does not count.
void onGotFocus(QWidget* control, std::function<void()> handler);
void onLostFocus(QWidget* control, std::function<void()> handler);

// Puts the focus back on a control whose lost-focus check refused its text. The focus this takes from another
// control is no lost focus of that one, so two checked boxes never send the focus back and forth; and a click
// that had moved the focus away does not reach the control clicked.
void returnFocus(QWidget* control);

// The key filter of a number box: digits, Enter (13), Backspace (8) and the characters of alsoKept pass;
// every other typed character is dropped.
void keepNumberKeys(int& keyAscii, QLatin1StringView alsoKept = {});

// Click of a control that has no click of its own (a text box): the left button pressed and released on it.
void onClick(QWidget* control, std::function<void()> handler);

} // namespace platform
