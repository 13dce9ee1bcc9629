// Hexadecimal, replace, trim and UTF helpers.
#include <gtest/gtest.h>

#include <QString>

#include "protocol/helpers.h"
#include "support/test_util.h"

using namespace Zuno;

TEST(HexToBytes, Table) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"7878", "78 78"}, {"F", "0F"}, {"zz", "00"}, {"ABC", "0A BC"}, {"1G", "10"},
        {"abcdef", "AB CD EF"}, {"0", "00"},
    };
    for (const auto& c : cases) {
        auto b = hexToBytes(c.in);
        ASSERT_TRUE(b) << c.in;
        EXPECT_EQ(zt::hex(*b), c.out) << c.in;
    }
    EXPECT_FALSE(hexToBytes(""));
}

TEST(ToHex, BytesStringsAndUnits) {
    const std::vector<uint8_t> v{0x78, 0x78, 0x05};
    EXPECT_EQ(toHex(v, 0, 3, " "), "78 78 05");
    EXPECT_EQ(toHex(v, 0, 3, ""), "787805");
    EXPECT_EQ(toHex(v, 1, 2, "-"), "78-05");
    EXPECT_EQ(toHex(v, 2, 2, " "), "");  // end past the data
    EXPECT_EQ(toHex(v, 0, 0, " "), "");
    EXPECT_EQ(toHex(std::vector<uint8_t>{}, 0, 1, " "), "");
    // Offset plus length that would wrap around is refused, not read.
    EXPECT_EQ(toHex(v, 1, SIZE_MAX, " "), "");
    EXPECT_EQ(toHex(v, SIZE_MAX, 2, " "), "");
    EXPECT_EQ(toHex(std::string("\x01\xAB", 2), " "), "01 AB");
    EXPECT_EQ(toHex(std::string(), " "), "");
    EXPECT_EQ(toHex(u"AB", " "), "00 41 00 42");
    EXPECT_EQ(toHex(std::u16string(u"\u4F60"), ""), "4F60");
    EXPECT_EQ(toHex(std::u16string(), " "), "");
}

TEST(StripHexSeparators, Table) {
    struct Case {
        QString in, out;
    };
    const Case cases[] = {
        {"0x78, 0X78", "7878"}, {"0 x12", "12"}, {"0x12, 0x34", "1234"}, {"", ""}, {"78 78 05", "787805"},
    };
    for (auto c : cases) {
        QString t = c.in;
        EXPECT_EQ(stripHexSeparators(t), c.out) << c.in.toStdString();
        EXPECT_EQ(t, c.out);
    }
}

// Each search of replaceAllFromStart starts again at the text's start;
// replaceAll goes on after the replacement. Neither loops on an empty text
// to find or on a replacement that holds it.
TEST(Replace, Table) {
    using Replace = std::string& (*)(std::string&, const std::string&, const std::string&);
    struct Case {
        Replace replace;
        std::string text, from, to, out;
    };
    const Case cases[] = {
        {replaceAllFromStart, "aaa-bb--c", "-", "", "aaabbc"},
        {replaceAllFromStart, "xaab", "ab", "b", "xb"}, // searched again from the start
        {replaceAll, "xaab", "ab", "b", "xab"},         // goes on after the replacement
        {replaceAll, "a,b,c", ",", ", ", "a, b, c"},
        {replaceAllFromStart, "abc", "", "x", "abc"},
        {replaceAll, "abc", "", "x", "abc"},
        // A replacement holding the searched text is made once per occurrence.
        {replaceAllFromStart, "a-b-c", "-", "--", "a--b--c"},
        {replaceAll, "a-b", "-", "x-x", "ax-xb"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(c.replace(text, c.from, c.to), c.out) << c.text << " " << c.from << " " << c.to;
        EXPECT_EQ(text, c.out);
    }
}

TEST(Trim, Table) {
    EXPECT_EQ(trim("  ab \r\n"), "ab");
    EXPECT_EQ(trim(std::string(" a b\0 zz", 8)), "a b");
    EXPECT_EQ(trim(" \t\r\n "), "");
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trim("x"), "x");
}

TEST(Utf8ToUtf16, Table) {
    struct Case {
        std::string in;
        std::u16string out;
        bool ok;
    };
    const Case cases[] = {
        {"\xC3\xA9", u"\u00E9", true},
        {"\xE4\xBD\xA0", u"\u4F60", true},
        {"\xF0\x9F\x98\x80", u"\U0001F600", true},
        {"\x80", u"", false},
        {"A\x80" "B", u"AB", false},
        {"\xEF\xBB\xBF" "A", u"A", true},          // mark skipped with 4 bytes or more
        {"\xEF\xBB\xBF", u"\uFEFF", true},          // three bytes: decoded as the mark
        {"", u"", true},
        // Cut short by the end of the input: nothing read past it.
        {"\xE4\xBD", u"", false},
        {"A\xF0\x9F\x98", u"A", false},
        {"\xC3", u"", false},
    };
    for (const auto& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(utf8ToUtf16(std::string(c.in.begin(), c.in.end()), false, &ok), c.out) << zt::hex({c.in.begin(), c.in.end()});
        EXPECT_EQ(ok, c.ok) << zt::hex({c.in.begin(), c.in.end()});
    }
    EXPECT_EQ(utf8ToUtf16("A", true, nullptr), u"\uFEFFA");
    EXPECT_EQ(utf8ToUtf16("", true, nullptr), u"\uFEFF");
}

TEST(Utf16ToUtf8, Table) {
    EXPECT_EQ(utf16ToUtf8Native(u"\uFEFFA"), "A");
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xFFFE), char16_t(0x4100)}), "\xEF\xBB\xBF" "A");
    EXPECT_EQ(utf16ToUtf8(u"\u4F60\u00E9A"), "\xE4\xBD\xA0\xC3\xA9" "A");
    EXPECT_EQ(utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16ToUtf8(std::u16string()), "");
    EXPECT_EQ(utf16ToUtf8Native(std::u16string()), "");
    // A high surrogate at the end, or before a non-surrogate: no read past the input.
    const std::u16string lone{char16_t(0x41), char16_t(0xD83D)};
    const std::string exact = utf16ToUtf8Native(std::u16string(lone.begin(), lone.end()));
    EXPECT_EQ(exact, "A\xED\xA0\xBD");
    EXPECT_EQ(utf16ToUtf8Native(std::u16string{char16_t(0xD83D), char16_t(0x41)}), "\xED\xA0\xBD" "A");
    // Round trip through both directions.
    const std::string mixed = "GPS 定位 \xF0\x9F\x98\x80 ok";
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(mixed)), mixed);
}
