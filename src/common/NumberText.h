#pragma once

#include <QString>
#include <QtGlobal>

namespace common {

// Reads the leading decimal number of a text the way the program's number reading does: blanks are
// skipped, the longest leading number is taken, and a text with no leading number reads 0.
// Fractions are cut toward zero and the result is clamped to the int range.
int readNumber(const QString& text);

// A number written with one leading blank for its sign position: " 2003", "-5".
QString leadingBlankNumber(qint64 n);

} // namespace common
