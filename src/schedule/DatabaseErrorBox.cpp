#include "schedule/DatabaseErrorBox.h"

#include "platform/Environment.h"
#include "schedule/OrganiserWindows.h"

namespace schedule {

QString databaseErrorText(const platform::db::DbError& error) {
    const QString file = error.file().isEmpty() ? QStringLiteral("(none named)") : error.file();
    return QStringLiteral(
               "The schedule database could not be used; nothing was changed.\nFile: %1\nReason: %2.")
        .arg(file, error.reason());
}

void showDatabaseError(platform::Dialogs& dialogs, const platform::db::DbError& error) {
    platform::warn(dialogs, databaseErrorText(error), OrganiserTitle);
}

} // namespace schedule
