// Multi-cell LBS reports (0x18, 0x28, 0x2E, 0xA1) and the 0x2E reply:
// catalogue rows and the rules the rows do not show.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/catalogue.h"
#include "protocol/lbs.h"
#include "protocol/location_util.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

std::vector<CatalogueRow> lbsRows() {
    return {
        {"Lbs28Example", makeOf<Zuno::ZunoLbsInfo28>(),
         "78 78 3B 28 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 05 00 01 00 01 C8 7B 0D 0A",
         "lbs_28_example.txt"},
        {"Lbs18Example", makeOf<Zuno::ZunoLbsInfo18>(),
         "78 78 3A 18 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01 00 01 C3 3C 0D 0A",
         "lbs_18_example.txt"},
        {"Lbs18Long", makeOf<Zuno::ZunoLbsInfo18>(),
         "79 79 00 3A 18 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01 00 01 A4 E6 0D 0A",
         "lbs_18_long.txt"},
        {"Lbs2E", makeOf<Zuno::ZunoLbsInfo2E>(),
         "78 78 3B 2E 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 05 00 01 00 02 16 2E 0D 0A",
         "lbs_2e.txt"},
        {"LbsA1Wide", makeOf<Zuno::ZunoLbsInfoA1>(),
         "78 78 3C A1 14 01 02 03 04 05 81 CC 00 01 12 34 00 AB CD 3C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 05 00 02 00 03 24 FB 0D 0A",
         "lbs_a1_wide.txt"},
        {"LbsA1Narrow", makeOf<Zuno::ZunoLbsInfoA1>(),
         "78 78 3B A1 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 05 00 01 00 03 07 B4 0D 0A",
         ""},
        {"LbsResp", makeOf<Zuno::ZunoLbsInfoResp>(),
         "78 78 05 2E 00 01 90 20 0D 0A",
         "lbs_resp.txt"},
        {"Lbs28Sample", makeOf<Zuno::ZunoLbsInfo28>(),
         "78 78 3B 28 10 01 0D 02 02 02 01 CC 00 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 28 7D 00 1E 23 2D 28 7D 00 1F 40 18 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF 00 02 00 05 B1 4B 0D 0A",
         "lbs_28_sample.txt"},
    };
}

const std::string kZeroCells = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                               "00 00 00 00 00 00 00 00";

// The message of the worked example: 2020-01-02 03:04:05, MCC 460, MNC 1,
// cell 1 = LAC 0x1234, cell id 0xABCD, RSSI 0x3C, the other cells zero.
template <class M>
void fillExample(M& m) {
    m.time = 0x140102030405ull;
    m.MCC = 460;
    m.MNC = 1;
    m.lists[0] = Zuno::CellRecord{0x1234, 0x00ABCD, 0x3C};
    m.language = 1;
    m.seq = 1;
}

Zuno::ZunoLbsInfo18* asLbs(Zuno::ZunoMSG* m) { return dynamic_cast<Zuno::ZunoLbsInfo18*>(m); }

} // namespace

INSTANTIATE_TEST_SUITE_P(Lbs, CatalogueTest, ::testing::ValuesIn(lbsRows()), catalogueName);

TEST(LbsInfo, WorkedExampleEncodesFromItsFields) {
    Zuno::ZunoLbsInfo28 m28;
    fillExample(m28);
    m28.timeOffset = 5;
    EXPECT_EQ(hex(zt::encodeFresh(m28)),
              "78 78 3B 28 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C " + kZeroCells + " 05 00 01 00 01 C8 7B 0D 0A");
    EXPECT_EQ(m28.len, 59);
    EXPECT_EQ(m28.crc, 0xC87B);

    Zuno::ZunoLbsInfo18 m18;
    fillExample(m18);
    EXPECT_EQ(hex(zt::encodeFresh(m18)),
              "78 78 3A 18 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C " + kZeroCells + " 00 01 00 01 C3 3C 0D 0A");

    Zuno::ZunoLbsInfoResp reply;
    reply.seq = 1;
    EXPECT_EQ(hex(zt::encodeFresh(reply)), "78 78 05 2E 00 01 90 20 0D 0A");

    // Decoding gives the fields back; the timing advance is the byte after the last cell.
    Zuno::ZunoLbsInfo28 back;
    ASSERT_EQ(back.decode(zt::encodeFresh(m28)), 0);
    EXPECT_EQ(back.time, m28.time);
    EXPECT_EQ(back.MCC, 460);
    EXPECT_EQ(back.MNC, 1);
    EXPECT_EQ(back.lists, m28.lists);
    EXPECT_EQ(back.timeOffset, 5);
    EXPECT_EQ(back.language, 1);
    EXPECT_EQ(back.seq, 1);
}

TEST(LbsInfo, MncWidthFollowsMccOnlyIn0xA1) {
    struct Case {
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        uint16_t MCC;
        uint8_t length;
        const char* mccMnc;
    };
    const Case cases[] = {
        {makeOf<Zuno::ZunoLbsInfo18>(), 0x81CC, 58, "81 CC 02"}, {makeOf<Zuno::ZunoLbsInfo28>(), 0x81CC, 59, "81 CC 02"},
        {makeOf<Zuno::ZunoLbsInfo2E>(), 0x81CC, 59, "81 CC 02"}, {makeOf<Zuno::ZunoLbsInfoA1>(), 0x81CC, 60, "81 CC 01 02"},
        {makeOf<Zuno::ZunoLbsInfoA1>(), 0x01CC, 59, "01 CC 02"},
    };
    for (const auto& c : cases) {
        auto m = c.make();
        asLbs(m.get())->MCC = c.MCC;
        asLbs(m.get())->MNC = 258;
        asLbs(m.get())->lists[6].RSSI = 0x77;
        asLbs(m.get())->language = 0x0102;
        const auto frame = zt::encodeFresh(*m);
        const std::string what = "command " + std::to_string(m->command);
        ASSERT_EQ(frame.size(), c.length + 5u) << what;
        EXPECT_EQ(frame[2], c.length) << what;
        const std::string mccMnc = c.mccMnc;
        EXPECT_EQ(hex({frame.begin() + 10, frame.begin() + 10 + (mccMnc.size() + 1) / 3}), mccMnc) << what;

        auto back = c.make();
        ASSERT_EQ(back->decode(frame), 0) << what;
        EXPECT_EQ(asLbs(back.get())->MCC, c.MCC) << what;
        EXPECT_EQ(asLbs(back.get())->MNC, c.length == 60 ? 258 : 2) << what;
        EXPECT_EQ(asLbs(back.get())->lists[6].RSSI, 0x77) << what;
        EXPECT_EQ(asLbs(back.get())->language, 0x0102) << what;
    }
}

TEST(LbsInfo, CellIdTravelsAsItsLow24Bits) {
    Zuno::ZunoLbsInfo28 m;
    m.lists[3] = Zuno::CellRecord{0xFFFF, 0xFFABCDEF, 0xFF};
    const auto frame = zt::encodeFresh(m);
    // cell 4 starts at content offset 9 + 3 * 6
    EXPECT_EQ(hex({frame.begin() + 4 + 27, frame.begin() + 4 + 33}), "FF FF AB CD EF FF");
    Zuno::ZunoLbsInfo28 back;
    ASSERT_EQ(back.decode(frame), 0);
    EXPECT_EQ(back.lists[3].CellID, 0x00ABCDEFu);
    EXPECT_EQ(back.lists[3].LAC, 0xFFFF);
}

TEST(LbsInfo, ContentShorterThanItsLayoutIsRefused) {
    const auto example = zt::contentOf(bytes("78 78 3B 28 14 01 02 03 04 05 01 CC 01 12 34 00 AB CD 3C " + kZeroCells +
                                             " 05 00 01 00 01 C8 7B 0D 0A")); // 54 bytes
    auto sized = [](std::vector<uint8_t> c, size_t n) {
        c.resize(n, 0);
        return c;
    };
    auto wide = example;
    wide[6] |= 0x80;
    wide.insert(wide.begin() + 8, 0x00); // 55 bytes
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        uint8_t command;
        std::vector<uint8_t> content;
        int expected;
    };
    const Case cases[] = {
        {"0x18 full", makeOf<Zuno::ZunoLbsInfo18>(), 0x18, sized(example, 53), 0},
        {"0x18 short", makeOf<Zuno::ZunoLbsInfo18>(), 0x18, sized(example, 52), Zuno::kErrContentShort},
        {"0x28 as 0x18", makeOf<Zuno::ZunoLbsInfo28>(), 0x28, sized(example, 53), Zuno::kErrContentShort},
        {"0x2E short", makeOf<Zuno::ZunoLbsInfo2E>(), 0x2E, sized(example, 53), Zuno::kErrContentShort},
        {"0xA1 narrow", makeOf<Zuno::ZunoLbsInfoA1>(), 0xA1, example, 0},
        {"0xA1 wide", makeOf<Zuno::ZunoLbsInfoA1>(), 0xA1, wide, 0},
        {"0xA1 wide short", makeOf<Zuno::ZunoLbsInfoA1>(), 0xA1, sized(wide, 54), Zuno::kErrContentShort},
        {"0x28 longer than its layout", makeOf<Zuno::ZunoLbsInfo28>(), 0x28, sized(example, 56), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.make()->decode(zt::frameAround(c.command, c.content, 3)), c.expected) << c.what;
}

TEST(LbsInfo, DumpShowsMncWidthOnlyIn0xA1) {
    Zuno::ZunoLbsInfo28 m28;
    Zuno::ZunoLbsInfoA1 a1;
    m28.MCC = a1.MCC = 0x81CC;
    m28.MNC = a1.MNC = 1;
    EXPECT_NE(m28.toString().find("    \"MNC\" : \"1 (0x01)\", \n"), std::string::npos);
    EXPECT_NE(a1.toString().find("    \"MNC\" : \"1 (0x0001)\", \n"), std::string::npos);
    m28.MNC = 0x1234;
    EXPECT_NE(m28.toString().find("    \"MNC\" : \"4660 (0x1234)\", \n"), std::string::npos);
    a1.MCC = 0x01CC;
    EXPECT_NE(a1.toString().find("    \"MNC\" : \"1 (0x01)\", \n"), std::string::npos);
}
