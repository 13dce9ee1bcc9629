// Address requests (0x17, 0xA7, 0x1A, 0x2A) and replies (0x17, 0x97): fixed
// layouts, the MNC width of 0xA7, the phone field and the reply's own choice
// of the frame form.
#include <gtest/gtest.h>

#include "protocol/address.h"
#include "protocol/catalogue.h"
#include "protocol/short_frame.h"
#include "support/test_util.h"

using zt::bytes;
using zt::contentOf;
using zt::encoded;
using zt::hex;

namespace {

const std::string kPhoneHex = "31 33 38 30 30 31 33 38 30 30 30 00 00 00 00 00 00 00 00 00 00";

std::string repeat(const std::string& unit, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += unit;
    return s;
}

std::vector<CatalogueRow> addressRows() {
    using namespace Zuno;
    return {
        {"Geocoding17", makeOf<ZunoGeocoding17>(),
         "78 78 24 17 01 CC 00 27 BD 00 0F 77 " + kPhoneHex + " 00 01 00 08 72 54 0D 0A", "geocoding17.txt"},
        {"GeocodingA7WideMnc", makeOf<ZunoGeocodingA7>(),
         "78 78 25 A7 81 CC 01 02 27 BD AB CD EF " + kPhoneHex + " 01 02 00 09 9D E8 0D 0A",
         "geocodingA7_wide_mnc.txt"},
        {"GeocodingA7", makeOf<ZunoGeocodingA7>(),
         "78 78 24 A7 01 CC 02 27 BD AB CD EF " + kPhoneHex + " 01 02 00 0A 7B ED 0D 0A", ""},
        {"Geocoding1A", makeOf<ZunoGeocoding1A>(),
         "78 78 2E 1A 13 01 0F 08 1E 00 CC 02 69 FB 20 0C 39 93 E0 3C 15 32 " + kPhoneHex + " 00 01 00 0B 7F 98 0D 0A",
         "geocoding1A.txt"},
        {"Geocoding1ALong", makeOf<ZunoGeocoding1A>(),
         "79 79 00 2E 1A 13 01 0F 08 1E 00 CC 02 69 FB 20 0C 39 93 E0 3C 15 32 " + kPhoneHex +
             " 00 01 00 0C 39 6D 0D 0A",
         "geocoding1A_long.txt"},
        {"Geocoding2A", makeOf<ZunoGeocoding2A>(),
         "78 78 2E 2A 14 03 01 08 05 09 C9 02 6B 2A F2 0C 39 8B 32 00 38 5A " + repeat("00 ", 21) +
             "00 02 00 0D FC 3B 0D 0A",
         "geocoding2A.txt"},
        {"Geocoding17Reply", makeOf<ZunoGeocoding17Resp>(),
         "78 78 38 17 32 00 00 00 01 41 44 44 52 45 53 53 26 26 6D F1 57 33 5E 02 53 57 5C 71 53 3A 26 26 " +
             kPhoneHex + " 23 23 00 0E D6 31 0D 0A",
         "geocoding17_reply.txt"},
        // 105 units: the largest address of a short frame (length 254).
        {"Geocoding17Reply105", makeOf<ZunoGeocoding17Resp>(),
         "78 78 FE 17 F8 00 00 00 01 41 44 44 52 45 53 53 26 26 " + repeat("00 41 ", 105) + "26 26 " + kPhoneHex +
             " 23 23 00 10 9B 52 0D 0A",
         ""},
        // 106 units: a long frame, length 257, two-byte command length 250.
        {"Geocoding17ReplyLong", makeOf<ZunoGeocoding17Resp>(),
         "79 79 01 01 17 00 FA 00 00 00 01 41 44 44 52 45 53 53 26 26 " + repeat("00 41 ", 106) + "26 26 " +
             kPhoneHex + " 23 23 00 0F 24 52 0D 0A",
         "geocoding17_reply_long.txt"},
        {"Geocoding97Reply", makeOf<ZunoGeocoding97Resp>(),
         "78 78 4E 97 48 00 00 00 02 41 44 44 52 45 53 53 26 26 00 4E 00 61 00 6E 00 73 00 68 00 61 00 6E 00 2C 00 "
         "20 00 53 00 68 00 65 00 6E 00 7A 00 68 00 65 00 6E 26 26 " +
             kPhoneHex + " 23 23 00 11 69 15 0D 0A",
         "geocoding97_reply.txt"},
        {"Geocoding97ReplyTag8", makeOf<ZunoGeocoding97Resp>(),
         "78 78 35 97 2F 00 00 00 02 50 4F 53 49 54 49 4F 4E 26 26 00 52 00 6F 00 61 00 64 26 26 " + kPhoneHex +
             " 23 23 00 12 5B BD 0D 0A",
         "geocoding97_reply_tag8.txt"},
    };
}

Zuno::ZunoGeocoding17Resp reply(size_t units) {
    Zuno::ZunoGeocoding17Resp m;
    m.flag = 1;
    m.tag = Zuno::ZunoGeocoding17Resp::kTag;
    m.address = std::u16string(units, u'A');
    m.phone = "13800138000";
    return m;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Address, CatalogueTest, ::testing::ValuesIn(addressRows()), catalogueName);

TEST(AddressRequest, PhoneFieldIsTwentyOneBytes) {
    struct Case {
        size_t phoneBytes;
        int rc;
    };
    const Case cases[] = {{0, 0}, {21, 0}, {22, Zuno::kErrPhoneTooLong}};
    for (const Case& c : cases) {
        Zuno::ZunoGeocoding17 cell;
        cell.phone = std::string(c.phoneBytes, '1');
        Zuno::ZunoGeocoding1A gps;
        gps.phone = cell.phone;
        Zuno::ZunoMSG* requests[] = {&cell, &gps};
        for (Zuno::ZunoMSG* m : requests) {
            m->len = 99;
            std::vector<uint8_t> out;
            ASSERT_EQ(m->encode(out), c.rc) << c.phoneBytes;
            if (c.rc < 0) {
                EXPECT_TRUE(out.empty());
                EXPECT_EQ(m->len, 99);
            } else {
                EXPECT_EQ(m->len, m == &cell ? 36 : 46);
            }
        }
    }

    // An empty phone decodes as 21 NUL characters and encodes to the same frame.
    Zuno::ZunoGeocoding17 empty;
    const auto frame = encoded(empty);
    Zuno::ZunoGeocoding17 back;
    ASSERT_EQ(back.decode(frame), 0);
    EXPECT_EQ(back.phone, std::string(21, '\0'));
    EXPECT_EQ(hex(encoded(back)), hex(frame));
}

TEST(AddressRequest, MncWidthOf17AndA7) {
    Zuno::ZunoGeocoding17 cell;
    cell.MCC = 0x81CC;
    cell.MNC = 0x0102;
    Zuno::ZunoGeocodingA7 a7;
    a7.MCC = 0x81CC;
    a7.MNC = 0x0102;
    const auto f17 = encoded(cell);
    const auto fA7 = encoded(a7);
    EXPECT_EQ(cell.len, 36);
    EXPECT_EQ(a7.len, 37);
    EXPECT_EQ(contentOf(f17).substr(0, 8), "81 CC 02");
    EXPECT_EQ(contentOf(fA7).substr(0, 11), "81 CC 01 02");

    Zuno::ZunoGeocoding17 back17;
    ASSERT_EQ(back17.decode(f17), 0);
    EXPECT_EQ(back17.MCC, 0x81CC);
    EXPECT_EQ(back17.MNC, 0x02);
    Zuno::ZunoGeocodingA7 backA7;
    ASSERT_EQ(backA7.decode(fA7), 0);
    EXPECT_EQ(backA7.MNC, 0x0102);

    // A 0xA7 frame whose MCC asks for two MNC bytes but holds only 31 content
    // bytes is refused instead of taking the serial for the language.
    Zuno::ZunoGeocodingA7 shortA7;
    EXPECT_LT(shortA7.decode(zt::frameOf(0xA7, "81 CC 01 02 27 BD AB CD EF " + kPhoneHex + " 01")), 0);
}

TEST(AddressRequest, LongFrameKeepsItsForm) {
    Zuno::ZunoGeocoding17 m;
    ASSERT_EQ(m.decode(zt::frameOf(0x17, "01 CC 00 27 BD 00 0F 77 " + kPhoneHex + " 00 01", true)), 0);
    EXPECT_EQ(m.begin, Zuno::kBeginLong);
    const auto again = encoded(m);
    EXPECT_EQ(again[2], 0x00);
    EXPECT_EQ(again[3], 36);
}

TEST(AddressReply, FrameFormFollowsTheAddressLength) {
    struct Case {
        size_t units;
        uint16_t begin;
        uint16_t len;
        uint16_t cmdSize;
    };
    const Case cases[] = {
        {0, Zuno::kBeginShort, 44, 38},
        {105, Zuno::kBeginShort, 254, 248},
        {106, Zuno::kBeginLong, 257, 250},
    };
    for (const Case& c : cases) {
        auto m = reply(c.units);
        m.begin = c.begin == Zuno::kBeginShort ? Zuno::kBeginLong : Zuno::kBeginShort; // chosen anew
        const auto frame = encoded(m);
        EXPECT_EQ(m.begin, c.begin) << c.units;
        EXPECT_EQ(m.len, c.len) << c.units;
        EXPECT_EQ(m.cmdSize, c.cmdSize) << c.units;
        Zuno::ZunoGeocoding17Resp back;
        ASSERT_EQ(back.decode(frame), 0) << c.units;
        EXPECT_EQ(back.address, m.address);
        EXPECT_EQ(back.cmdSize, c.cmdSize);
    }

    // The 0x97 reply writes the same two bytes per unit, so it reads back.
    Zuno::ZunoGeocoding97Resp en;
    en.tag = "ADDRESS";
    en.address = u"Main St 1";
    const auto frame = encoded(en);
    Zuno::ZunoGeocoding97Resp back;
    ASSERT_EQ(back.decode(frame), 0);
    EXPECT_EQ(back.address, u"Main St 1");
    EXPECT_EQ(back.command, 0x97);

    auto longPhone = reply(1);
    longPhone.phone = std::string(22, '1');
    std::vector<uint8_t> out;
    EXPECT_EQ(longPhone.encode(out), Zuno::kErrPhoneTooLong);
    EXPECT_TRUE(out.empty());
}

TEST(AddressReply, BadAddressLengths) {
    const std::string tail = " 26 26 " + kPhoneHex + " 23 23";
    struct Case {
        const char* what;
        std::string content;
        int rc;
    };
    const Case cases[] = {
        {"odd address byte count", "27 00 00 00 01 41 44 44 52 45 53 53 26 26 00 41 00" + tail, Zuno::kErrAddressLength},
        {"command length below its fixed part", "10 00 00 00 01 41 44 44 52 45 53 53 26 26" + tail,
         Zuno::kErrAddressLength},
        {"address past the frame", "60 00 00 00 01 41 44 44 52 45 53 53 26 26 00 41" + tail, Zuno::kErrAddressLength},
        // Separators and end mark are not compared.
        {"other separators", "28 00 00 00 01 41 44 44 52 45 53 53 2A 2A 00 41 2A 2A " + kPhoneHex + " 2A 2A", 0},
        {"eight-byte tag", "27 00 00 00 01 50 4F 53 49 54 49 4F 4E 26 26" + tail, 0},
    };
    for (const Case& c : cases) {
        Zuno::ZunoGeocoding17Resp m;
        EXPECT_EQ(m.decode(zt::frameOf(0x17, c.content)), c.rc) << c.what;
    }
    Zuno::ZunoGeocoding17Resp tag8;
    ASSERT_EQ(tag8.decode(zt::frameOf(0x17, cases[4].content)), 0);
    EXPECT_EQ(tag8.tag, "POSITION");
    EXPECT_TRUE(tag8.address.empty());
}
