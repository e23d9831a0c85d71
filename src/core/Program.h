#pragma once

#include "common/SharedState.h"
#include "core/TodayAlarmTable.h"
#include "platform/ui/FormRegistry.h"

#include <functional>
#include <memory>

class CalendarSide;
class MainWindowSide;
class OrganiserSide;

// The running program: its windows (one instance each), the variables they share, and the hooks each half
// calls the other by.
class Program : public platform::FormRegistry {
    Q_OBJECT
public:
    // Builds the program's link to its main window; the link is given the program it belongs to.
    using MainWindowLinkMaker = std::function<std::unique_ptr<MainWindowSide>(Program&)>;

    Program(platform::Environment& env, OrganiserSide& organiser, CalendarSide& calendar,
            const MainWindowLinkMaker& makeMainWindowLink);
    // The windows go while the program is still whole: their closing code may reach the shared variables.
    ~Program() override;

    // The instance of window T, created with this program and loaded (hidden) if there is none.
    template <class T> T& get() { return getFor<T>(*this); }

    common::SharedState shared;
    TodayAlarmTable todayAlarms;
    // Set once a failed presence broadcast has been told; cleared by the next datagram that goes.
    bool presenceFailureTold = false;

    OrganiserSide& organiser;
    CalendarSide& calendar;
    // The main window while it is loaded; its calls do nothing before it loads and after it unloads.
    MainWindowSide& mainWindow() const { return *mainWindow_; }

private:
    std::unique_ptr<MainWindowSide> mainWindow_;
};
