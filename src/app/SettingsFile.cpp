#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace SettingsFile {
namespace {

// A line ends at CR LF or at a lone CR; nullopt when the text has no more lines.
std::optional<QByteArray> takeLine(const QByteArray& bytes, qsizetype& pos) {
    if (pos >= bytes.size())
        return std::nullopt;
    qsizetype end = pos;
    while (end < bytes.size() && bytes[end] != '\r')
        ++end;
    QByteArray line = bytes.mid(pos, end - pos);
    pos = end;
    if (pos < bytes.size() && bytes[pos] == '\r') {
        ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return line;
}

} // namespace

std::optional<QString> readFirstLine(const QString& folder) {
    QFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Two short lines are all there is to read; a huge file is not ours and is read no further.
    const QByteArray bytes = file.read(4096);
    qsizetype pos = 0;
    auto first = takeLine(bytes, pos);
    auto second = takeLine(bytes, pos);
    if (!first || !second)
        return std::nullopt;
    return QString::fromLatin1(*first);
}

std::optional<bool> truthValue(const QString& line) {
    if (line.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (line.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

bool write(const QString& folder, const QString& text, QString* error) {
    const QString path = QDir(folder).filePath(fileName);
    // Written whole or not at all, so a failed exit never leaves a half file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(text.toLatin1() + "\r\n\r\n");
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace SettingsFile
