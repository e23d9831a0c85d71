#pragma once

#include "platform/db/DbError.h"

#include <QString>

namespace platform {
class Dialogs;
}

namespace schedule {

// The one box a database failure shows: which file, and why. Nothing was changed by the failed step.
QString databaseErrorText(const platform::db::DbError& error);
void showDatabaseError(platform::Dialogs& dialogs, const platform::db::DbError& error);

// Runs a step of database work; a failure shows its box and gives false.
template <typename Step> bool runReportingFailure(platform::Dialogs& dialogs, Step&& step) {
    try {
        step();
        return true;
    } catch (const platform::db::DbError& error) {
        showDatabaseError(dialogs, error);
        return false;
    }
}

} // namespace schedule
