#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // Only a regular file is read, as if anything else were missing: a FIFO would wait for a writer for ever,
    // and a device is not ours to open. Opened without blocking and checked again, in case it was swapped.
    const QString path = QDir(folder).filePath(fileName);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
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

void write(const QString& folder, const QString& text) {
    const QString path = QDir(folder).filePath(fileName);
    // Written whole or not at all, so a failed exit never leaves a half file behind.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.toLatin1() + "\r\n\r\n");
        if (file.commit())
            return;
    }
    throw platform::Error(
        QStringLiteral("The start-up option could not be saved to %1: %2").arg(path, file.errorString()));
}

} // namespace SettingsFile
