#pragma once

#include "core/ProgramForm.h"

class QLabel;
namespace platform {
class Timer;
}

// The start-up splash: borderless, centred, no taskbar button. Its third tick opens the main window.
class Mark : public ProgramForm {
    Q_OBJECT
public:
    explicit Mark(Program& program);

    void Form_Load() override;
    void Timer1_Timer();

    QLabel* Picture;
    platform::Timer* Timer1;
    qint16 SplashTicks = 0;
};
