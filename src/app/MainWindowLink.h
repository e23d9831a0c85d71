#pragma once

#include "core/MainWindowSide.h"

#include <memory>

class Program;

// The program's link to its main window: the calls reach the window while it is loaded and do nothing
// before it loads or after it unloads.
class MainWindowLink : public MainWindowSide {
public:
    explicit MainWindowLink(Program& program) : program_(program) {}
    static std::unique_ptr<MainWindowSide> make(Program& program) {
        return std::make_unique<MainWindowLink>(program);
    }

    void setChimeTimerEnabled(bool enabled) override;
    void setHourBellLine(const QString& text) override;

private:
    Program& program_;
};
