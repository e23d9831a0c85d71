#include "core/Program.h"

#include "core/MainWindowSide.h"

Program::Program(platform::Environment& env, OrganiserSide& organiser, CalendarSide& calendar,
                 const MainWindowLinkMaker& makeMainWindowLink)
    : FormRegistry(env), organiser(organiser), calendar(calendar), mainWindow_(makeMainWindowLink(*this)) {}

Program::~Program() {
    unloadAll();
}
