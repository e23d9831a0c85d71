#pragma once

#include <QString>
#include <QtGlobal>

namespace common {

// Reads a number from a text: blanks are skipped (also between the digits), an optional sign and the
// leading decimal digits are taken, anything from the first other character on is ignored (a fraction
// too), and a text without a leading number reads 0. Numbers beyond the int range are clamped to it.
int readNumber(const QString& text);

// A non-negative number written with one leading blank in the place of its sign (" 2003", " 1");
// a negative number carries its "-" there instead.
QString leadingBlankNumber(qint64 n);

} // namespace common
