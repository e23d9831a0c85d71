#include "core/ProgramForm.h"

#include "core/Program.h"

ProgramForm::ProgramForm(Program& program) : Form(program), program_(program) {}
