#pragma once

#include "common/SharedState.h"
#include "platform/ui/FormRegistry.h"

class MainWindowSide;
class OrganiserSide;

// The running program: its windows (one instance each), the variables they share, and the two halves'
// hooks into each other.
class Program : public platform::FormRegistry {
    Q_OBJECT
public:
    Program(platform::Environment& env, OrganiserSide& organiser);
    // The windows go while the program is still whole: their closing code may reach the shared variables.
    ~Program() override;
    static Program& of(platform::FormRegistry& forms) { return static_cast<Program&>(forms); }

    common::SharedState shared;
    OrganiserSide& organiser;
    // Set by the main window while it exists.
    MainWindowSide* mainWindow = nullptr;
};
