// Code page 950 as it arrives from peers, and any text on its way out. What a peer sent reads the same
// after going out and back in, a character the code page lacks having become "?".
#include "platform/net/Cp950.h"

#include <QByteArray>
#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString received = platform::decodeCp950(bytes);
    QString expected = received;
    expected.replace(QChar::ReplacementCharacter, QLatin1Char('?'));
    if (platform::decodeCp950(platform::encodeCp950(received)) != expected)
        std::abort();
    const QString typed = QString::fromUtf8(bytes);
    if (platform::encodeCp950(typed).size() > 2 * typed.size())
        std::abort();
    return 0;
}
