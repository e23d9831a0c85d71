#pragma once

#include "calendar/DailyBellRecords.h"

#include <QDateTime>
#include <array>

class Program;

// The bell check behind the main window's User_Timer: a bell that is on shows its message in a system-modal
// box at its second of the day. Each bell shows once however the ticks fall, a late tick still shows it
// within its minute, and one bell's box holds the others back until it is dismissed, instead of piling up
// over it.
class DailyBells {
public:
    explicit DailyBells(Program& program) : program_(program) {}

    void User_Timer_Timer();

private:
    Program& program_;
    // When each row was last tested against the clock.
    std::array<QDateTime, bells::BellCount> lastLook_;
    bool boxOpen_ = false;
};
