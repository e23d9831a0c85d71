#pragma once

#include "platform/values/Value.h"

#include <QString>

class QObject;

namespace platform {
class Dialogs;
}
namespace platform::db {
class DataGrid;
class Recordset;
} // namespace platform::db

namespace schedule {

inline const QString DeleteQuestion = QStringLiteral("Data deleting can't restore, are you sure?");

// The delete question of the set-based delete and of both grids: OK and Cancel, no icon, titled "Memorell".
// True only for OK.
bool askDeleteQuestion(platform::Dialogs& dialogs);

// Before the grid deletes rows: OK lets them go and sets DeleteConfirmed (a member of `window`); any other
// answer sets Cancel. A window closed while the question was open deletes nothing and is not touched.
void applyBeforeDeleteRule(platform::Dialogs& dialogs, QObject& window, bool& DeleteConfirmed,
                           qint16& Cancel);

// A Remind as the grids keep it: upper case, and "NO" unless that reads "YES" or "NO"; no value stays none.
platform::Value normalisedRemind(const platform::Value& remind);

// A row typed into in the grid holds its Remind normalised from the typing on, so that every store of it, the
// grid's own and those code makes (a move, "Sort", "Add", a re-query, closing), stores it so.
void keepTypedRemindNormalised(platform::db::DataGrid& grid);

// After the grid has stored an edited row: unless a deletion was just confirmed, the current row's Remind is
// normalised and stored. DeleteConfirmed is cleared in every case. A refused store shows its box.
void applyAfterEditRule(platform::db::Recordset& recordset, bool& DeleteConfirmed,
                        platform::Dialogs& dialogs);

} // namespace schedule
