#pragma once

#include <QString>

namespace schedule {

// The title of every question and notice of the schedule windows.
inline const QString OrganiserTitle = QStringLiteral("Memorell");

} // namespace schedule
