#pragma once

#include "platform/ui/Form.h"

class Program;

// A window of this program: it is made by the program and holds it by its own type.
class ProgramForm : public platform::Form {
    Q_OBJECT
public:
    explicit ProgramForm(Program& program);

    Program& program() const { return program_; }

private:
    Program& program_;
};
