#pragma once

#include "platform/Error.h"

#include <QString>
#include <exception>

namespace platform {
class Dialogs;
}

// The one place an error becomes the user's box: OK only, exclamation icon. A database failure names the file
// and the reason under the organiser's title, nothing having been changed; any other error is its sentence as
// it stands, under the program's own title.
QString errorBoxText(const platform::Error& error);
void showError(platform::Dialogs& dialogs, const platform::Error& error);
// What a step threw that is not an Error (memory running out while a file is read), as a database failure.
platform::Error unexpectedDatabaseError(const std::exception& error);

// Runs a step of database work; a failure shows its box and gives false. Whatever else a step throws ends in
// the same box rather than ending the program.
template <typename Step> bool runReportingFailure(platform::Dialogs& dialogs, Step&& step) {
    try {
        step();
        return true;
    } catch (const platform::Error& error) {
        showError(dialogs, error);
    } catch (const std::exception& error) {
        showError(dialogs, unexpectedDatabaseError(error));
    }
    return false;
}
