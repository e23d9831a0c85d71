#pragma once

#include "platform/ui/Form.h"

class QLabel;
namespace platform {
class Timer;
}

// The start-up splash: borderless, centred, no taskbar button. Its third tick opens the main window.
class Mark : public platform::Form {
    Q_OBJECT
public:
    explicit Mark(platform::FormRegistry& forms);

    void Form_Load() override;
    void Timer1_Timer();

    QLabel* Picture;
    platform::Timer* Timer1;
    qint16 SplashTicks = 0;
};
