// WiFi location reports (0x2C, 0xA2, 0xC3) and their WiFi lists: catalogue
// rows and the rules the rows do not show.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/catalogue.h"
#include "protocol/location_util.h"
#include "protocol/wifi.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

std::vector<CatalogueRow> wifiRows() {
    return {
        {"WifiC3Example", makeOf<Zuno::ZunoWifiLocC3>(),
         "78 78 1E C3 14 03 0A 0B 0C 0D C8 02 69 FB 20 0C 3B 0A 80 14 54 01 11 22 33 44 55 66 50 00 01 FD 1E 0D 0A",
         "wifi_c3_example.txt"},
        {"WifiC3CountBelowLength", makeOf<Zuno::ZunoWifiLocC3>(),
         "78 78 25 C3 14 03 0A 0B 0C 0D C8 02 69 FB 20 0C 3B 0A 80 14 54 01 11 22 33 44 55 66 50 0A 1B 2C 3D 4E 5F 7F 00 01 ED 98 0D 0A",
         "", false},
        {"WifiC3Empty", makeOf<Zuno::ZunoWifiLocC3>(),
         "78 78 17 C3 14 03 0A 0B 0C 0D C8 02 69 FB 20 0C 3B 0A 80 14 54 00 00 02 65 A6 0D 0A",
         "wifi_c3_empty.txt"},
        {"Wifi2CThree", makeOf<Zuno::ZunoWifiLoc2C>(),
         "78 78 4F 2C 14 01 02 03 04 05 01 CC 00 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 07 03 0A 1B 2C 3D 4E 5F 50 11 22 33 44 55 66 FF 00 00 00 AB CD EF 00 00 04 60 67 0D 0A",
         "wifi_2c_three.txt"},
        {"Wifi2CEmpty", makeOf<Zuno::ZunoWifiLoc2C>(),
         "78 78 3A 2C 14 01 02 03 04 05 01 CC 00 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 07 00 00 04 3D 65 0D 0A",
         "wifi_2c_empty.txt"},
        {"Wifi2CLong", makeOf<Zuno::ZunoWifiLoc2C>(),
         "79 79 00 41 2C 14 01 02 03 04 05 01 CC 00 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 07 01 0A 1B 2C 3D 4E 5F 50 00 04 BC 61 0D 0A",
         ""},
        {"WifiA2Wide", makeOf<Zuno::ZunoWifiInfoA2>(),
         "78 78 42 A2 14 01 02 03 04 05 81 CC 00 01 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 07 01 11 22 33 44 55 66 FF 00 05 0D 95 0D 0A",
         "wifi_a2_wide.txt"},
        {"WifiA2Narrow", makeOf<Zuno::ZunoWifiInfoA2>(),
         "78 78 41 A2 14 01 02 03 04 05 01 CC 01 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 07 01 11 22 33 44 55 66 FF 00 05 F8 DF 0D 0A",
         ""},
    };
}

const char* kC3Example =
    "78 78 1E C3 14 03 0A 0B 0C 0D C8 02 69 FB 20 0C 3B 0A 80 14 54 01 11 22 33 44 55 66 50 00 01 FD 1E 0D 0A";

Zuno::WifiList entries(size_t n) {
    Zuno::WifiList list;
    for (size_t i = 0; i < n; ++i) list.emplace_back(0x100000000000ull + i, static_cast<uint8_t>(i));
    return list;
}

Zuno::WifiList* listOf(Zuno::ZunoMSG* m) {
    if (auto* a = dynamic_cast<Zuno::ZunoWifiLoc2C*>(m)) return &a->wifiArray;
    if (auto* c = dynamic_cast<Zuno::ZunoWifiLocC3*>(m)) return &c->wifiArray;
    return nullptr;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Wifi, CatalogueTest, ::testing::ValuesIn(wifiRows()), catalogueName);

TEST(WifiLocC3, WorkedExampleEncodesFromItsFields) {
    Zuno::ZunoWifiLocC3 m;
    m.time = 0x14030A0B0C0Dull;
    m.satellites = 0xC8;
    m.latitude = 0x0269FB20;
    m.longitude = 0x0C3B0A80;
    Zuno::fromWord(m.directStatus, 0x1454);
    m.wifiArray = {{0x112233445566ull, 0x50}};
    m.seq = 1;
    EXPECT_EQ(hex(zt::encodeFresh(m)), kC3Example);
    EXPECT_EQ(m.len, 30);
    EXPECT_EQ(m.crc, 0xFD1E);

    Zuno::ZunoWifiLocC3 back;
    ASSERT_EQ(back.decode(bytes(kC3Example)), 0);
    EXPECT_EQ(back.time, m.time);
    EXPECT_EQ(back.satellites, 0xC8);
    EXPECT_EQ(back.latitude, m.latitude);
    EXPECT_EQ(back.longitude, m.longitude);
    EXPECT_EQ(Zuno::toWord(back.directStatus), 0x1454);
    EXPECT_EQ(back.wifiArray, m.wifiArray);
    EXPECT_EQ(back.seq, 1);
    EXPECT_EQ(back.len, 30);
    EXPECT_EQ(back.crc, 0xFD1E);
}

// Decode trusts the count byte: fewer entries than the length field covers
// are read and the serial follows them; more than the frame holds is refused.
TEST(WifiLoc, CountByteAgainstLengthField) {
    auto content = zt::contentOf(bytes(kC3Example));
    content.insert(content.end(), {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F, 0x7F});
    Zuno::ZunoWifiLocC3 fewer;
    ASSERT_EQ(fewer.decode(zt::frameAround(0xC3, content, 1)), 0); // count 1, room for 2
    ASSERT_EQ(fewer.wifiArray.size(), 1u);
    EXPECT_EQ(fewer.wifiArray[0], (Zuno::WifiEntry{0x112233445566ull, 0x50}));
    EXPECT_EQ(fewer.seq, 0x0A1B);

    content[17] = 3; // count 3, room for 2
    Zuno::ZunoWifiLocC3 more;
    EXPECT_EQ(more.decode(zt::frameAround(0xC3, content, 1)), Zuno::kErrContentShort);

    Zuno::ZunoWifiLoc2C m2c;
    m2c.wifiArray = entries(2);
    auto frame = zt::encodeFresh(m2c);
    frame[4 + 52] = 0xFF; // count byte far beyond the frame
    frame = zt::frameAround(0x2C, zt::contentOf(frame), 0);
    EXPECT_EQ(Zuno::ZunoWifiLoc2C().decode(frame), Zuno::kErrContentShort);
}

TEST(WifiLoc, LengthFollowsTheEntriesAndTheMncWidth) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        uint16_t MCC;
        size_t count;
        unsigned length;
    };
    const Case cases[] = {
        {"0x2C empty", makeOf<Zuno::ZunoWifiLoc2C>(), 0x01CC, 0, 58},
        {"0x2C three", makeOf<Zuno::ZunoWifiLoc2C>(), 0x01CC, 3, 79},
        {"0x2C bit 15 still one MNC byte", makeOf<Zuno::ZunoWifiLoc2C>(), 0x81CC, 3, 79},
        {"0xA2 empty", makeOf<Zuno::ZunoWifiInfoA2>(), 0x01CC, 0, 58},
        {"0xA2 empty, two MNC bytes", makeOf<Zuno::ZunoWifiInfoA2>(), 0x81CC, 0, 59},
        {"0xA2 three, two MNC bytes", makeOf<Zuno::ZunoWifiInfoA2>(), 0x81CC, 3, 80},
        {"0xC3 empty", makeOf<Zuno::ZunoWifiLocC3>(), 0, 0, 23},
        {"0xC3 three", makeOf<Zuno::ZunoWifiLocC3>(), 0, 3, 44},
        {"0x2C most in a short frame", makeOf<Zuno::ZunoWifiLoc2C>(), 0x01CC, 28, 254},
        {"0xA2 most in a short frame", makeOf<Zuno::ZunoWifiInfoA2>(), 0x81CC, 28, 255},
        {"0xC3 most in a short frame", makeOf<Zuno::ZunoWifiLocC3>(), 0, 33, 254},
    };
    for (const auto& c : cases) {
        auto m = c.make();
        if (auto* a = dynamic_cast<Zuno::ZunoWifiLoc2C*>(m.get())) {
            a->MCC = c.MCC;
            a->MNC = 0x0102;
        }
        *listOf(m.get()) = entries(c.count);
        const auto frame = zt::encodeFresh(*m);
        ASSERT_EQ(frame.size(), c.length + 5u) << c.what;
        EXPECT_EQ(frame[2], c.length) << c.what;
        EXPECT_EQ(m->len, c.length) << c.what;

        auto back = c.make();
        ASSERT_EQ(back->decode(frame), 0) << c.what;
        EXPECT_EQ(*listOf(back.get()), entries(c.count)) << c.what;
        EXPECT_EQ(hex(zt::encodeFresh(*back)), hex(frame)) << c.what;
    }
}

// A list that its frame cannot carry is refused: nothing is appended and the
// object keeps its length and CRC.
TEST(WifiLoc, ListsBeyondTheCountByteOrLengthFieldAreRefused) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        bool longFrame;
        size_t count;
        int expected;
    };
    const Case cases[] = {
        {"0x2C short, 29 entries", makeOf<Zuno::ZunoWifiLoc2C>(), false, 29, Zuno::kErrLengthOverflow},
        {"0xA2 short, 29 entries", makeOf<Zuno::ZunoWifiInfoA2>(), false, 29, Zuno::kErrLengthOverflow},
        {"0xC3 short, 34 entries", makeOf<Zuno::ZunoWifiLocC3>(), false, 34, Zuno::kErrLengthOverflow},
        {"0x2C long, 255 entries", makeOf<Zuno::ZunoWifiLoc2C>(), true, 255, 0},
        {"0x2C long, 256 entries", makeOf<Zuno::ZunoWifiLoc2C>(), true, 256, Zuno::kErrLengthOverflow},
        {"0xC3 long, 300 entries", makeOf<Zuno::ZunoWifiLocC3>(), true, 300, Zuno::kErrLengthOverflow},
    };
    for (const auto& c : cases) {
        auto m = c.make();
        if (c.longFrame) m->begin = Zuno::kBeginLong;
        *listOf(m.get()) = entries(c.count);
        m->len = 0x1234;
        m->crc = 0x5678;
        std::vector<uint8_t> out{0xAA};
        EXPECT_EQ(m->encode(out), c.expected) << c.what;
        if (c.expected != 0) {
            EXPECT_EQ(out, std::vector<uint8_t>{0xAA}) << c.what;
            EXPECT_EQ(m->len, 0x1234) << c.what;
            EXPECT_EQ(m->crc, 0x5678) << c.what;
        } else {
            std::vector<uint8_t> frame(out.begin() + 1, out.end());
            EXPECT_EQ(frame[4 + 52 + 1], 0xFF) << c.what; // count byte of 0x2C in a long frame
            auto back = c.make();
            ASSERT_EQ(back->decode(frame), 0) << c.what;
            EXPECT_EQ(*listOf(back.get()), entries(c.count)) << c.what;
        }
    }
}

TEST(WifiLoc, EntriesCarryTheLow48BitsOfTheMac) {
    Zuno::ZunoWifiLoc2C m;
    m.wifiArray = {{0x0000AABBCCDDEEFFull, 1}, {0xFFFF010203040506ull, 0xFF}};
    const auto frame = zt::encodeFresh(m);
    EXPECT_EQ(hex({frame.begin() + 4 + 53, frame.begin() + 4 + 53 + 14}),
              "AA BB CC DD EE FF 01 01 02 03 04 05 06 FF");
    Zuno::ZunoWifiLoc2C back;
    back.wifiArray = entries(5); // a decode replaces what the list held
    ASSERT_EQ(back.decode(frame), 0);
    EXPECT_EQ(back.wifiArray, (Zuno::WifiList{{0xAABBCCDDEEFFull, 1}, {0x010203040506ull, 255}}));
}

TEST(WifiLoc, DumpOfLongAndEmptyLists) {
    Zuno::ZunoWifiLoc2C m;
    m.wifiArray = entries(300); // possible only in memory
    const std::string text = m.toString();
    EXPECT_NE(text.find("    \"wifiCount\" : \"300 (0x12c)\", \n"), std::string::npos);
    auto count = [&](const std::string& piece) {
        size_t n = 0;
        for (size_t p = text.find(piece); p != std::string::npos; p = text.find(piece, p + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("\"MAC\""), 300u);
    // Closings with a comma: cells 1 to 6 and entries 1 to 299; without: cell 7 and entry 300.
    EXPECT_EQ(count("        }, \n"), 6u + 299u);
    EXPECT_EQ(count("        } \n    ], \n"), 2u);

    Zuno::ZunoWifiInfoA2 a2;
    a2.MCC = 0x81CC;
    a2.MNC = 1;
    const std::string empty = a2.toString();
    EXPECT_NE(empty.find("    \"MNC\" : \"1 (0x0001)\", \n"), std::string::npos);
    EXPECT_NE(empty.find("    \"wifiCount\" : \"0 (0x00)\", \n    \"wifiArray\" : [\n    ], \n"), std::string::npos);
}
