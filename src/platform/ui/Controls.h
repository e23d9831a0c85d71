#pragma once

#include <QRadioButton>
#include <QTimer>

namespace platform {

// An option button: a click only ever turns it on; code may turn it off, even when it is the only one.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr) : QRadioButton(caption, parent) {
        setAutoExclusive(false);
    }

protected:
    void nextCheckState() override { setChecked(true); }
};

// A timer as the forms know it: an interval and an Enabled switch; enabling restarts the count.
class Timer : public QTimer {
    Q_OBJECT
public:
    Timer(int intervalMs, bool enabled, QObject* parent) : QTimer(parent) {
        setInterval(intervalMs);
        setEnabled(enabled);
    }
    void setEnabled(bool enabled) {
        if (enabled)
            start();
        else
            stop();
    }
    bool isEnabled() const { return isActive(); }
};

} // namespace platform
