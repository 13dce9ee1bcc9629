// Login, heartbeats and their replies.
#include <gtest/gtest.h>

#include "protocol/catalogue.h"
#include "protocol/crc.h"
#include "protocol/login.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

std::vector<CatalogueRow> loginRows() {
    using namespace Zuno;
    return {
        {"Login", makeOf<ZunoLogin>(), "78 78 11 01 01 23 45 67 89 01 23 45 20 06 32 01 00 01 74 25 0D 0A", "login.txt"},
        {"LoginWestEnglish", makeOf<ZunoLogin>(), "78 78 11 01 01 23 45 67 89 01 23 45 20 06 32 0A 00 01 5D 83 0D 0A",
         "login_west_en.txt"},
        // The login sample of the main window's input box.
        {"LoginSample", makeOf<ZunoLogin>(), "78 78 11 01 07 52 53 36 78 90 02 42 70 00 32 01 00 05 12 79 0D 0A",
         "login_sample.txt"},
        {"LoginReply", makeOf<ZunoLoginResp>(), "78 78 05 01 00 01 D9 DC 0D 0A", "login_reply_block.txt"},
        {"Ping13", makeOf<ZunoPing13>(), "78 78 0A 13 46 04 03 00 02 00 01 B2 E5 0D 0A", "ping13.txt"},
        {"Pong13", makeOf<ZunoPong13>(), "78 78 05 13 00 01 E9 F1 0D 0A", "pong13.txt"},
        {"Ping23", makeOf<ZunoPing23>(), "78 78 0B 23 46 01 90 03 00 02 00 02 74 E7 0D 0A", "ping23.txt"},
        // The 0x23 sample of the main window's input box.
        {"Ping23Sample", makeOf<ZunoPing23>(), "78 78 0B 23 C0 01 22 04 00 01 00 08 18 72 0D 0A", "ping23_sample.txt"},
        {"Pong23", makeOf<ZunoPong23>(), "78 78 05 23 00 03 4C 4D 0D 0A", "pong23.txt"},
    };
}

Zuno::ZunoLogin sampleLogin() {
    Zuno::ZunoLogin m;
    m.imei = "0123456789012345";
    m.type = 0x2006;
    m.TimeZoneAndLanguage.timeZone = 800;
    m.TimeZoneAndLanguage.language = 1;
    m.seq = 1;
    return m;
}

// Content bytes of a short frame: between the protocol number and the serial.
std::string contentOf(const std::vector<uint8_t>& frame) {
    return hex(std::vector<uint8_t>(frame.begin() + 4, frame.end() - 6));
}

// Recomputes the CRC of a short frame after its bytes were changed.
std::vector<uint8_t> withCrc(std::vector<uint8_t> f) {
    const size_t len = f[2];
    const uint16_t c = Zuno::crcItu(f, 2, len - 1);
    f[3 + len - 2] = static_cast<uint8_t>(c >> 8);
    f[3 + len - 1] = static_cast<uint8_t>(c);
    return f;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Login, CatalogueTest, ::testing::ValuesIn(loginRows()), catalogueName);

TEST(Login, EncodesTheFieldsIntoTheirWords) {
    struct Case {
        const char* what;
        uint8_t westZone, language;
        const char* word;
    };
    const Case cases[] = {
        {"east, Chinese", 0, 1, "32 01"},
        {"east, English", 0, 2, "32 02"},
        {"west, English", 1, 2, "32 0A"},
    };
    for (const auto& c : cases) {
        auto m = sampleLogin();
        m.TimeZoneAndLanguage.westZone = c.westZone;
        m.TimeZoneAndLanguage.language = c.language;
        m.TimeZoneAndLanguage.zoneReserved = 1; // never sent
        std::vector<uint8_t> out;
        ASSERT_EQ(m.encode(out), 0) << c.what;
        EXPECT_EQ(m.len, 17) << c.what;
        EXPECT_EQ(out[2], 0x11) << c.what;
        EXPECT_EQ(contentOf(out), std::string("01 23 45 67 89 01 23 45 20 06 ") + c.word) << c.what;

        Zuno::ZunoLogin back;
        back.TimeZoneAndLanguage.zoneReserved = 1;
        ASSERT_EQ(back.decode(out), 0) << c.what;
        EXPECT_EQ(back.imei, "0123456789012345");
        EXPECT_EQ(back.type, 0x2006);
        EXPECT_EQ(back.TimeZoneAndLanguage.timeZone, 800);
        EXPECT_EQ(back.TimeZoneAndLanguage.westZone, c.westZone) << c.what;
        EXPECT_EQ(back.TimeZoneAndLanguage.language, c.language) << c.what;
        EXPECT_EQ(back.TimeZoneAndLanguage.zoneReserved, 1) << c.what; // decode leaves it
        EXPECT_EQ(back.seq, 1);
    }
}

TEST(Login, FifteenDigitImeiTravelsWithALeadingZero) {
    auto m = sampleLogin();
    m.imei = "123456789012345";
    std::vector<uint8_t> out;
    ASSERT_EQ(m.encode(out), 0);
    EXPECT_EQ(contentOf(out).substr(0, 23), "01 23 45 67 89 01 23 45");
    Zuno::ZunoLogin back;
    ASSERT_EQ(back.decode(out), 0);
    EXPECT_EQ(back.imei, "0123456789012345");
    // Lower-case digits come back upper case.
    m.imei = "abcdef0123456789";
    out.clear();
    ASSERT_EQ(m.encode(out), 0);
    ASSERT_EQ(back.decode(out), 0);
    EXPECT_EQ(back.imei, "ABCDEF0123456789");
}

TEST(Login, EncodeRefusalsLeaveTheOutputAndFieldsAlone) {
    struct Case {
        const char* what;
        std::string imei;
        uint16_t type;
        uint8_t language;
        int expected;
    };
    const Case cases[] = {
        {"no IMEI", "", 0x2006, 1, -1},
        {"17 digits", "01234567890123456", 0x2006, 1, -2},
        {"unknown device type", "0123456789012345", 0xFFFF, 1, -3},
        {"no language", "0123456789012345", 0x2006, 0, -4},
        {"language beyond its two bits", "0123456789012345", 0x2006, 4, -4},
        {"14 digits", "01234567890123", 0x2006, 1, -5},
        {"1 digit", "1", 0x2006, 1, -5},
        {"a character that is no digit", "12345678901234X", 0x2006, 1, -5},
        {"15 digits and a blank", "123456789012345 ", 0x2006, 1, -5},
        {"checks in their order", "", 0xFFFF, 0, -1},
    };
    for (const auto& c : cases) {
        auto m = sampleLogin();
        m.imei = c.imei;
        m.type = c.type;
        m.TimeZoneAndLanguage.language = c.language;
        m.len = 99;
        m.crc = 0x1234;
        std::vector<uint8_t> out;
        EXPECT_EQ(m.encode(out), c.expected) << c.what;
        EXPECT_TRUE(out.empty()) << c.what << ": " << hex(out);
        EXPECT_EQ(m.len, 99) << c.what;
        EXPECT_EQ(m.crc, 0x1234) << c.what;
    }
}

TEST(Login, DecodeIgnoresWireBit2) {
    Zuno::ZunoLogin m;
    ASSERT_EQ(m.decode(withCrc(bytes("78 78 11 01 01 23 45 67 89 01 23 45 20 06 32 07 00 01 00 00 0D 0A"))), 0);
    EXPECT_EQ(m.TimeZoneAndLanguage.language, 3);
    EXPECT_EQ(m.TimeZoneAndLanguage.westZone, 0);
    EXPECT_EQ(m.TimeZoneAndLanguage.zoneReserved, 0);
}

TEST(Login, LengthFieldShorterThanTheLayoutIsRefused) {
    // A length of 16 (11 content bytes) with a valid CRC and stop bytes, and
    // enough bytes after them to fill the layout: the CRC and stop bytes must
    // not be taken for the time-zone word and the serial.
    auto f = withCrc(bytes("78 78 10 01 01 23 45 67 89 01 23 45 20 06 32 00 01 00 00 0D 0A AA BB CC"));
    Zuno::ZunoLogin m;
    m.imei = "stale";
    m.seq = 42;
    EXPECT_EQ(m.decode(f), Zuno::kErrContentShort);
    EXPECT_EQ(m.imei, "");
    EXPECT_EQ(m.seq, 42);

    // As terminals in the field send them: the login with the IMEI only
    // (length 0x0D) and heartbeats shorter than their layout.
    const char* const shortFrames[] = {
        "78 78 0D 01 01 23 45 67 89 01 23 45 00 01 00 00 0D 0A",
        "78 78 09 13 46 04 03 00 00 01 00 00 0D 0A 00 00",
        "78 78 08 13 46 04 03 00 01 00 00 0D 0A",
        "78 78 0A 23 46 01 90 03 00 00 01 00 00 0D 0A 00 00",
    };
    for (const char* hex : shortFrames) {
        const auto frame = withCrc(bytes(hex));
        const int rc = frame[3] == 0x01 ? Zuno::ZunoLogin().decode(frame)
                     : frame[3] == 0x13 ? Zuno::ZunoPing13().decode(frame)
                                        : Zuno::ZunoPing23().decode(frame);
        EXPECT_EQ(rc, Zuno::kErrContentShort) << hex;
    }
}

TEST(Login, LongerLengthFieldReadsTheFixedPlaces) {
    // One extra content byte: fields and serial come from their fixed places.
    Zuno::ZunoPing13 p;
    ASSERT_EQ(p.decode(withCrc(bytes("78 78 0B 13 46 04 03 00 02 00 07 EE 00 00 0D 0A"))), 0);
    EXPECT_EQ(p.languageOrExt, 2);
    EXPECT_EQ(p.seq, 7);
}

TEST(Heartbeat, ContentsAndLengths) {
    Zuno::ZunoPing13 p;
    p.content = Zuno::terminalContentOf(0x46);
    p.powerLevel = 4;
    p.signalLevel = 3;
    p.languageOrExt = 2;
    p.seq = 1;
    std::vector<uint8_t> out;
    ASSERT_EQ(p.encode(out), 0);
    EXPECT_EQ(contentOf(out), "46 04 03 00 02");
    EXPECT_EQ(p.len, 10);

    Zuno::ZunoPing23 q;
    q.powerLevel = 400;
    q.languageOrExt = 0xABCD; // carried whole
    out.clear();
    ASSERT_EQ(q.encode(out), 0);
    EXPECT_EQ(contentOf(out), "00 01 90 00 AB CD");
    EXPECT_EQ(q.len, 11);
    Zuno::ZunoPing23 back;
    ASSERT_EQ(back.decode(out), 0);
    EXPECT_EQ(back.powerLevel, 400);
    EXPECT_EQ(back.languageOrExt, 0xABCD);
}

TEST(Replies, EncodeToTenByteFrames) {
    struct Case {
        std::unique_ptr<Zuno::ZunoMSG> msg;
        const char* frame;
    };
    Case cases[] = {
        {std::make_unique<Zuno::ZunoLoginResp>(), "78 78 05 01 00 01 D9 DC 0D 0A"},
        {std::make_unique<Zuno::ZunoPong13>(), "78 78 05 13 00 01 E9 F1 0D 0A"},
    };
    for (auto& c : cases) {
        c.msg->seq = 1;
        std::vector<uint8_t> out;
        ASSERT_EQ(c.msg->encode(out), 0);
        EXPECT_EQ(hex(out), c.frame);
        EXPECT_EQ(c.msg->len, 5);
    }
    Zuno::ZunoPong23 pong;
    EXPECT_EQ(pong.command, 0x23);
    std::vector<uint8_t> out;
    ASSERT_EQ(pong.encode(out), 0);
    EXPECT_EQ(out.size(), 10u);
}
