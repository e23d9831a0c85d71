#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Peers exchange texts as code page 950 bytes. A character the code page lacks travels as "?"; bytes that
// are not code page 950 read as U+FFFD, and reading goes on after them.
QByteArray encodeCp950(const QString& text);
QString decodeCp950(const QByteArray& bytes);

} // namespace platform
