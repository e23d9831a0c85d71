#pragma once

#include <QString>

namespace schedule {

// The names the organiser's windows are declared under in the program's registry. Windows that reach each
// other both ways (the calendar and the manager, the one-day list and the manager) go by these names, never
// by each other's headers.
inline const QString CalendarWindow = QStringLiteral("calendar_frm");
inline const QString ManagerWindow = QStringLiteral("add_sch_frm");
inline const QString OneDayListWindow = QStringLiteral("schedule_frm");

// The title of every question and notice of the schedule windows.
inline const QString OrganiserTitle = QStringLiteral("Memorell");

} // namespace schedule
