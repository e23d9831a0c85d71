#include "core/Program.h"

Program::Program(platform::Environment& env, OrganiserSide& organiser)
    : FormRegistry(env), organiser(organiser) {}

Program::~Program() {
    unloadAll();
}
