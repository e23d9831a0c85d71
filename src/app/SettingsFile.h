#pragma once

#include "platform/Error.h"

#include <QString>
#include <optional>

// schedule.txt: line 1 is the word True or False (the start-up option), line 2 is empty; CR LF after each.
namespace SettingsFile {

inline const QString fileName = QStringLiteral("schedule.txt");

// Line 1 as it stands in the file, or nullopt when there is no file or it has fewer than two lines.
std::optional<QString> readFirstLine(const QString& folder);
// The truth value of a line 1, or nullopt when it is neither True nor False.
std::optional<bool> truthValue(const QString& line);
// Creates or empties the file and writes text, CR LF, CR LF. Throws platform::Error when that fails.
void write(const QString& folder, const QString& text);

} // namespace SettingsFile
