// Hexadecimal typed into the tools: whole bytes, or what could not be read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/hex_input.h"

using namespace Tools;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

TEST(ReadHexInput, Table) {
    struct Case {
        const char* in;
        std::vector<uint8_t> bytes;
        const char* unreadable;
    };
    const Case cases[] = {
        {"31 32 33", {0x31, 0x32, 0x33}, ""},
        {"0x31,0X32, 0x33", {0x31, 0x32, 0x33}, ""},
        {"0x310x32", {0x31, 0x32}, ""},
        {"aBcD", {0xab, 0xcd}, ""},
        // Groups join before they are paired; with an odd count of digits the
        // first one alone makes the first byte.
        {"616 2", {0x61, 0x62}, ""},
        {"1", {0x01}, ""},
        {"123", {0x01, 0x23}, ""},
        {"12 345", {0x01, 0x23, 0x45}, ""},
        {"61 62 6", {0x06, 0x16, 0x26}, ""},
        {"0x616", {0x06, 0x16}, ""},
        {"0x1,0x23", {0x01, 0x23}, ""},
        {"31\t32\r\n33\u300034", {0x31, 0x32, 0x33, 0x34}, ""},
        // Nothing to read is no fault.
        {"", {}, ""},
        {" \n\t", {}, ""},
        {"0x, ,0X", {}, ""},
        // Characters that are no digits are named with their group, as typed.
        {"zz", {}, "十六进制无法识别: \"zz\""},
        {"xyz", {}, "十六进制无法识别: \"xyz\""},
        {"GG", {}, "十六进制无法识别: \"GG\""},
        {"31 0x3g 33", {}, "十六进制无法识别: \"0x3g\""},
        {"31 x32", {}, "十六进制无法识别: \"x32\""},
        {"00xx", {}, "十六进制无法识别: \"00xx\""},
        {"-1", {}, "十六进制无法识别: \"-1\""},
        {"31;32", {}, "十六进制无法识别: \"31;32\""},
        {"31 十六 33", {}, "十六进制无法识别: \"十六\""},
        {"g1 g2 g3", {}, "十六进制无法识别: \"g1\", \"g2\", \"g3\""},
        {"g1 g2 g3 g4 g5", {}, "十六进制无法识别: \"g1\", \"g2\", \"g3\", …"},
        // An odd count of digits does not excuse a character that is none.
        {"61 6z 6", {}, "十六进制无法识别: \"6z\""},
        {"z", {}, "十六进制无法识别: \"z\""},
        // A long group is cut to the piece around its first fault.
        {"3132333435363738393a3b3c3d3e3f40z1", {}, "十六进制无法识别: \"…3a3b3c3d3e3f40z1\""},
        {"z132333435363738393a3b3c3d3e3f4041", {}, "十六进制无法识别: \"z132333435363738…\""},
        {"31323334353637z8393a3b3c3d3e3f4041", {}, "十六进制无法识别: \"…3637z8393a3b3c3d…\""},
    };
    for (const auto& c : cases) {
        const HexInput read = readHexInput(u(c.in));
        EXPECT_EQ(read.bytes, c.bytes) << c.in;
        EXPECT_EQ(read.unreadable.toStdString(), c.unreadable) << c.in;
    }
}

TEST(ReadHexInput, ACutNeverSplitsACharacter) {
    // "😀" is two UTF-16 units; a cut through them would leave half of one.
    for (int lead = 0; lead < 20; ++lead) {
        const QString in = QString(lead, '1') + u("😀😀😀😀😀😀😀😀😀😀");
        const QString named = readHexInput(in).unreadable;
        ASSERT_FALSE(named.isEmpty()) << lead;
        for (int i = 0; i < named.size(); ++i) {
            if (named[i].isHighSurrogate()) {
                ASSERT_TRUE(i + 1 < named.size() && named[i + 1].isLowSurrogate()) << lead;
                ++i;
            } else {
                ASSERT_FALSE(named[i].isLowSurrogate()) << lead;
            }
        }
    }
}
