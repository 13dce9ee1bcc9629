// Lines of the command and address dumps beyond the catalogue's goldens.
#include <gtest/gtest.h>

#include <string>

#include "protocol/address.h"
#include "protocol/command.h"
#include "protocol/helpers.h"

namespace {

// The line of `text` that holds `key`.
std::string lineOf(const std::string& text, const std::string& key) {
    const size_t at = text.find(key);
    if (at == std::string::npos) return "(no line " + key + ")";
    const size_t start = text.rfind('\n', at) + 1;
    return text.substr(start, text.find('\n', at) + 1 - start);
}

// The dump without its "command" line, for classes that render alike.
std::string bodyOf(Zuno::ZunoMSG& m) {
    std::string text = m.toString();
    const std::string line = lineOf(text, "\"command\"");
    return text.erase(text.find(line), line.size());
}

} // namespace

TEST(CommandDump, CodingFlagAndContentLines) {
    Zuno::ZunoAction21 m;
    m.coding = 0;
    m.flag = 0xFFFFFFFF;
    m.content = u"é";
    const std::string text = m.toString();
    EXPECT_EQ(lineOf(text, "\"coding\""), "    \"coding\" : \"UTF16-BE (0x00)\", \n");
    EXPECT_EQ(lineOf(text, "\"flag\""), "    \"flag\" : \"4294967295 (0xffffffff)\", \n");
    EXPECT_EQ(lineOf(text, "\"content\""), "    \"content\" : \"é (0xC3 A9)\", \n");

    m.content.clear();
    EXPECT_EQ(lineOf(m.toString(), "\"content\""), "    \"content\" : \" (0x)\", \n");
}

TEST(CommandDump, Action80WithoutPairShowsUtf8WhateverTheLanguage) {
    Zuno::ZunoAction80 m;
    m.noLanguage = 1;
    m.AlertAndLang.language = 1;
    m.content = u" 好 ";
    const std::string text = m.toString();
    EXPECT_EQ(lineOf(text, "\"command\""), "    \"command\" : \"在线指令 - LM12及其衍生协议 (0x80)\",\n");
    EXPECT_EQ(lineOf(text, "\"content\""), "    \"content\" : \" 好  (0x20 E5 A5 BD 20)\", \n") << "not trimmed";
    EXPECT_EQ(text.find("AlertAndLang"), std::string::npos);
}

TEST(CommandDump, RepliesTrimAndShowThePadding) {
    Zuno::ZunoAction80Resp m;
    m.AlertAndLang.language = 1;
    m.content = std::u16string(u"ok") + std::u16string(2, char16_t(0));
    EXPECT_EQ(lineOf(m.toString(), "\"content\""), "    \"content\" : \"ok (0x00 6F 00 6B 00 00 00 00)\", \n");

    Zuno::ZunoAction81 r;
    r.content = m.content;
    r.AlertAndLang = m.AlertAndLang;
    EXPECT_EQ(bodyOf(r), bodyOf(m)) << "0x81 renders as the 0x80 text message";
}

// The text message's field holds 30 bytes: its dump shows the text that the
// frame beside it carries, cut where the encoder cuts it.
TEST(CommandDump, TextMessageShowsTheTextAsSent) {
    struct Case {
        const char* what;
        std::u16string text;
        uint8_t language;
        std::string shown;
        size_t bytes; // text bytes in the field
    };
    const Case cases[] = {
        {"31 letters", std::u16string(30, u'x') + u"y", 2, std::string(30, 'x'), 30},
        {"sequence across the end", std::u16string(29, u'x') + u"你", 0, std::string(29, 'x'), 29},
        {"16 units", std::u16string(16, u'好'), 1, "好好好好好好好好好好好好好好好", 30},
        {"pair across the end", std::u16string(14, u'x') + u"\U0001F600", 1, std::string(14, 'x'), 28},
        {"fits", u"ok", 2, "ok", 2},
    };
    for (const Case& c : cases) {
        Zuno::ZunoAction80Resp m;
        m.content = c.text;
        m.AlertAndLang.language = c.language;
        std::vector<uint8_t> frame;
        ASSERT_EQ(m.encode(frame), 0) << c.what;
        const std::string sent = Zuno::toHex(frame, 9, c.bytes, " ");
        EXPECT_EQ(lineOf(m.toString(), "\"content\""), "    \"content\" : \"" + c.shown + " (0x" + sent + ")\", \n")
            << c.what;
        EXPECT_EQ(frame[9 + c.bytes], 0) << c.what << ": padding after the text";
    }
}

TEST(AddressDump, SwappedAddressAndAlikeClasses) {
    Zuno::ZunoGeocoding17Resp reply;
    reply.address = {char16_t(0xFFFE), char16_t(0x4100)};
    EXPECT_EQ(lineOf(reply.toString(), "\"address\""), "    \"address\" : \"\xEF\xBB\xBF" "A (0xFF FE 41 00)\", \n");

    Zuno::ZunoGeocoding97Resp en;
    en.address = reply.address;
    EXPECT_EQ(bodyOf(en), bodyOf(reply));

    Zuno::ZunoGeocoding17 cell;
    cell.MCC = 0x81CC;
    cell.MNC = 0x0102;
    cell.phone = "138";
    Zuno::ZunoGeocodingA7 a7;
    a7.MCC = cell.MCC;
    a7.MNC = cell.MNC;
    a7.phone = cell.phone;
    EXPECT_EQ(bodyOf(a7), bodyOf(cell));
    EXPECT_EQ(lineOf(a7.toString(), "\"MNC\""), "    \"MNC\" : \"258 (0x102)\", \n");
    EXPECT_EQ(lineOf(a7.toString(), "\"phone\""), "    \"phone\" : \"138 (0x31 33 38)\", \n");

    Zuno::ZunoGeocoding1A gps;
    gps.speed = 7;
    Zuno::ZunoGeocoding2A utc;
    utc.speed = 7;
    EXPECT_EQ(bodyOf(utc), bodyOf(gps));
}
