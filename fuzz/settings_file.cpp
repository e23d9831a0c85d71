// schedule.txt as any program may have left it. Whatever it holds, the option it reads as is written back
// in the program's own form and reads again as the same option.
#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    QFile file(QDir(folder.path()).filePath(SettingsFile::fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const auto line = SettingsFile::readFirstLine(folder.path());
    const auto option = line ? SettingsFile::truthValue(*line) : std::nullopt;
    if (!option)
        return 0;
    const QString word = *option ? QStringLiteral("True") : QStringLiteral("False");
    try {
        SettingsFile::write(folder.path(), word);
    } catch (const platform::Error&) {
        std::abort();
    }
    if (SettingsFile::readFirstLine(folder.path()) != word)
        std::abort();
    return 0;
}
