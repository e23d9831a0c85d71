#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

enum class BoxButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class BoxIcon { None, Exclamation };
enum class BoxAnswer { OK, Cancel, Yes, No };

// A box with an empty title carries the program's own title, as boxes "without a title of their own" do.
struct MessageBoxRequest {
    QString text;
    BoxButtons buttons = BoxButtons::OK;
    BoxIcon icon = BoxIcon::None;
    QString title;
    bool systemModal = false;
};

// Every box the program shows goes through here; texts are always shown as plain text.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual BoxAnswer messageBox(const MessageBoxRequest& request) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
};

// One box telling the user what went wrong: OK only, exclamation icon; without a title, the program's own.
inline void warn(Dialogs& dialogs, const QString& text, const QString& title = QString()) {
    MessageBoxRequest box;
    box.text = text;
    box.icon = BoxIcon::Exclamation;
    box.title = title;
    dialogs.messageBox(box);
}

class HostInfo {
public:
    virtual ~HostInfo() = default;
    virtual QString hostName() const = 0;
    // Dotted decimal.
    virtual QString localIPv4() const = 0;
};

class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    // Ends the process at once: no window's closing code runs. Tests record the call instead.
    virtual void endProcess() = 0;
};

class DatagramNetwork;

// The seams the windows reach the outside world through. Handed to the window registry at start.
struct Environment {
    Clock& clock;
    Dialogs& dialogs;
    HostInfo& host;
    ProcessEnd& processEnd;
    DatagramNetwork& network;
    QString programFolder;
};

} // namespace platform
