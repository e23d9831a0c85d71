#pragma once

#include <QString>

// The messenger's windows carry the program's name; the organiser's questions and notices carry its own.
inline const QString ProgramTitle = QStringLiteral("Quibbly");
inline const QString OrganiserTitle = QStringLiteral("Memorell");
