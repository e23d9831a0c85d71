#pragma once

#include "platform/db/DbError.h"

#include <QString>
#include <exception>

namespace platform {
class Dialogs;
}

namespace schedule {

// The one box a database failure shows: which file, and why. Nothing was changed by the failed step.
QString databaseErrorText(const platform::db::DbError& error);
void showDatabaseError(platform::Dialogs& dialogs, const platform::db::DbError& error);
platform::db::DbError unexpectedDatabaseError(const std::exception& error);

// Runs a step of database work; a failure shows its box and gives false. Whatever else a step throws (memory
// running out while a file is read) ends in the same box rather than ending the program.
template <typename Step> bool runReportingFailure(platform::Dialogs& dialogs, Step&& step) {
    try {
        step();
        return true;
    } catch (const platform::db::DbError& error) {
        showDatabaseError(dialogs, error);
    } catch (const std::exception& error) {
        showDatabaseError(dialogs, unexpectedDatabaseError(error));
    }
    return false;
}

} // namespace schedule
