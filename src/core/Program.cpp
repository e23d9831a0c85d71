#include "core/Program.h"

#include "core/MainWindowSide.h"

Program::Program(platform::Environment& env, OrganiserSide& organiserSide, CalendarSide& calendarSide,
                 const MainWindowLinkMaker& makeMainWindowLink)
    : FormRegistry(env), organiser(organiserSide), calendar(calendarSide), mainWindow_(makeMainWindowLink(*this)) {}

Program::~Program() {
    unloadAll();
}
