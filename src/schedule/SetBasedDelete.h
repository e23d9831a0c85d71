#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <memory>

class QObject;

namespace platform {
class Dialogs;
}

namespace schedule {

// The window's own objects for its set-based delete, created on first use and kept while it is loaded.
struct SetDeleteObjects {
    std::unique_ptr<platform::db::Connection>& connection;
    std::unique_ptr<platform::db::Command>& command;
    QString& sql;
};

enum class SetDeleteOutcome { Cancelled, Deleted, Failed };

// Sets the connection, asks the delete question and, on OK only, deletes every row whose Schedule_Date
// compares by `comparison` ("=" or "<") with the literal #SelectedDate#. A failure shows its box and
// deletes nothing. The objects belong to `window`: if it closes while the question is open, nothing is
// deleted and the outcome is Cancelled.
SetDeleteOutcome runSetBasedDelete(SetDeleteObjects objects, const QString& comparison,
                                   const QString& SelectedDate, const QString& programFolder,
                                   platform::Dialogs& dialogs, QObject* window = nullptr);

} // namespace schedule
