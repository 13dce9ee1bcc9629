// Hexadecimal text to and from GBK, UTF-8, UTF-16BE and UTF-16LE.
#include <gtest/gtest.h>

#include <QTextCodec>

#include "tools/charset.h"

using namespace Tools;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

TEST(HexToText, Table) {
    struct Case {
        Encoding enc;
        const char* in;
        QString out;
    };
    const Case cases[] = {
        {Encoding::Utf8, "E4 BD A0 E5 A5 BD", u("你好")},
        {Encoding::Utf8, "0xE4,0xBD,0xA0,0xE5,0xA5,0xBD", u("你好")},
        {Encoding::Utf8, "  e4bda0e5a5bd \n", u("你好")},
        // An odd count of digits: the first one alone is the first byte.
        {Encoding::Utf8, "123", QString(QChar(1)) + "#"},
        {Encoding::Utf8, "12 345", QString(QChar(1)) + "#E"},
        {Encoding::Gbk, "4 14", QString(QChar(4)) + "\x14"},
        // Only hexadecimal digits are decoded.
        {Encoding::Gbk, "zz", ""},
        {Encoding::Utf8, "E4 BD AG", ""},
        {Encoding::Utf8, "410042", QString("A") + QChar(0) + "B"},
        {Encoding::Gbk, "C4E3BAC3", u("你好")},
        {Encoding::Gbk, "41 42", "AB"},
        {Encoding::Utf16BE, "0041", "A"},
        {Encoding::Utf16BE, "004100", "A"}, // an odd last byte is left out
        {Encoding::Utf16BE, "41", ""},
        {Encoding::Utf16BE, "4F60 597D", u("你好")},
        {Encoding::Utf16LE, "4100", "A"},
        {Encoding::Utf16LE, "0041", QString(QChar(0x4100))},
        // Lines of hexadecimal text are separated like blanks.
        {Encoding::Utf8, "41 42\n43 44", "ABCD"},
        {Encoding::Utf8, "41\t42\r\n43", "ABC"},
        {Encoding::Gbk, "0x", ""},
        {Encoding::Utf8, ", ,", ""},
        {Encoding::Utf8, "", ""},
        {Encoding::Utf8, "3C623E6869", "<b>hi"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hexToText(u(c.in), c.enc), c.out) << c.in << " as " << static_cast<int>(c.enc);
}

TEST(TextToHex, Table) {
    struct Case {
        Encoding enc;
        QString in;
        const char* out;
    };
    const Case cases[] = {
        {Encoding::Gbk, u("你好"), "C4 E3 BA C3"},
        {Encoding::Gbk, u("Az"), "41 7A"},
        {Encoding::Utf8, u("你好"), "E4 BD A0 E5 A5 BD"},
        {Encoding::Utf16BE, "A", "00 41"},
        {Encoding::Utf16LE, "A", "41 00"},
        {Encoding::Utf16BE, u("你"), "4F 60"},
        {Encoding::Utf16LE, u("😀"), "3D D8 00 DE"},
        // The text is trimmed, but blanks and commas inside are encoded.
        {Encoding::Utf8, " a, b\n", "61 2C 20 62"},
        {Encoding::Utf8, "0x41", "30 78 34 31"},
        {Encoding::Utf8, "", ""},
        {Encoding::Utf16BE, " \n ", ""},
        // A NUL ends the text on its way to GBK.
        {Encoding::Gbk, QString("A") + QChar(0) + "B", "41"},
        // Characters GBK lacks are refused, not written as a stand-in byte.
        {Encoding::Gbk, u("A😀"), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textToHex(c.in, c.enc).toStdString(), c.out) << c.in.toStdString() << " as " << static_cast<int>(c.enc);
}

TEST(Charset, RoundTripsAndLeavesLocaleCodecAlone) {
    QTextCodec* before = QTextCodec::codecForLocale();
    const QString text = u("定位 GPS 12.5°");
    for (Encoding e : {Encoding::Gbk, Encoding::Utf8, Encoding::Utf16BE, Encoding::Utf16LE})
        EXPECT_EQ(hexToText(textToHex(text, e), e), text) << static_cast<int>(e);
    EXPECT_EQ(QTextCodec::codecForLocale(), before);
}
