#include "core/ErrorBox.h"

#include "core/Titles.h"
#include "platform/Environment.h"

#include <new>

QString errorBoxText(const platform::Error& error) {
    if (!error.aboutDatabase())
        return error.reason();
    const QString file = error.file().isEmpty() ? QStringLiteral("(none named)") : error.file();
    return QStringLiteral(
               "The schedule database could not be used; nothing was changed.\nFile: %1\nReason: %2.")
        .arg(file, error.reason());
}

void showError(platform::Dialogs& dialogs, const platform::Error& error) {
    platform::warn(dialogs, errorBoxText(error), error.aboutDatabase() ? OrganiserTitle : QString());
}

platform::Error unexpectedDatabaseError(const std::exception& error) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    return platform::Error(platform::Error::Kind::EngineFailure, QString(),
                           memory ? QStringLiteral("there is not enough memory to read it")
                                  : QString::fromLocal8Bit(error.what()));
}
