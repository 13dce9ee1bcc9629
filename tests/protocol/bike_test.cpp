// Bike reports 0x32 and 0x33 with their sections, and their replies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/bike.h"
#include "protocol/catalogue.h"
#include "location_util.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

std::vector<CatalogueRow> bikeRows() {
    return {
        {"bike32_example", makeOf<Zuno::ZunoBikeLoc32>(),
         "78 78 1B 32 13 01 0F 08 1E 00 00 00 00 07 11 22 33 44 55 66 50 FF 03 00 01 00 00 02 F3 26 0D 0A",
         "bike32_example.txt"},
        {"bike32_empty", makeOf<Zuno::ZunoBikeLoc32>(),
         "78 78 11 32 13 01 0F 08 1E 00 00 00 00 00 FF 00 00 03 3F 22 0D 0A",
         "bike32_empty.txt"},
        {"bike33_full", makeOf<Zuno::ZunoBikeAlert33>(),
         "78 78 60 33 13 01 0F 08 1E 00 0C 0C 02 69 FB 20 0C 39 93 E0 19 2C 5A 09 81 CC 02 28 7D 00 1F 71 46 24 10 01 0A 0B 00 30 10 02 0A 0B 01 31 10 03 0A 0B 02 32 10 04 0A 0B 03 33 10 05 0A 0B 04 34 10 06 0A 0B 05 35 0E 0A 1B 2C 3D 4E 5F FF 00 00 00 00 12 34 41 01 08 01 02 01 00 01 02 03 E8 00 04 61 F9 0D 0A",
         "bike33_full.txt"},
        {"bike32_long_ext6", makeOf<Zuno::ZunoBikeLoc32>(),
         "79 79 00 20 32 13 01 0F 08 1E 00 00 09 81 CC 02 28 7D 00 1F 71 46 00 00 02 06 01 02 01 00 01 02 00 05 34 08 0D 0A",
         "bike32_long_ext6.txt"},
        {"bike32_resp", makeOf<Zuno::ZunoBikeLoc32Resp>(),
         "78 78 05 32 00 07 D5 20 0D 0A",
         "bike32_resp.txt"},
        {"bike33_resp", makeOf<Zuno::ZunoBikeAlert33Resp>(),
         "78 78 05 33 00 08 77 0B 0D 0A",
         "bike33_resp.txt"},
    };
}

const std::vector<uint8_t> kTime = {0x13, 0x01, 0x0F, 0x08, 0x1E, 0x00};

} // namespace

INSTANTIATE_TEST_SUITE_P(Bike, CatalogueTest, ::testing::ValuesIn(bikeRows()), catalogueName);

TEST(BikeEncode, WorkedExample) {
    Zuno::ZunoBikeLoc32 m;
    m.time = 0x13010F081E00;
    m.wifiArray = {{0x112233445566, 0x50}};
    m.extSize = 3;
    m.bluetoothFlag = 1;
    m.seq = 2;
    EXPECT_EQ(hex(zt::encodeFresh(m)), "78 78 1B 32 13 01 0F 08 1E 00 00 00 00 07 11 22 33 44 55 66 50 FF 03 00 01 00 00 02 F3 26 0D 0A");
    EXPECT_EQ(m.len, 27);
    EXPECT_EQ(m.crc, 0xF326);

    Zuno::ZunoBikeLoc32Resp reply;
    reply.seq = 7;
    EXPECT_EQ(hex(zt::encodeFresh(reply)), "78 78 05 32 00 07 D5 20 0D 0A");
}

// A section goes on the wire only for the length that announces it; other
// lengths are still written as held, and the length field counts what was
// written.
TEST(BikeEncode, SectionsFollowTheirLengthBytes) {
    struct Case {
        const char* what;
        uint8_t gpsSize, master, slave, ext;
        std::string content; // after the date-time
    };
    const Case cases[] = {
        {"all absent", 0, 0, 0, 0, "00 00 00 00 FF 00"},
        {"GPS length 11", 11, 0, 0, 0, "0B 00 00 00 FF 00"},
        {"GPS", 12, 0, 0, 0, "0C C5 02 69 FB 20 0C 39 93 E0 3C 15 32 00 00 00 FF 00"},
        {"serving cell length 5", 0, 5, 0, 0, "00 05 00 00 FF 00"},
        {"serving cell", 0, 9, 0, 0, "00 09 81 CC 02 28 7D 00 1F 71 46 00 00 FF 00"},
        {"neighbours length 35", 0, 0, 35, 0, "00 00 23 00 FF 00"},
        {"extension 3", 0, 0, 0, 3, "00 00 00 00 FF 03 01 02 01"},
        {"extension 4", 0, 0, 0, 4, "00 00 00 00 FF 04 01 02 01"},
        {"extension 6", 0, 0, 0, 6, "00 00 00 00 FF 06 01 02 01 00 01 02"},
        {"extension 7", 0, 0, 0, 7, "00 00 00 00 FF 07 01 02 01 00 01 02"},
        {"extension 8", 0, 0, 0, 8, "00 00 00 00 FF 08 01 02 01 00 01 02 03 E8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Zuno::ZunoBikeLoc32 m;
        m.time = 0x13010F081E00;
        // Every member filled: only the length bytes decide what is sent.
        m.satellites = 0xC5;
        m.latitude = 40500000;
        m.longitude = 205100000;
        m.speed = 60;
        m.directStatus = Zuno::directionAndStatOf(0x1532);
        m.MCC = 0x81CC;
        m.MNC = 0x0102;
        m.LAC = 10365;
        m.CellID = 8049;
        m.RSSI = 0x46;
        m.lists[0].LAC = 0x1234;
        m.bluetoothFlag = 0x0102;
        m.bluetoothStatus = 1;
        m.userID = 0x01000102; // 24 bits sent
        m.distance = 1000;
        m.gpsSize = c.gpsSize;
        m.lbsMasterSize = c.master;
        m.lbsSlaveSize = c.slave;
        m.extSize = c.ext;
        const auto frame = zt::encodeFresh(m);
        const auto content = zt::contentOf(frame);
        EXPECT_EQ(hex(std::vector<uint8_t>(content.begin() + 6, content.end())), c.content);
        EXPECT_EQ(frame[2], content.size() + 5);
    }
}

TEST(BikeEncode, WifiListMustFitItsLengthByte) {
    Zuno::ZunoBikeAlert33 m;
    m.time = 0x13010F081E00;
    m.begin = Zuno::kBeginLong; // 36 entries need the two-byte length field
    m.wifiArray.assign(36, {0x112233445566, 0x50});
    const auto frame = zt::encodeFresh(m);
    EXPECT_EQ(frame[5 + 9], 252); // after the date-time and three length bytes

    m.wifiArray.assign(37, {0x112233445566, 0x50});
    std::vector<uint8_t> out;
    const uint16_t lenBefore = m.len;
    EXPECT_EQ(m.encode(out), Zuno::kErrLengthOverflow);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(m.len, lenBefore);

    // 25 entries fit the byte, but not a short frame with every section.
    m.begin = Zuno::kBeginShort;
    m.wifiArray.assign(25, {0x112233445566, 0x50});
    m.gpsSize = 12;
    m.lbsMasterSize = 9;
    m.lbsSlaveSize = 36;
    m.extSize = 8;
    EXPECT_EQ(m.encode(out), Zuno::kErrLengthOverflow);
    m.begin = Zuno::kBeginLong;
    EXPECT_EQ(m.encode(out), 0);
    EXPECT_EQ(m.len, 82 + 7 * 25);
}

// Each length byte that fails its test is kept, and the reading stops there:
// members after it keep what they held.
TEST(BikeDecode, UnknownSectionLengths) {
    struct Case {
        const char* what;
        std::string afterTime;
        int result;
    };
    const Case cases[] = {
        {"GPS length 11", "0B", -5},
        {"serving cell length 8", "00 08", -6},
        {"neighbour length 6", "00 00 06", -7},
        {"WiFi length 15", "00 00 00 0F", -8},
        {"extension 4", "00 00 00 00 02 04 00 00 00 00", -9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto content = kTime;
        const auto rest = bytes(c.afterTime);
        content.insert(content.end(), rest.begin(), rest.end());
        for (const bool alarm : {false, true}) {
            const auto frame = zt::frameAround(alarm ? 0x33 : 0x32, content, 0x0101);
            std::unique_ptr<Zuno::ZunoMSG> msg;
            if (alarm) msg = std::make_unique<Zuno::ZunoBikeAlert33>();
            else msg = std::make_unique<Zuno::ZunoBikeLoc32>();
            EXPECT_EQ(msg->decode(frame), c.result);
            const auto& f = alarm ? static_cast<const Zuno::BikeReportFields&>(
                                        static_cast<Zuno::ZunoBikeAlert33&>(*msg))
                                  : static_cast<const Zuno::BikeReportFields&>(static_cast<Zuno::ZunoBikeLoc32&>(*msg));
            EXPECT_EQ(f.time, 0x13010F081E00u);
            EXPECT_EQ(msg->seq, 0); // not reached
            EXPECT_EQ(msg->command, alarm ? 0x33 : 0x32);
            switch (c.result) {
            case -5: EXPECT_EQ(f.gpsSize, 11); EXPECT_EQ(f.lbsMasterSize, 0); break;
            case -6: EXPECT_EQ(f.lbsMasterSize, 8); EXPECT_EQ(f.lbsSlaveSize, 0); break;
            case -7: EXPECT_EQ(f.lbsSlaveSize, 6); break;
            case -8: EXPECT_TRUE(f.wifiArray.empty()); EXPECT_EQ(f.extSize, 0); break;
            case -9:
                EXPECT_EQ(f.extSize, 4);
                EXPECT_EQ(alarm ? static_cast<Zuno::ZunoBikeAlert33&>(*msg).alertType
                                : static_cast<Zuno::ZunoBikeLoc32&>(*msg).postModel, 2);
                EXPECT_EQ(f.bluetoothFlag, 0);
                break;
            }
        }
    }
}

TEST(BikeDecode, WifiLengthCountsBytes) {
    struct Case {
        std::string wifi;
        size_t entries;
    };
    for (const auto& c : {Case{"00", 0}, Case{"0E 00 1A 2B 3C 4D 5E 10 11 22 33 44 55 66 FF", 2}}) {
        auto content = kTime;
        const auto rest = bytes("00 00 00 " + c.wifi + " 03 00");
        content.insert(content.end(), rest.begin(), rest.end());
        Zuno::ZunoBikeLoc32 m;
        ASSERT_EQ(m.decode(zt::frameAround(0x32, content, 0x0203)), 0);
        ASSERT_EQ(m.wifiArray.size(), c.entries);
        if (c.entries == 2) {
            EXPECT_EQ(m.wifiArray[0].first, 0x001A2B3C4D5Eu);
            EXPECT_EQ(m.wifiArray[1].second, 0xFF);
        }
        EXPECT_EQ(m.postModel, 3);
        EXPECT_EQ(m.seq, 0x0203);
    }
}

// The serial follows the last section read. Sections that run past the place
// the length field gives the serial are refused; a shorter set of sections
// still decodes, its serial taken right after the extension.
TEST(BikeDecode, SectionsAgainstTheLengthField) {
    auto content = kTime;
    const auto rest = bytes("00 00 00 00 FF 00 AB CD 99 99");
    content.insert(content.end(), rest.begin(), rest.end());
    Zuno::ZunoBikeLoc32 m;
    ASSERT_EQ(m.decode(zt::frameAround(0x32, content, 0x0001)), 0);
    EXPECT_EQ(m.seq, 0xABCD);

    // Each part announced, but the length field ends the content first; the
    // bytes after the frame must not be read as content.
    const char* const cuts[] = {
        "",                                     // no GPS length byte
        "0C 01 02",                             // GPS section cut
        "00",                                   // no serving-cell length byte
        "00 09 01 CC 02 28 7D",                 // serving cell cut
        "00 00",                                // no neighbour length byte
        "00 00 24 28 7D",                       // neighbour cells cut
        "00 00 00",                             // no WiFi length byte
        "00 00 00 07 11 22 33",                 // WiFi entry cut
        "00 00 00 00 FF",                       // no extension length byte
        "00 00 00 00 FF 06 00 01 00",           // extension cut
    };
    for (const char* c : cuts) {
        auto cut = kTime;
        if (*c) {
            const auto head = bytes(c);
            cut.insert(cut.end(), head.begin(), head.end());
        }
        auto frame = zt::frameAround(0x32, cut, 0x0001);
        frame.insert(frame.end(), 64, 0x00);
        Zuno::ZunoBikeLoc32 refused;
        EXPECT_EQ(refused.decode(frame), Zuno::kErrContentShort) << c;
        Zuno::ZunoBikeAlert33 alarm;
        EXPECT_EQ(alarm.decode(zt::frameAround(0x33, cut, 0x0001)), Zuno::kErrContentShort) << c;
    }
}

TEST(BikeDecode, ServingCellTakesOneMncByte) {
    auto content = kTime;
    const auto rest = bytes("00 09 81 CC 02 28 7D 00 1F 71 46 00 00 FF 00");
    content.insert(content.end(), rest.begin(), rest.end());
    Zuno::ZunoBikeLoc32 m;
    ASSERT_EQ(m.decode(zt::frameAround(0x32, content, 1)), 0);
    EXPECT_EQ(m.MCC, 0x81CC);
    EXPECT_EQ(m.MNC, 2);
    EXPECT_EQ(m.LAC, 10365);
    EXPECT_EQ(m.RSSI, 0x46);
}

TEST(Bike, NewObjectsStartAsTheirClassSays) {
    Zuno::ZunoBikeLoc32 loc;
    Zuno::ZunoBikeAlert33 alarm;
    EXPECT_EQ(loc.command, 0x32);
    EXPECT_EQ(loc.postModel, 0xFF);
    EXPECT_EQ(alarm.command, 0x33);
    EXPECT_EQ(alarm.alertType, 0);
    EXPECT_TRUE(alarm.wifiArray.empty());
}

// The dump shows the extension lines only for the three forms it knows, also
// for a length that the encoder still writes by its thresholds.
TEST(BikeDump, ExtensionLinesOnlyForKnownForms) {
    struct Case {
        uint8_t ext;
        bool flag, user, distance;
    };
    for (const auto& c : {Case{0, false, false, false}, Case{3, true, false, false}, Case{4, false, false, false},
                          Case{6, true, true, false}, Case{7, false, false, false}, Case{8, true, true, true}}) {
        SCOPED_TRACE(int(c.ext));
        Zuno::ZunoBikeAlert33 m;
        m.extSize = c.ext;
        const std::string text = m.toString();
        EXPECT_EQ(text.find("\"bluetoothFlag\"") != std::string::npos, c.flag);
        EXPECT_EQ(text.find("\"bluetoothStatus\"") != std::string::npos, c.flag);
        EXPECT_EQ(text.find("\"userID\"") != std::string::npos, c.user);
        EXPECT_EQ(text.find("\"distance\"") != std::string::npos, c.distance);
    }
}
