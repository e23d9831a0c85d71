#pragma once

#include "common/SharedState.h"
#include "platform/ui/FormRegistry.h"

class OrganiserSide;

// The running program: its windows (one instance each) and the variables they share.
class Program : public platform::FormRegistry {
    Q_OBJECT
public:
    Program(platform::Environment& env, OrganiserSide& organiser);
    static Program& of(platform::FormRegistry& forms) { return static_cast<Program&>(forms); }

    common::SharedState shared;
    OrganiserSide& organiser;
};
