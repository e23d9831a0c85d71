#pragma once

#include "platform/values/Value.h"

#include <QString>
#include <optional>

namespace common {

// The one rule for what text reads as a date or a time of day, used by the entry checks, the date columns
// and the date literals of statements. Accepted, blanks around the whole ignored:
//   Y/M/D or Y-M-D (a year of 1 or 2 digits falls in 1930..2029, one of 3 or 4 digits is taken as written;
//   impossible days such as 2003/13/40 are refused),
//   H:M or H:M:S with a 24-hour hour, or with an hour 1..12 marked AM/PM or 上午/下午 before or after it,
//   a date, blanks and a time.
// A date alone has no time of day; a time alone lies on day 0.
std::optional<platform::DateTime> recogniseDateTime(const QString& text);

// Whether the text reads as a date or a time by the rule above.
inline bool readsAsDateOrTime(const QString& text) {
    return recogniseDateTime(text).has_value();
}

} // namespace common
