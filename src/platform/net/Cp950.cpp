#include "platform/net/Cp950.h"

#include <QList>
#include <QtEndian>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace platform {
namespace {

// One conversion descriptor per call: iconv descriptors carry state and must not be shared between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    enum class Stop { Done, Unconvertible, Incomplete };

    // Converts as much of [in, in + inLeft) as it can, appending to out; returns why it stopped.
    Stop convert(const char*& in, size_t& inLeft, QByteArray& out) {
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr - buffer);
            if (result != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            return errno == EINVAL ? Stop::Incomplete : Stop::Unconvertible;
        }
        return Stop::Done;
    }

private:
    iconv_t cd_;
};

bool isLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}
bool isHighTrailByte(unsigned char b) {
    return b >= 0xA1 && b <= 0xFE;
}

} // namespace

QByteArray encodeCp950(const QString& text) {
    // UTF-32 input makes every character exactly four bytes, so an unconvertible one is skipped cleanly.
    // Lone surrogates have already become U+FFFD here, which the code page lacks as well.
    const QList<uint> codePoints = text.toUcs4();
    std::vector<quint32> units(codePoints.size());
    for (qsizetype i = 0; i < codePoints.size(); ++i)
        units[i] = qToLittleEndian<quint32>(codePoints[i]);

    QByteArray out;
    Converter converter("CP950", "UTF-32LE");
    if (!converter.valid())
        return QByteArray(codePoints.size(), '?');
    const char* in = reinterpret_cast<const char*>(units.data());
    size_t inLeft = units.size() * sizeof(quint32);
    while (converter.convert(in, inLeft, out) != Converter::Stop::Done) {
        out.append('?');
        in += sizeof(quint32);
        inLeft -= sizeof(quint32);
    }
    return out;
}

QString decodeCp950(const QByteArray& bytes) {
    static constexpr char replacement[] = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
    QByteArray utf8;
    Converter converter("UTF-8", "CP950");
    if (!converter.valid())
        return QString(bytes.size(), QChar::ReplacementCharacter);
    const char* in = bytes.constData();
    size_t inLeft = bytes.size();
    for (;;) {
        const auto stop = converter.convert(in, inLeft, utf8);
        if (stop == Converter::Stop::Done)
            break;
        utf8.append(replacement);
        if (stop == Converter::Stop::Incomplete)
            break; // a lead byte with nothing after it ends the datagram
        // An unmapped pair is one bad character; a trail byte in the ASCII range is read again on its own,
        // so a broken pair does not swallow the letter after it.
        const auto lead = static_cast<unsigned char>(in[0]);
        const size_t skip = inLeft >= 2 && isLeadByte(lead) && isHighTrailByte(in[1]) ? 2 : 1;
        in += skip;
        inLeft -= skip;
    }
    return QString::fromUtf8(utf8);
}

} // namespace platform
