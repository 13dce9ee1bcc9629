// Alarm messages: the GPS alarms 0x16, 0x26, 0x27, 0xA3, 0xA4 and their reply,
// the cell alarms 0x19 and 0xA5 and the short 0x95 alarm.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"
#include "protocol/catalogue.h"
#include "location_util.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

std::vector<CatalogueRow> alarmRows() {
    return {
        {"alert16", makeOf<Zuno::ZunoAlert16>(),
         "78 78 24 16 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 01 CC 01 28 7D 00 1F 71 46 04 03 01 02 00 01 D9 F2 0D 0A",
         "alert16.txt"},
        {"alert26", makeOf<Zuno::ZunoAlert26>(),
         "78 78 25 26 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 09 01 CC 01 28 7D 00 1F 71 46 04 03 02 01 00 02 7E 9E 0D 0A",
         "alert26.txt"},
        {"alert26_mileage", makeOf<Zuno::ZunoAlert26>(),
         "78 78 29 26 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 09 01 CC 01 28 7D 00 1F 71 46 04 03 06 01 00 00 03 E8 00 03 BD CB 0D 0A",
         "alert26_mileage.txt"},
        {"alert27", makeOf<Zuno::ZunoAlert27>(),
         "78 78 26 27 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 09 01 CC 01 28 7D 00 1F 71 20 FF FF 04 02 03 00 04 BD DF 0D 0A",
         "alert27.txt"},
        {"alert27_mileage", makeOf<Zuno::ZunoAlert27>(),
         "78 78 2A 27 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 09 01 CC 01 28 7D 00 1F 71 46 04 03 05 00 03 00 00 03 E8 00 05 09 6B 0D 0A",
         "alert27_mileage.txt"},
        {"alertA3_wide_mnc", makeOf<Zuno::ZunoAlertA3>(),
         "78 78 26 A3 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 0A 81 CC 01 02 28 7D AB CD EF 46 04 03 13 01 00 06 48 01 0D 0A",
         "alertA3_wide_mnc.txt"},
        {"alertA3", makeOf<Zuno::ZunoAlertA3>(),
         "78 78 25 A3 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 09 01 CC 02 00 01 00 00 FF 46 04 03 07 03 00 07 66 2A 0D 0A",
         "alertA3.txt"},
        {"alertA4_wide_mnc", makeOf<Zuno::ZunoAlertA4>(),
         "78 78 27 A4 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 39 93 E0 3C 15 32 0A 81 CC 01 02 28 7D AB CD EF 46 04 03 88 02 09 00 08 6C 6D 0D 0A",
         "alertA4_wide_mnc.txt"},
        {"alertA4", makeOf<Zuno::ZunoAlertA4>(),
         "78 78 26 A4 13 01 0F 08 1E 00 00 00 00 00 00 00 00 00 01 3C 3F FF 09 01 CC 02 00 01 00 00 FF 38 07 05 00 01 00 00 09 73 F2 0D 0A",
         "alertA4.txt"},
        {"alert_resp", makeOf<Zuno::ZunoAlertResp>(),
         "78 78 05 26 01 02 7D A1 0D 0A",
         "alert_resp.txt"},
        {"alert19", makeOf<Zuno::ZunoAlert19>(),
         "78 78 12 19 81 CC 02 28 7D AB CD EF 46 04 03 01 01 00 0A 1C 8B 0D 0A",
         "alert19.txt"},
        {"alert19_long", makeOf<Zuno::ZunoAlert19>(),
         "79 79 00 12 19 01 CC 01 28 7D 00 1F 71 46 04 03 02 02 00 0B E1 26 0D 0A",
         "alert19_long.txt"},
        {"alertA5_wide_mnc", makeOf<Zuno::ZunoAlertA5>(),
         "78 78 13 A5 81 CC 01 02 28 7D AB CD EF 46 04 03 01 01 00 0C 9A C6 0D 0A",
         "alertA5_wide_mnc.txt"},
        {"alertA5", makeOf<Zuno::ZunoAlertA5>(),
         "78 78 12 A5 01 CC 02 00 01 00 00 FF 46 04 03 01 01 00 0D 1B 0F 0D 0A",
         "alertA5.txt"},
        {"alert95_plain", makeOf<Zuno::ZunoAlert95>(),
         "78 78 0C 95 13 01 0F 08 1E 00 07 00 14 9E EC 0D 0A",
         "alert95_plain.txt"},
        {"alert95_value", makeOf<Zuno::ZunoAlert95>(),
         "78 78 0E 95 13 01 0F 08 1E 00 80 00 05 00 15 1B 3F 0D 0A",
         "alert95_value.txt"},
        {"alert95_gps", makeOf<Zuno::ZunoAlert95>(),
         "78 78 16 95 13 01 0F 08 1E 00 02 69 FB 20 0C 39 93 E0 15 32 01 00 16 8B D2 0D 0A",
         "alert95_gps.txt"},
        {"alert95_gps_value", makeOf<Zuno::ZunoAlert95>(),
         "78 78 18 95 13 01 0F 08 1E 00 02 69 FB 20 0C 39 93 E0 15 32 06 12 34 00 17 03 28 0D 0A",
         "alert95_gps_value.txt"},
        {"alert95_long", makeOf<Zuno::ZunoAlert95>(),
         "79 79 00 18 95 13 01 0F 08 1E 00 02 69 FB 20 0C 39 93 E0 15 32 FF FF FF 00 18 12 B0 0D 0A",
         "alert95_long.txt"},
    };
}

uint8_t protocolOf(const std::vector<uint8_t>& frame) { return frame[frame[0] == 0x79 ? 4 : 3]; }

template <class T>
void fillGpsAlarm(T& m) {
    m.gpsTime = 0x13010F081E00;
    m.satellites = 0xC5;
    m.latitude = 40500000;
    m.longitude = 205100000;
    m.MCC = 460;
    m.MNC = 1;
    m.LAC = 10365;
    m.CellID = 8049;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Alarm, CatalogueTest, ::testing::ValuesIn(alarmRows()), catalogueName);

// What the encoders put into the length field, the LBS length byte and the
// MNC, by class and MCC bit 15. The LBS byte is content byte 18; the MNC
// follows MCC at content bytes 21 (and 22).
TEST(AlarmEncode, LbsLengthAndMncFollowTheBytesWritten) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Zuno::ZunoMSG>(uint16_t mcc)> make;
        uint16_t mcc;
        uint8_t lengthField;
        int lbsLength;        // -1: the class has no LBS length byte
        std::string mncBytes; // as written after MCC
    };
    auto gps = [](auto* m, uint16_t mcc) {
        fillGpsAlarm(*m);
        m->MCC = mcc;
        m->MNC = 258;
        return std::unique_ptr<Zuno::ZunoMSG>(m);
    };
    const Case cases[] = {
        {"0x16 one MNC byte", [&](uint16_t c) { return gps(new Zuno::ZunoAlert16, c); }, 0x81CC, 0x24, -1, "02"},
        {"0x26 clear", [&](uint16_t c) { return gps(new Zuno::ZunoAlert26, c); }, 0x01CC, 0x25, 9, "02"},
        // 0x26 and 0x27 carry one MNC byte whatever MCC says, so 9 cell bytes.
        {"0x26 bit 15", [&](uint16_t c) { return gps(new Zuno::ZunoAlert26, c); }, 0x81CC, 0x25, 9, "02"},
        {"0x27 bit 15", [&](uint16_t c) { return gps(new Zuno::ZunoAlert27, c); }, 0x81CC, 0x26, 9, "02"},
        {"0xA3 clear", [&](uint16_t c) { return gps(new Zuno::ZunoAlertA3, c); }, 0x01CC, 0x25, 9, "02"},
        {"0xA3 bit 15", [&](uint16_t c) { return gps(new Zuno::ZunoAlertA3, c); }, 0x81CC, 0x26, 10, "01 02"},
        {"0xA4 clear", [&](uint16_t c) { return gps(new Zuno::ZunoAlertA4, c); }, 0x01CC, 0x26, 9, "02"},
        {"0xA4 bit 15", [&](uint16_t c) { return gps(new Zuno::ZunoAlertA4, c); }, 0x81CC, 0x27, 10, "01 02"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto m = c.make(c.mcc);
        const auto out = zt::encodeFresh(*m);
        const auto content = zt::contentOf(out);
        EXPECT_EQ(out[2], c.lengthField);
        EXPECT_EQ(m->len, c.lengthField);
        const size_t mccAt = c.lbsLength < 0 ? 18 : 19;
        if (c.lbsLength >= 0) {
            EXPECT_EQ(content[18], c.lbsLength);
        }
        const size_t mncBytes = c.mncBytes.size() > 2 ? 2 : 1;
        EXPECT_EQ(hex(std::vector<uint8_t>(content.begin() + mccAt, content.begin() + mccAt + 2 + mncBytes)),
                  (c.mcc & 0x8000 ? "81 CC " : "01 CC ") + c.mncBytes);
    }
}

TEST(AlarmEncode, StoresTheLbsLengthItWrote) {
    Zuno::ZunoAlertA3 a3;
    fillGpsAlarm(a3);
    a3.MCC = 0x81CC;
    a3.lbsLength = 0;
    zt::encodeFresh(a3);
    EXPECT_EQ(a3.lbsLength, 10);
    Zuno::ZunoAlert27 a27;
    fillGpsAlarm(a27);
    a27.lbsLength = 10;
    zt::encodeFresh(a27);
    EXPECT_EQ(a27.lbsLength, 9);
}

TEST(AlarmEncode, MileageIsSentOnlyWhenNotZero) {
    Zuno::ZunoAlert26 m;
    fillGpsAlarm(m);
    const auto without = zt::encodeFresh(m);
    EXPECT_EQ(without[2], 0x25);
    m.distance = 1;
    const auto with = zt::encodeFresh(m);
    EXPECT_EQ(with[2], 0x29);
    // The mileage stands between the language byte and the serial number.
    EXPECT_EQ(hex(std::vector<uint8_t>(with.end() - 10, with.end() - 6)), "00 00 00 01");
    EXPECT_EQ(with.size(), without.size() + 4);

    Zuno::ZunoAlert27 f;
    fillGpsAlarm(f);
    f.fenceID = 7;
    f.distance = 1000;
    const auto fenced = zt::encodeFresh(f);
    EXPECT_EQ(fenced[2], 0x2A);
    EXPECT_EQ(hex(std::vector<uint8_t>(fenced.end() - 11, fenced.end() - 6)), "07 00 00 03 E8");
}

// The length field tells whether the mileage is there, so bytes after the
// stop bytes change nothing.
TEST(AlarmDecode, MileageIsToldByTheLengthField) {
    for (const char* name : {"alert26_mileage", "alert27_mileage"}) {
        SCOPED_TRACE(name);
        CatalogueRow row;
        for (const auto& r : alarmRows()) {
            if (r.name == name) row = r;
        }
        auto frame = bytes(row.frameHex);
        const auto plain = row.make();
        ASSERT_EQ(plain->decode(frame), 0);
        frame.insert(frame.end(), {0x00, 0x00, 0x00, 0x00});
        auto extended = row.make();
        ASSERT_EQ(extended->decode(frame), 0);
        EXPECT_EQ(extended->toString(), plain->toString());
    }
}

// An object decoded again from a frame without mileage shows and sends none,
// whatever the frame before carried.
TEST(AlarmDecode, MileageOfAnEarlierFrameIsNotKept) {
    const std::pair<const char*, const char*> pairs[] = {{"alert26_mileage", "alert26"},
                                                         {"alert27_mileage", "alert27"}};
    for (const auto& [withMileage, without] : pairs) {
        SCOPED_TRACE(without);
        std::vector<uint8_t> first, second;
        CatalogueRow row;
        for (const auto& r : alarmRows()) {
            if (r.name == withMileage) first = bytes(r.frameHex);
            if (r.name == without) second = bytes(r.frameHex), row = r;
        }
        auto reused = row.make();
        ASSERT_EQ(reused->decode(first), 0);
        ASSERT_EQ(reused->decode(second), 0);
        auto fresh = row.make();
        ASSERT_EQ(fresh->decode(second), 0);
        EXPECT_EQ(reused->toString(), fresh->toString());
        EXPECT_EQ(hex(zt::encodeFresh(*reused)), hex(second));
    }
}

TEST(AlarmDecode, CarriedZeroMileageIsLeftOutWhenEncodedAgain) {
    auto content = zt::contentOf(bytes(alarmRows()[1].frameHex)); // alert26, no mileage
    content.insert(content.end(), {0, 0, 0, 0});
    const auto frame = zt::frameAround(0x26, content, 0x0042);
    Zuno::ZunoAlert26 m;
    ASSERT_EQ(m.decode(frame), 0);
    EXPECT_EQ(m.len, 0x29);
    EXPECT_EQ(m.distance, 0u);
    EXPECT_EQ(m.seq, 0x0042);
    const auto again = zt::encodeFresh(m);
    EXPECT_EQ(again.size(), frame.size() - 4);
    EXPECT_EQ(again[2], 0x25);
}

// A frame whose length field (with a right CRC) leaves less content than its
// layout reads is refused; its CRC and stop bytes are never taken as fields.
TEST(AlarmDecode, LayoutLongerThanTheLengthFieldIsRefused) {
    for (const auto& row : alarmRows()) {
        if (bytes(row.frameHex)[0] == 0x79) continue; // the short form shows the same
        auto content = zt::contentOf(bytes(row.frameHex));
        if (content.empty()) continue; // the reply has no layout
        SCOPED_TRACE(row.name);
        content.pop_back();
        const auto frame = zt::frameAround(protocolOf(bytes(row.frameHex)), content, 1);
        auto m = row.make();
        const int rc = m->decode(frame);
        // 0x95 reads its parts by the length field: one byte less is another,
        // shorter layout that fits (the value or the GPS part is then absent)
        // or does not.
        if (row.name.rfind("alert95", 0) == 0) continue;
        EXPECT_EQ(rc, Zuno::kErrContentShort);
    }
}

TEST(AlarmDecode, WideMncNeedsItsExtraByteWithinTheLength) {
    for (const char* name : {"alertA3_wide_mnc", "alertA4_wide_mnc", "alertA5_wide_mnc"}) {
        SCOPED_TRACE(name);
        for (const auto& row : alarmRows()) {
            if (row.name != name) continue;
            auto content = zt::contentOf(bytes(row.frameHex));
            content.pop_back(); // as long as the layout with a one-byte MNC
            auto m = row.make();
            EXPECT_EQ(m->decode(zt::frameAround(protocolOf(bytes(row.frameHex)), content, 1)), Zuno::kErrContentShort);
        }
    }
}

TEST(CellAlarm, A5DiffersFrom19OnlyWhenMccBit15IsSet) {
    auto fill = [](Zuno::ZunoAlert19& m, uint16_t mcc) {
        m.MCC = mcc;
        m.MNC = 0x0102;
        m.LAC = 0x287D;
        m.CellID = 0xABCDEF;
        m.AlertAndLang.alert = 1;
    };
    Zuno::ZunoAlert19 a19;
    Zuno::ZunoAlertA5 a5;
    fill(a19, 0x01CC);
    fill(a5, 0x01CC);
    EXPECT_EQ(hex(zt::contentOf(zt::encodeFresh(a19))), hex(zt::contentOf(zt::encodeFresh(a5))));
    fill(a19, 0x81CC);
    fill(a5, 0x81CC);
    const auto f19 = zt::encodeFresh(a19);
    const auto fA5 = zt::encodeFresh(a5);
    EXPECT_EQ(f19[2], 18);
    EXPECT_EQ(fA5[2], 19);
    EXPECT_EQ(hex(std::vector<uint8_t>(f19.begin() + 4, f19.begin() + 7)), "81 CC 02");
    EXPECT_EQ(hex(std::vector<uint8_t>(fA5.begin() + 4, fA5.begin() + 8)), "81 CC 01 02");
    Zuno::ZunoAlertA5 back;
    ASSERT_EQ(back.decode(fA5), 0);
    EXPECT_EQ(back.MNC, 0x0102);
}

// The flags choose the parts on encode; what a part's fields hold without its
// flag goes nowhere.
TEST(Alert95, FlagsChooseTheLayout) {
    struct Case {
        uint8_t hasGps, hasValue, lengthField;
    };
    for (const auto& c : {Case{0, 0, 12}, Case{0, 1, 14}, Case{1, 0, 22}, Case{1, 1, 24}}) {
        SCOPED_TRACE(testing::Message() << int(c.hasGps) << int(c.hasValue));
        Zuno::ZunoAlert95 m;
        m.gpsTime = 0x13010F081E00;
        m.hasGps = c.hasGps;
        m.hasValue = c.hasValue;
        m.latitude = 40500000;
        m.longitude = 205100000;
        m.Alert = 0x80;
        m.Value = 0x1234;
        m.seq = 9;
        const auto frame = zt::encodeFresh(m);
        EXPECT_EQ(frame[2], c.lengthField);
        Zuno::ZunoAlert95 back;
        ASSERT_EQ(back.decode(frame), 0);
        EXPECT_EQ(back.hasGps, c.hasGps);
        EXPECT_EQ(back.hasValue, c.hasValue);
        EXPECT_EQ(back.latitude, c.hasGps ? 40500000u : 0u);
        EXPECT_EQ(back.Value, c.hasValue ? 0x1234 : 0);
        EXPECT_EQ(back.Alert, 0x80);
        EXPECT_EQ(back.seq, 9);
    }
}

// Lengths between the four layouts: 13 to 21 have no GPS part and an alarm
// value, 23 and more both parts; the serial follows the last field read.
TEST(Alert95, LengthsBetweenTheLayouts) {
    const std::vector<uint8_t> time = {0x13, 0x01, 0x0F, 0x08, 0x1E, 0x00};
    auto content = time;
    content.insert(content.end(), {0x05, 0x12, 0x34, 0xAA, 0xBB, 0xCC}); // type, value, 3 bytes more
    Zuno::ZunoAlert95 m;
    ASSERT_EQ(m.decode(zt::frameAround(0x95, content, 0x0001)), 0);
    EXPECT_EQ(m.len, 17);
    EXPECT_EQ(m.hasGps, 0);
    EXPECT_EQ(m.hasValue, 1);
    EXPECT_EQ(m.Value, 0x1234);
    EXPECT_EQ(m.seq, 0xAABB);

    // Length 13: the value would reach into the serial number.
    auto short13 = time;
    short13.insert(short13.end(), {0x05, 0x12});
    Zuno::ZunoAlert95 refused;
    EXPECT_EQ(refused.decode(zt::frameAround(0x95, short13, 1)), Zuno::kErrContentShort);
}
