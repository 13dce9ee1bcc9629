// Command messages 0x21, 0x80 (both directions) and 0x81: text ends, codings,
// the pair of the 0x80 command and the 30-byte field of the text message.
#include <gtest/gtest.h>

#include <functional>

#include "protocol/catalogue.h"
#include "protocol/command.h"
#include "protocol/short_frame.h"
#include "support/test_util.h"

using zt::bytes;
using zt::contentOf;
using zt::encoded;
using zt::hex;

namespace {

std::vector<CatalogueRow> commandRows() {
    using namespace Zuno;
    return {
        {"Action21Utf8", makeOf<ZunoAction21>(), "78 78 0D 21 00 00 00 01 01 61 62 63 00 01 37 31 0D 0A",
         "action21_utf8.txt"},
        {"Action21Utf16", makeOf<ZunoAction21>(), "78 78 0E 21 00 00 00 01 02 4F 60 59 7D 00 02 09 A7 0D 0A",
         "action21_utf16.txt"},
        {"Action80Pair", makeOf<ZunoAction80>(), "78 78 0F 80 07 00 00 00 01 61 62 63 00 02 00 01 5F F2 0D 0A",
         "action80_pair.txt"},
        {"Action80NoPair", makeOf<ZunoAction80>(), "78 78 0D 80 07 00 00 00 01 61 62 63 00 01 49 11 0D 0A",
         "action80_no_pair.txt"},
        {"Action80Chinese", makeOf<ZunoAction80>(),
         "78 78 12 80 0A 12 34 56 78 E4 BD A0 E5 A5 BD 01 01 00 03 33 6E 0D 0A", "action80_chinese.txt"},
        {"Action81Utf8", makeOf<ZunoAction81>(), "78 78 0E 81 08 00 00 00 01 4F 4B 00 02 00 04 BD 8D 0D 0A",
         "action81_utf8.txt"},
        {"Action81Utf16", makeOf<ZunoAction81>(), "78 78 0E 81 07 00 00 00 01 59 7D 00 01 00 05 EA 2F 0D 0A",
         "action81_utf16.txt"},
        {"Action80RespUtf8", makeOf<ZunoAction80Resp>(),
         "78 78 2A 80 0A 00 00 00 02 44 57 58 58 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 02 00 06 01 CC 0D 0A",
         "action80_resp_utf8.txt"},
        {"Action80RespUtf16", makeOf<ZunoAction80Resp>(),
         "78 78 2A 80 0A 00 00 00 02 4F 4D 7F 6E 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 01 00 07 2C 9B 0D 0A",
         "action80_resp_utf16.txt"},
    };
}

std::string zeros(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += "00 ";
    return s;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Command, CatalogueTest, ::testing::ValuesIn(commandRows()), catalogueName);

TEST(Action21, CodingChoosesTheWireTextAndOtherCodingsAreRefused) {
    struct Case {
        uint8_t coding;
        int rc;
        const char* content; // "" when nothing may be written
    };
    const Case cases[] = {
        {1, 0, "00 00 00 01 01 E4 BD A0 41"},
        {2, 0, "00 00 00 01 02 4F 60 00 41"},
        {0, Zuno::kErrAction21Coding, ""},
        {3, Zuno::kErrAction21Coding, ""},
    };
    for (const Case& c : cases) {
        Zuno::ZunoAction21 m;
        m.flag = 1;
        m.coding = c.coding;
        m.content = u"你A";
        m.len = 77;
        m.crc = 0x1234;
        std::vector<uint8_t> out;
        ASSERT_EQ(m.encode(out), c.rc) << int(c.coding);
        if (c.rc < 0) {
            EXPECT_TRUE(out.empty());
            EXPECT_EQ(m.len, 77);
            EXPECT_EQ(m.crc, 0x1234);
        } else {
            EXPECT_EQ(contentOf(out), c.content);
        }
    }
}

TEST(Action21, EmptyTextHasLengthTenAndCodingZeroReadsUtf16) {
    Zuno::ZunoAction21 m;
    m.coding = 1;
    const auto frame = encoded(m);
    EXPECT_EQ(frame[2], 10);

    Zuno::ZunoAction21 r;
    ASSERT_EQ(r.decode(zt::frameOf(0x21, "00 00 00 07 00 00 61 00 62")), 0);
    EXPECT_EQ(r.flag, 7u);
    EXPECT_EQ(r.coding, 0);
    EXPECT_EQ(r.content, u"ab");
    EXPECT_EQ(r.seq, 1);
}

// The text ends where the length field puts the serial: bytes after the stop
// mark (a pasted line with trailing garbage) change nothing.
TEST(Action21And81, TextEndsAtTheSerialThatTheLengthPlaces) {
    const std::string tail = " 55 66 77 88 99 AA BB CC";
    {
        Zuno::ZunoAction21 m;
        ASSERT_EQ(m.decode(bytes("78 78 0D 21 00 00 00 01 01 61 62 63 00 01 37 31 0D 0A" + tail)), 0);
        EXPECT_EQ(m.content, u"abc");
        EXPECT_EQ(m.seq, 1);
    }
    {
        Zuno::ZunoAction81 m;
        ASSERT_EQ(m.decode(bytes("78 78 0E 81 08 00 00 00 01 4F 4B 00 02 00 04 BD 8D 0D 0A" + tail)), 0);
        EXPECT_EQ(m.content, u"OK");
        EXPECT_EQ(m.AlertAndLang.language, 2);
        EXPECT_EQ(m.seq, 4);
    }
}

TEST(Action80, PairFollowsTheLengthField) {
    // dataLen 7: length 15 carries the pair, 13 does not.
    Zuno::ZunoAction80 withPair;
    withPair.AlertAndLang = {9, 9};
    ASSERT_EQ(withPair.decode(bytes("78 78 0F 80 07 00 00 00 01 61 62 63 00 02 00 01 5F F2 0D 0A")), 0);
    EXPECT_EQ(withPair.noLanguage, 0);
    EXPECT_EQ(withPair.AlertAndLang.alert, 0);
    EXPECT_EQ(withPair.AlertAndLang.language, 2);

    Zuno::ZunoAction80 noPair;
    noPair.AlertAndLang = {9, 9};
    ASSERT_EQ(noPair.decode(bytes("78 78 0D 80 07 00 00 00 01 61 62 63 00 01 49 11 0D 0A")), 0);
    EXPECT_EQ(noPair.noLanguage, 1);
    EXPECT_EQ(noPair.content, u"abc");
    EXPECT_EQ(noPair.seq, 1);
    EXPECT_EQ(noPair.AlertAndLang.alert, 9) << "the pair keeps what it held";
    EXPECT_EQ(noPair.AlertAndLang.language, 9);
    EXPECT_EQ(encoded(noPair)[2], 13);

    Zuno::ZunoAction80 empty;
    ASSERT_EQ(empty.decode(zt::frameOf(0x80, "04 00 00 00 01 00 01")), 0);
    EXPECT_TRUE(empty.content.empty());
    EXPECT_EQ(empty.noLanguage, 0);
}

TEST(Action80, NewObjectCarriesThePair) {
    auto m = std::make_unique<Zuno::ZunoAction80>();
    EXPECT_EQ(m->command, 0x80);
    EXPECT_EQ(m->noLanguage, 0);
    EXPECT_EQ(m->AlertAndLang.alert, 0);
    EXPECT_EQ(m->AlertAndLang.language, 0);
}

// The command is written as its decode reads it, whatever the language: a
// typed frame with language 1 is sent again unchanged.
TEST(Action80, LanguageOneStillTravelsAsUtf8) {
    Zuno::ZunoAction80 m;
    m.dataLen = 10;
    m.flag = 1;
    m.content = u"你好";
    m.AlertAndLang = {0, 1};
    const auto frame = encoded(m);
    EXPECT_EQ(contentOf(frame), "0A 00 00 00 01 E4 BD A0 E5 A5 BD 00 01");
    Zuno::ZunoAction80 back;
    ASSERT_EQ(back.decode(frame), 0);
    EXPECT_EQ(back.content, u"你好");
    EXPECT_EQ(hex(encoded(back)), hex(frame));
}

TEST(Action80, TextOutsideTheFrameIsRefused) {
    const char* contents[] = {
        "03 00 00 00 01 00 01",    // dataLen below the flag's 4 bytes
        "09 00 00 00 01 61 62",    // text of 5 bytes, 2 present
        "FF 00 00 00 01 61 62 63", // text far past the frame
    };
    for (const char* c : contents) {
        Zuno::ZunoAction80 m;
        EXPECT_LT(m.decode(zt::frameOf(0x80, c)), 0) << c;
    }
}

TEST(Action81And80Resp, LanguageZeroIsWrittenUtf8AndReadUtf16) {
    {
        Zuno::ZunoAction81 m;
        m.content = u"ab";
        const auto frame = encoded(m);
        EXPECT_EQ(contentOf(frame), "00 00 00 00 00 61 62 00 00");
        Zuno::ZunoAction81 back;
        ASSERT_EQ(back.decode(frame), 0);
        EXPECT_EQ(back.content, std::u16string(1, char16_t(0x6162)));
    }
    {
        Zuno::ZunoAction80Resp m;
        m.content = u"ab";
        const auto frame = encoded(m);
        EXPECT_EQ(frame[2], 0x2A);
        Zuno::ZunoAction80Resp back;
        ASSERT_EQ(back.decode(frame), 0);
        std::u16string expected(15, char16_t(0));
        expected[0] = char16_t(0x6162);
        EXPECT_EQ(back.content, expected);
    }
}

TEST(Action80Resp, TextFieldIsThirtyBytesCutAtAWholeCharacter) {
    struct Case {
        const char* what;
        std::u16string text;
        uint8_t language;
        size_t textBytes; // bytes of the text in the field, before the padding
    };
    const std::u16string thirty(30, u'x');
    const Case cases[] = {
        {"empty", u"", 2, 0},
        {"exactly 30 UTF-8 bytes", thirty, 2, 30},
        {"31 ASCII letters", thirty + u"y", 2, 30},
        // 29 letters and a three-byte character: the character does not fit.
        {"UTF-8 sequence across the end", std::u16string(29, u'x') + u"你", 2, 29},
        // Ten three-byte characters fill 30 bytes; the eleventh goes.
        {"eleven Chinese characters", std::u16string(11, u'你'), 2, 30},
        {"15 units UTF-16BE", std::u16string(15, u'你'), 1, 30},
        {"16 units UTF-16BE", std::u16string(16, u'你'), 1, 30},
        // 14 units and a surrogate pair: the pair does not fit.
        {"surrogate pair across the end", std::u16string(14, u'x') + u"\U0001F600", 1, 28},
    };
    for (const Case& c : cases) {
        Zuno::ZunoAction80Resp m;
        m.content = c.text;
        m.AlertAndLang.language = c.language;
        const auto frame = encoded(m);
        ASSERT_EQ(frame.size(), 47u) << c.what;
        EXPECT_EQ(frame[2], 42) << c.what;
        const std::vector<uint8_t> field(frame.begin() + 9, frame.begin() + 39);
        const auto wanted = Zuno::action80RespTextBytes(c.text, c.language == 1);
        EXPECT_EQ(wanted.size(), c.textBytes) << c.what;
        for (size_t i = 0; i < 30; ++i) {
            const uint8_t expect = i < wanted.size() ? wanted[i] : 0;
            EXPECT_EQ(field[i], expect) << c.what << " byte " << i;
        }
        // What was written reads back as whole characters.
        Zuno::ZunoAction80Resp back;
        ASSERT_EQ(back.decode(frame), 0);
        const std::u16string shown = back.content.substr(0, back.content.find(char16_t(0)));
        EXPECT_EQ(shown, c.text.substr(0, shown.size())) << c.what;
    }
}

TEST(Action80Resp, DecodeKeepsThePaddingAsNulUnits) {
    Zuno::ZunoAction80Resp utf8;
    utf8.AlertAndLang.language = 2;
    const auto frame = encoded(utf8);
    Zuno::ZunoAction80Resp back;
    ASSERT_EQ(back.decode(frame), 0);
    EXPECT_EQ(back.content, std::u16string(30, char16_t(0)));

    Zuno::ZunoAction80Resp utf16;
    utf16.AlertAndLang.language = 1;
    ASSERT_EQ(back.decode(encoded(utf16)), 0);
    EXPECT_EQ(back.content, std::u16string(15, char16_t(0)));
}

// Bytes that are no valid UTF-8 do not survive the way into UTF-16 units,
// and a reply with language 0 reads UTF-16BE but writes UTF-8; a decoded
// frame whose text and coding byte are left alone is still sent as it came
// in, and the 0x80 command's carried length keeps matching its text.
TEST(CommandTexts, DecodedFrameIsSentAgainUnchanged) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        std::vector<uint8_t> frame;
    };
    const Case cases[] = {
        {"0x80 with a stray byte", makeOf<Zuno::ZunoAction80>(), zt::frameOf(0x80, "07 00 00 00 01 61 80 63 00 02")},
        {"0x80 cut sequence", makeOf<Zuno::ZunoAction80>(), zt::frameOf(0x80, "07 00 00 00 01 61 62 E4 00 02")},
        {"0x21 overlong form", makeOf<Zuno::ZunoAction21>(), zt::frameOf(0x21, "00 00 00 01 01 C0 80 41")},
        {"0x81 UTF-8", makeOf<Zuno::ZunoAction81>(), zt::frameOf(0x81, "07 00 00 00 01 80 41 00 02")},
        {"0x80 text message", makeOf<Zuno::ZunoAction80Resp>(),
         // A four-byte character, then one cut short, then padding.
         zt::frameOf(0x80, "0A 00 00 00 01 F0 9F 98 80 F0 9F 98 " + zeros(23) + "00 02")},
        {"0x81 language 0", makeOf<Zuno::ZunoAction81>(), zt::frameOf(0x81, "08 00 00 00 01 61 62 63 64 00 00")},
        {"0x81 language 0, odd text", makeOf<Zuno::ZunoAction81>(), zt::frameOf(0x81, "07 00 00 00 01 61 62 63 00 00")},
        {"0x80 text message language 0", makeOf<Zuno::ZunoAction80Resp>(),
         zt::frameOf(0x80, "08 00 00 00 01 61 62 63 64 " + zeros(26) + "00 00")},
    };
    for (const Case& c : cases) {
        auto m = c.make();
        ASSERT_EQ(m->decode(c.frame), 0) << c.what;
        EXPECT_EQ(hex(encoded(*m)), hex(c.frame)) << c.what;
        auto copy = m->clone();
        EXPECT_EQ(hex(encoded(*copy)), hex(c.frame)) << c.what << " (clone)";
    }

    // A changed text is converted anew.
    Zuno::ZunoAction80 m;
    ASSERT_EQ(m.decode(cases[0].frame), 0);
    EXPECT_EQ(m.content, u"ac");
    m.content = u"xyz";
    EXPECT_EQ(contentOf(encoded(m)), "07 00 00 00 01 78 79 7A 00 02");

    // So is an unchanged text whose language changed: language 1 writes the
    // two units read from 61 62 63 64 as UTF-16BE, language 2 as UTF-8.
    Zuno::ZunoAction81 reply;
    ASSERT_EQ(reply.decode(cases[5].frame), 0);
    EXPECT_EQ(reply.content, (std::u16string{char16_t(0x6162), char16_t(0x6364)}));
    reply.AlertAndLang.language = 1;
    EXPECT_EQ(contentOf(encoded(reply)), "08 00 00 00 01 61 62 63 64 00 01");
    reply.AlertAndLang.language = 2;
    EXPECT_EQ(contentOf(encoded(reply)), "08 00 00 00 01 E6 85 A2 E6 8D A4 00 02");
}
