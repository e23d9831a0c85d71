#pragma once

#include <QTimer>

namespace platform {

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
