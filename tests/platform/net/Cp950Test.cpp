#include "platform/net/Cp950.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

struct Known {
    const char* utf8;
    QByteArray cp950;
};

// Byte values as the peers put them on the wire.
const Known knownTexts[] = {
    {"說：", QByteArray("\xBB\xA1\xA1\x47")},
    {"傳送訊息給您，時間是",
     QByteArray("\xB6\xC7\xB0\x65\xB0\x54\xAE\xA7\xB5\xB9\xB1\x7A\xA1\x41\xAE\xC9\xB6\xA1\xAC\x4F")},
    {"，", QByteArray("\xA1\x41")},
    {"€", QByteArray("\xA3\xE1")}, // only code page 950 has it; plain Big5 does not
    {"Return Hostname-PC-01", QByteArray("Return Hostname-PC-01")},
    {"PC-01說：下午 03:04:05", QByteArray("PC-01\xBB\xA1\xA1\x47\xA4\x55\xA4\xC8 03:04:05")},
    {"", QByteArray()},
};

TEST(Cp950, KnownTextsTravelAsTheirCodePageBytesAndBack) {
    for (const Known& k : knownTexts) {
        const QString text = QString::fromUtf8(k.utf8);
        EXPECT_EQ(platform::encodeCp950(text), k.cp950) << k.utf8;
        EXPECT_EQ(platform::decodeCp950(k.cp950), text) << k.utf8;
    }
}

TEST(Cp950, CharactersTheCodePageLacksTravelAsQuestionMarks) {
    const struct {
        QString text;
        QByteArray expected;
    } cases[] = {
        {QString::fromUtf8("A😀B"), "A?B"},                   // outside the basic plane
        {QString::fromUtf8("们说"), "??"},                   // simplified-only characters
        {QString::fromUtf8("說们："), "\xBB\xA1?\xA1\x47"},  // the rest of the text is kept
        {QString(QChar(0xD800)) + QLatin1String("x"), "?x"}, // a lone surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::encodeCp950(c.text), c.expected) << c.text.toStdString();
}

TEST(Cp950, BytesThatAreNotCodePage950ReadAsReplacementAndReadingGoesOn) {
    const QString bad(QChar::ReplacementCharacter);
    const struct {
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"AB\xA4", QStringLiteral("AB") + bad},          // lead byte cut off at the end
        {"\xFF\xBB\xA1", bad + QString::fromUtf8("說")}, // never a lead byte
        {"\xA3\xFE"
         "A",
         bad + QStringLiteral("A")}, // an unmapped pair is one character
        {"\xA1\x30"
         "A",
         bad + QStringLiteral("0A")}, // a broken pair keeps the digit
        {"\x81\x40\xA1\x41", bad + QStringLiteral("@") + QString::fromUtf8("，")}, // ASCII trail read again
        {QByteArray("a\0b", 3), QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::decodeCp950(c.bytes), c.expected) << c.bytes.toHex().toStdString();
}

} // namespace
