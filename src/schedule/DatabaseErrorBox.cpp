#include "schedule/DatabaseErrorBox.h"

#include "platform/Environment.h"
#include "schedule/OrganiserWindows.h"

#include <new>

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

platform::db::DbError unexpectedDatabaseError(const std::exception& error) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    return platform::db::DbError(platform::db::DbError::Kind::EngineFailure, QString(),
                                 memory ? QStringLiteral("there is not enough memory to read it")
                                        : QString::fromLocal8Bit(error.what()));
}

} // namespace schedule
