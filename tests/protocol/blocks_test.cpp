// Shared field blocks and the packed value types.
#include <gtest/gtest.h>

#include <vector>

#include "protocol/blocks.h"
#include "protocol/value_types.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

template <class F>
std::string written(F&& f) {
    std::vector<uint8_t> out;
    Zuno::ByteWriter w(out);
    f(w);
    return hex(out);
}

} // namespace

TEST(DateTimeBlock, SixPlainBytesInTheLow48Bits) {
    const auto data = bytes("13 01 0F 08 1E 00");
    Zuno::ByteReader r(data);
    const uint64_t t = Zuno::decodeDateTime(r);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(t, 0x000013010F081E00ull);
    EXPECT_EQ(written([&](Zuno::ByteWriter& w) { Zuno::encodeDateTime(w, t); }), "13 01 0F 08 1E 00");
    // Bits 63-48 never reach the wire; a year byte of 0xFF is carried as it is.
    EXPECT_EQ(written([](Zuno::ByteWriter& w) { Zuno::encodeDateTime(w, 0xABCDFF0D20173B3Bull); }),
              "FF 0D 20 17 3B 3B");
}

TEST(DirectionAndStat, WordsUnpackAndPackByTheirBitPositions) {
    struct Case {
        uint16_t word;
        uint8_t locationModel, isLocated, lngDirection, latiDirection;
        uint16_t direction;
        uint16_t packed;
    };
    const Case cases[] = {
        {0x3FFF, 1, 1, 1, 1, 1023, 0x3FFF},
        {0xC000, 0, 0, 0, 0, 0, 0x0000}, // bits 15 and 14 are not held
        {0x1532, 0, 1, 0, 1, 306, 0x1532},
        {0x2000, 1, 0, 0, 0, 0, 0x2000},
        {0x0800, 0, 0, 1, 0, 0, 0x0800},
        {0xFFFF, 1, 1, 1, 1, 1023, 0x3FFF},
    };
    for (const auto& c : cases) {
        Zuno::DirectionAndStat d;
        const auto data = std::vector<uint8_t>{static_cast<uint8_t>(c.word >> 8), static_cast<uint8_t>(c.word)};
        Zuno::ByteReader r(data);
        Zuno::decodeDirectionAndStat(r, d);
        EXPECT_EQ(d.locationModel, c.locationModel) << std::hex << c.word;
        EXPECT_EQ(d.isLocated, c.isLocated) << std::hex << c.word;
        EXPECT_EQ(d.lngDirection, c.lngDirection) << std::hex << c.word;
        EXPECT_EQ(d.latiDirection, c.latiDirection) << std::hex << c.word;
        EXPECT_EQ(d.direction, c.direction) << std::hex << c.word;
        EXPECT_EQ(Zuno::toWord(d), c.packed) << std::hex << c.word;
        EXPECT_EQ(Zuno::toWord(Zuno::directionAndStatOf(c.word)), c.packed);
    }
    // A member holding more than its field is cut to the field's width.
    Zuno::DirectionAndStat wide;
    wide.direction = 2000;
    wide.isLocated = 2;
    wide.latiDirection = 3;
    EXPECT_EQ(Zuno::toWord(wide), (2000 & 0x3FF) | 0x0400);
    EXPECT_EQ(written([&](Zuno::ByteWriter& w) { Zuno::encodeDirectionAndStat(w, wide); }), "07 D0");
}

TEST(TerminalContent, EveryByteGoesThroughUnchanged) {
    const Zuno::TerminalContent c = Zuno::terminalContentOf(0x46);
    EXPECT_EQ(c.gpsLocated, 1);
    EXPECT_EQ(c.charging, 1);
    EXPECT_EQ(c.acc, 1);
    EXPECT_EQ(c.defence, 0);
    EXPECT_EQ(c.alarm, 0);
    EXPECT_EQ(c.oilElectricity, 0);
    const Zuno::TerminalContent sos = Zuno::terminalContentOf(0xA1);
    EXPECT_EQ(sos.oilElectricity, 1);
    EXPECT_EQ(sos.alarm, 4);
    EXPECT_EQ(sos.defence, 1);
    for (unsigned b = 0; b < 256; ++b) {
        const auto data = std::vector<uint8_t>{static_cast<uint8_t>(b)};
        Zuno::ByteReader r(data);
        Zuno::TerminalContent t;
        Zuno::decodeTerminalContent(r, t);
        ASSERT_EQ(written([&](Zuno::ByteWriter& w) { Zuno::encodeTerminalContent(w, t); }), hex(data));
    }
}

TEST(AlertAndLang, AlarmByteThenLanguageByte) {
    Zuno::AlertAndLang a;
    a.alert = 0x01;
    a.language = 2;
    EXPECT_EQ(written([&](Zuno::ByteWriter& w) { Zuno::encodeAlertAndLang(w, a); }), "01 02");
    EXPECT_EQ(Zuno::toWord(a), 0x0102);
    const Zuno::AlertAndLang b = Zuno::alertAndLangOf(0xFE01);
    EXPECT_EQ(b.alert, 0xFE);
    EXPECT_EQ(b.language, 1);
    const auto data = bytes("88 02");
    Zuno::ByteReader r(data);
    Zuno::AlertAndLang c;
    Zuno::decodeAlertAndLang(r, c);
    EXPECT_EQ(c.alert, 0x88);
    EXPECT_EQ(c.language, 2);
}

TEST(GpsBlock, TwelveBytesInTheirOrder) {
    struct Fix {
        uint8_t satellites = 0xC5;
        uint32_t latitude = 40500000;
        uint32_t longitude = 205100000;
        uint8_t speed = 0x3C;
        Zuno::DirectionAndStat directStatus = Zuno::directionAndStatOf(0x1532);
    } fix;
    const std::string wire = "C5 02 69 FB 20 0C 39 93 E0 3C 15 32";
    EXPECT_EQ(written([&](Zuno::ByteWriter& w) { Zuno::encodeGpsBlock(w, fix); }), wire);
    const auto data = bytes(wire);
    Zuno::ByteReader r(data);
    Fix back{};
    back.satellites = 0;
    back.latitude = back.longitude = 0;
    back.speed = 0;
    back.directStatus = {};
    Zuno::decodeGpsBlock(r, back);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.pos(), Zuno::kGpsBlockBytes);
    EXPECT_EQ(back.satellites, 0xC5);
    EXPECT_EQ(back.latitude, 40500000u);
    EXPECT_EQ(back.longitude, 205100000u);
    EXPECT_EQ(back.speed, 0x3C);
    EXPECT_EQ(back.directStatus, fix.directStatus);
}

TEST(CellBlock, MncWidthFollowsMccOnlyUnderTheRule) {
    struct Case {
        const char* what;
        Zuno::MncWidth rule;
        uint16_t mcc, mnc;
        const char* wire;
        uint16_t mncBack; // MNC as decoded from the wire
    };
    const Case cases[] = {
        {"rule, flag set", Zuno::MncWidth::ByMcc, 0x81CC, 258, "81 CC 01 02 12 34 AB CD EF", 258},
        {"rule, flag clear", Zuno::MncWidth::ByMcc, 0x01CC, 258, "01 CC 02 12 34 AB CD EF", 2},
        {"no rule, flag set", Zuno::MncWidth::OneByte, 0x81CC, 258, "81 CC 02 12 34 AB CD EF", 2},
        {"no rule, flag clear", Zuno::MncWidth::OneByte, 460, 0, "01 CC 00 12 34 AB CD EF", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(written([&](Zuno::ByteWriter& w) { Zuno::encodeCell(w, c.mcc, c.mnc, 0x1234, 11259375, c.rule); }),
                  c.wire)
            << c.what;
        const auto data = bytes(c.wire);
        Zuno::ByteReader r(data);
        uint16_t mcc = 0, mnc = 0, lac = 0;
        uint32_t cell = 0xFFFFFFFF;
        Zuno::decodeCell(r, mcc, mnc, lac, cell, c.rule);
        EXPECT_TRUE(r.ok()) << c.what;
        EXPECT_EQ(r.pos(), data.size()) << c.what;
        EXPECT_EQ(mcc, c.mcc) << c.what; // bit 15 is kept
        EXPECT_EQ(mnc, c.mncBack) << c.what;
        EXPECT_EQ(lac, 0x1234) << c.what;
        EXPECT_EQ(cell, 11259375u) << c.what; // high byte 0
    }
    // The cell id's high byte never reaches the wire.
    EXPECT_EQ(written([](Zuno::ByteWriter& w) { Zuno::encodeLacCell(w, 1, 0x7F0000FF); }), "00 01 00 00 FF");
}

TEST(StatusBlock, ThreeBytesAndAShortReadStaysInside) {
    struct Status {
        Zuno::TerminalContent content = Zuno::terminalContentOf(0x46);
        uint8_t powerLevel = 4;
        uint8_t signalLevel = 3;
    } s;
    EXPECT_EQ(written([&](Zuno::ByteWriter& w) { Zuno::encodeStatusBlock(w, s); }), "46 04 03");

    // Two bytes for a three-byte block: the reader fails, the values read as 0.
    const auto data = bytes("46 04");
    Zuno::ByteReader r(data);
    Status back;
    back.powerLevel = back.signalLevel = 9;
    Zuno::decodeStatusBlock(r, back);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(back.signalLevel, 0);
}

TEST(RequireContent, RefusesALayoutLongerThanTheLengthFieldAllows) {
    const auto frame = bytes("78 78 0A 13 46 04 03 00 02 00 01 00 00 0D 0A FF FF FF FF");
    Zuno::ByteReader r(frame, 4);
    r.setSerialPos(4 + 5);
    EXPECT_TRUE(Zuno::requireContent(r, 5));
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(Zuno::requireContent(r, 6)); // would take the serial for content
    EXPECT_FALSE(r.ok());
    Zuno::ByteReader nearEnd(frame, frame.size() - 2);
    nearEnd.setSerialPos(frame.size() + 10);
    EXPECT_FALSE(Zuno::requireContent(nearEnd, 3)); // past the vector itself
}
