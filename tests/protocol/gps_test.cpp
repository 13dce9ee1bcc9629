// GPS location reports (0x10, 0x12, 0x22, 0x2D, 0x24, 0xA0), the location
// reply and 0x70: catalogue rows and the rules the rows do not show.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/catalogue.h"
#include "protocol/gps.h"
#include "protocol/location_util.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

std::vector<CatalogueRow> gpsRows() {
    return {
        {"Gps22Sample", makeOf<Zuno::ZunoGpsLoc22>(),
         "78 78 22 22 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 00 01 00 08 20 86 0D 0A",
         "gps_22_sample.txt"},
        {"Gps22Mileage", makeOf<Zuno::ZunoGpsLoc22>(),
         "78 78 26 22 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 00 01 00 00 00 64 00 08 D0 0B 0D 0A",
         "gps_22_mileage.txt"},
        {"Gps22ZeroMileage", makeOf<Zuno::ZunoGpsLoc22>(),
         "78 78 26 22 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 00 01 00 00 00 00 00 08 B6 27 0D 0A",
         "", false},
        {"Gps2D", makeOf<Zuno::ZunoGpsLoc2D>(),
         "78 78 26 2D 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 01 01 00 00 00 03 E8 00 09 09 64 0D 0A",
         "gps_2d.txt"},
        {"GpsA0Narrow", makeOf<Zuno::ZunoGpsLocA0>(),
         "78 78 22 A0 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 00 01 00 08 AC D8 0D 0A",
         "gps_a0_narrow.txt"},
        {"GpsA0Wide", makeOf<Zuno::ZunoGpsLocA0>(),
         "78 78 23 A0 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 81 CC 01 02 28 7D 00 1F 71 00 FF FF 00 03 1B 4E 0D 0A",
         "gps_a0_wide.txt"},
        {"GpsA0WideMileage", makeOf<Zuno::ZunoGpsLocA0>(),
         "78 78 27 A0 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 81 CC 01 02 28 7D 00 1F 71 00 00 01 00 01 00 00 00 04 E0 EF 0D 0A",
         ""},
        {"Gps10", makeOf<Zuno::ZunoGpsLoc10>(),
         "78 78 19 10 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 00 01 00 02 38 F1 0D 0A",
         "gps_10.txt"},
        {"Gps12", makeOf<Zuno::ZunoGpsLoc12>(),
         "78 78 1F 12 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 05 00 15 0D 0A",
         "gps_12.txt"},
        {"Gps24", makeOf<Zuno::ZunoGpsLoc24>(),
         "78 78 24 24 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 00 32 01 CC 00 28 7D 00 1F 71 01 00 00 00 06 98 9B 0D 0A",
         "gps_24.txt"},
        {"Gps24Mileage", makeOf<Zuno::ZunoGpsLoc24>(),
         "78 78 28 24 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 00 32 01 CC 00 28 7D 00 1F 71 01 00 00 00 00 00 64 00 06 C1 C6 0D 0A",
         "gps_24_mileage.txt"},
        {"GpsResp", makeOf<Zuno::ZunoGpsLocResp>(),
         "78 78 05 2D 00 01 7F 44 0D 0A",
         "gps_resp.txt"},
        {"Gps70", makeOf<Zuno::ZunoGpsLoc70>(),
         "78 78 05 70 00 07 66 EE 0D 0A",
         "gps_70.txt"},
    };
}

const char* kSample =
    "78 78 22 22 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 00 01 00 08 20 86 "
    "0D 0A";

// The fields of the sample frame, for building objects by hand.
template <class M>
void fillSample(M& m) {
    m.gpsTime = 0x0F0C1D023305ull;
    m.satellites = 0xC9;
    m.latitude = 41601048;
    m.longitude = 205936736;
    m.speed = 0;
    m.directStatus.isLocated = 1;
    m.directStatus.latiDirection = 1;
    m.MCC = 460;
    m.MNC = 0;
    m.LAC = 10365;
    m.CellID = 8049;
    m.ACC = 0;
    m.postModel = 0;
    m.postStatus = 1;
    m.seq = 8;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Gps, CatalogueTest, ::testing::ValuesIn(gpsRows()), catalogueName);

TEST(GpsLoc22, SampleFrameDecodesToItsFields) {
    Zuno::ZunoGpsLoc22 m;
    ASSERT_EQ(m.decode(bytes(kSample)), 0);
    EXPECT_EQ(m.len, 34);
    EXPECT_EQ(m.command, 0x22);
    EXPECT_EQ(m.gpsTime, 0x0F0C1D023305ull);
    EXPECT_EQ(m.satellites, 0xC9);
    EXPECT_EQ(m.latitude, 41601048u);
    EXPECT_EQ(m.longitude, 205936736u);
    EXPECT_EQ(m.speed, 0);
    EXPECT_EQ(Zuno::toWord(m.directStatus), 0x1400);
    EXPECT_EQ(m.directStatus.isLocated, 1);
    EXPECT_EQ(m.directStatus.latiDirection, 1);
    EXPECT_EQ(m.MCC, 460);
    EXPECT_EQ(m.MNC, 0);
    EXPECT_EQ(m.LAC, 10365);
    EXPECT_EQ(m.CellID, 8049u);
    EXPECT_EQ(m.ACC, 0);
    EXPECT_EQ(m.postModel, 0);
    EXPECT_EQ(m.postStatus, 1);
    EXPECT_EQ(m.duration, 0u);
    EXPECT_EQ(m.seq, 8);
    EXPECT_EQ(m.crc, 0x2086);

    Zuno::ZunoGpsLoc22 built;
    fillSample(built);
    EXPECT_EQ(hex(zt::encodeFresh(built)), hex(bytes(kSample)));
    EXPECT_EQ(built.len, 34);
    EXPECT_EQ(built.crc, 0x2086);
}

TEST(GpsLoc, NewObjectsStartWithTheirNumberAndUnsetUploadFields) {
    struct Case {
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        uint8_t command;
    };
    const Case cases[] = {
        {makeOf<Zuno::ZunoGpsLoc10>(), 0x10},  {makeOf<Zuno::ZunoGpsLoc12>(), 0x12},
        {makeOf<Zuno::ZunoGpsLoc22>(), 0x22},  {makeOf<Zuno::ZunoGpsLoc2D>(), 0x2D},
        {makeOf<Zuno::ZunoGpsLoc24>(), 0x24},  {makeOf<Zuno::ZunoGpsLocA0>(), 0xA0},
        {makeOf<Zuno::ZunoGpsLocResp>(), 0x2D}, {makeOf<Zuno::ZunoGpsLoc70>(), 0x70},
    };
    for (const auto& c : cases) {
        const auto m = c.make();
        EXPECT_EQ(m->command, c.command);
        EXPECT_EQ(m->begin, 0x7878);
        EXPECT_EQ(m->stop, 0x0D0A);
    }
    Zuno::ZunoGpsLoc22 a;
    Zuno::ZunoGpsLoc2D b;
    Zuno::ZunoGpsLocA0 c;
    Zuno::ZunoGpsLoc24 d;
    for (uint8_t v : {a.postModel, a.postStatus, b.postModel, b.postStatus, c.postModel, c.postStatus, d.postModel,
                      d.postStatus})
        EXPECT_EQ(v, 0xFF);
    EXPECT_NE(a.toString().find("\"postModel\" : \"未知 (0xff)\", \n"), std::string::npos);
    EXPECT_NE(d.toString().find("\"postStatus\" : \"未知 (0xff)\", \n"), std::string::npos);
}

TEST(GpsLoc, MileageIsSentOnlyWhenNotZero) {
    struct Case {
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        uint32_t duration;
        uint8_t length;
    };
    const Case cases[] = {
        {makeOf<Zuno::ZunoGpsLoc22>(), 0, 0x22}, {makeOf<Zuno::ZunoGpsLoc22>(), 100, 0x26},
        {makeOf<Zuno::ZunoGpsLoc2D>(), 0, 0x22}, {makeOf<Zuno::ZunoGpsLoc2D>(), 7, 0x26},
        {makeOf<Zuno::ZunoGpsLocA0>(), 0, 0x22}, {makeOf<Zuno::ZunoGpsLocA0>(), 100, 0x26},
        {makeOf<Zuno::ZunoGpsLoc24>(), 0, 0x24}, {makeOf<Zuno::ZunoGpsLoc24>(), 0xFFFFFFFF, 0x28},
    };
    for (const auto& c : cases) {
        auto m = c.make();
        uint32_t* duration = nullptr;
        if (auto* g = dynamic_cast<Zuno::ZunoGpsLoc22*>(m.get())) duration = &g->duration;
        if (auto* g = dynamic_cast<Zuno::ZunoGpsLoc24*>(m.get())) duration = &g->duration;
        ASSERT_TRUE(duration);
        *duration = c.duration;
        const std::string what = "command " + std::to_string(m->command) + ", mileage " + std::to_string(c.duration);

        const auto frame = zt::encodeFresh(*m);
        ASSERT_EQ(frame.size(), c.length + 5u) << what;
        EXPECT_EQ(frame[2], c.length) << what;
        EXPECT_EQ(frame[3], m->command) << what;
        EXPECT_EQ(m->len, c.length) << what;
        if (c.duration) {
            const std::vector<uint8_t> mileage(frame.end() - 10, frame.end() - 6);
            EXPECT_EQ(mileage, (std::vector<uint8_t>{uint8_t(c.duration >> 24), uint8_t(c.duration >> 16),
                                                     uint8_t(c.duration >> 8), uint8_t(c.duration)}))
                << what;
        }
        *duration = 12345; // decode must set it, present or not
        ASSERT_EQ(m->decode(frame), 0) << what;
        EXPECT_EQ(*duration, c.duration) << what;
    }

    // Mileage 0 on the wire decodes to 0 and is left out when encoded again.
    auto content = zt::contentOf(bytes(kSample));
    content.insert(content.end(), {0, 0, 0, 0});
    const auto zeroMileage = zt::frameAround(0x22, content, 8);
    Zuno::ZunoGpsLoc22 z;
    ASSERT_EQ(z.decode(zeroMileage), 0);
    EXPECT_EQ(z.len, 0x26);
    EXPECT_EQ(z.duration, 0u);
    EXPECT_EQ(hex(zt::encodeFresh(z)), kSample);
}

// Fixed layouts must fit before the serial that the length field places,
// and a length field that announces a mileage must leave room for it.
TEST(GpsLoc, ContentShorterThanItsLayoutIsRefused) {
    const auto sample = zt::contentOf(bytes(kSample)); // 29 bytes of 0x22
    auto cut = [](std::vector<uint8_t> c, size_t n) {
        c.resize(n);
        return c;
    };
    auto with = [](std::vector<uint8_t> c, std::initializer_list<uint8_t> more) {
        c.insert(c.end(), more);
        return c;
    };
    auto wide = sample; // MCC bit 15 set: one more MNC byte for 0xA0
    wide[18] |= 0x80;
    wide.insert(wide.begin() + 20, 0x00);
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        uint8_t command;
        std::vector<uint8_t> content;
        int expected;
    };
    const Case cases[] = {
        {"0x10 full", makeOf<Zuno::ZunoGpsLoc10>(), 0x10, cut(sample, 20), 0},
        {"0x10 short", makeOf<Zuno::ZunoGpsLoc10>(), 0x10, cut(sample, 19), Zuno::kErrContentShort},
        {"0x12 full", makeOf<Zuno::ZunoGpsLoc12>(), 0x12, cut(sample, 26), 0},
        {"0x12 short", makeOf<Zuno::ZunoGpsLoc12>(), 0x12, cut(sample, 25), Zuno::kErrContentShort},
        {"0x22 as 0x12", makeOf<Zuno::ZunoGpsLoc22>(), 0x22, cut(sample, 26), Zuno::kErrContentShort},
        {"0x22 short", makeOf<Zuno::ZunoGpsLoc22>(), 0x22, cut(sample, 28), Zuno::kErrContentShort},
        {"0x22 one mileage byte", makeOf<Zuno::ZunoGpsLoc22>(), 0x22, with(sample, {1}), Zuno::kErrContentShort},
        {"0x22 three mileage bytes", makeOf<Zuno::ZunoGpsLoc22>(), 0x22, with(sample, {1, 2, 3}), Zuno::kErrContentShort},
        {"0x2D three mileage bytes", makeOf<Zuno::ZunoGpsLoc2D>(), 0x2D, with(sample, {1, 2, 3}), Zuno::kErrContentShort},
        {"0x24 as 0x22", makeOf<Zuno::ZunoGpsLoc24>(), 0x24, with(sample, {0, 0}), 0},
        {"0x24 short", makeOf<Zuno::ZunoGpsLoc24>(), 0x24, with(sample, {0}), Zuno::kErrContentShort},
        {"0x24 two mileage bytes", makeOf<Zuno::ZunoGpsLoc24>(), 0x24, with(sample, {0, 0, 1, 2}), Zuno::kErrContentShort},
        {"0xA0 narrow", makeOf<Zuno::ZunoGpsLocA0>(), 0xA0, sample, 0},
        {"0xA0 wide", makeOf<Zuno::ZunoGpsLocA0>(), 0xA0, wide, 0},
        {"0xA0 wide short", makeOf<Zuno::ZunoGpsLocA0>(), 0xA0, cut(wide, 29), Zuno::kErrContentShort},
        {"0xA0 wide, three mileage bytes", makeOf<Zuno::ZunoGpsLocA0>(), 0xA0, with(wide, {1, 2, 3}), Zuno::kErrContentShort},
        {"0x22 with bit 15 is not widened", makeOf<Zuno::ZunoGpsLoc22>(), 0x22, cut(wide, 29), 0},
    };
    for (const auto& c : cases) {
        auto m = c.make();
        EXPECT_EQ(m->decode(zt::frameAround(c.command, c.content, 3)), c.expected) << c.what;
        if (c.expected == 0) {
            EXPECT_EQ(m->seq, 3) << c.what;
        }
    }
}

TEST(GpsLoc, MncWidthFollowsMccOnlyIn0xA0) {
    struct Case {
        std::function<std::unique_ptr<Zuno::ZunoMSG>()> make;
        uint16_t MCC;
        size_t mccAt; // frame offset of MCC
        const char* written;
    };
    const Case cases[] = {
        {makeOf<Zuno::ZunoGpsLoc12>(), 0x81CC, 22, "81 CC 02"}, {makeOf<Zuno::ZunoGpsLoc22>(), 0x81CC, 22, "81 CC 02"},
        {makeOf<Zuno::ZunoGpsLoc2D>(), 0x81CC, 22, "81 CC 02"}, {makeOf<Zuno::ZunoGpsLoc24>(), 0x81CC, 24, "81 CC 02"},
        {makeOf<Zuno::ZunoGpsLocA0>(), 0x81CC, 22, "81 CC 01 02"}, {makeOf<Zuno::ZunoGpsLocA0>(), 0x01CC, 22, "01 CC 02"},
    };
    for (const auto& c : cases) {
        auto m = c.make();
        auto* g = dynamic_cast<Zuno::ZunoGpsLoc12*>(m.get());
        ASSERT_TRUE(g);
        g->MCC = c.MCC;
        g->MNC = 258;
        const auto frame = zt::encodeFresh(*m);
        const std::string written = c.written;
        const size_t n = (written.size() + 1) / 3;
        EXPECT_EQ(hex(std::vector<uint8_t>(frame.begin() + c.mccAt, frame.begin() + c.mccAt + n)), written)
            << "command " << int(m->command);
        auto back = c.make();
        ASSERT_EQ(back->decode(frame), 0);
        auto* b = dynamic_cast<Zuno::ZunoGpsLoc12*>(back.get());
        EXPECT_EQ(b->MCC, c.MCC);
        EXPECT_EQ(b->MNC, n == 4 ? 258 : 2);
        EXPECT_EQ(b->LAC, 0);
    }
}

TEST(GpsLoc, DumpTextsOfAccAndMncWidth) {
    struct Case {
        uint8_t ACC;
        const char* line;
    };
    for (const Case& c : {Case{1, "    \"ACC\" : \"High (0x01)\", \n"}, Case{2, "    \"ACC\" : \"Low (0x02)\", \n"},
                          Case{0, "    \"ACC\" : \"Low (0x00)\", \n"}}) {
        Zuno::ZunoGpsLoc24 m;
        m.ACC = c.ACC;
        EXPECT_NE(m.toString().find(c.line), std::string::npos) << int(c.ACC);
    }
    Zuno::ZunoGpsLoc22 narrow;
    Zuno::ZunoGpsLocA0 wide;
    narrow.MCC = wide.MCC = 0x81CC;
    narrow.MNC = wide.MNC = 2;
    EXPECT_NE(narrow.toString().find("    \"MNC\" : \"2 (0x02)\", \n"), std::string::npos);
    EXPECT_NE(wide.toString().find("    \"MNC\" : \"2 (0x0002)\", \n"), std::string::npos);
    wide.MCC = 0x01CC;
    EXPECT_NE(wide.toString().find("    \"MNC\" : \"2 (0x02)\", \n"), std::string::npos);
}
