// Shared field renderings: date-time and MAC texts, terminal information and
// the named line groups.
#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <locale>
#include <sstream>

#include "render/fields.h"

namespace {

// Writes into a stream left as a block header leaves it: hexadecimal, fill '0'.
std::string lines(const std::function<void(std::ostream&)>& f) {
    std::stringstream os;
    os.imbue(std::locale::classic());
    os << std::hex << std::setfill('0');
    f(os);
    return os.str();
}

} // namespace

TEST(DateTimeText, PlainBytesWithoutChecks) {
    const struct {
        uint64_t t;
        const char* text;
    } cases[] = {
        {0, "2000-00-00 00:00:00"},
        {0x13010F081E00ull, "2019-01-15 08:30:00"},
        {0x130D20193C3Bull, "2019-13-32 25:60:59"},
        {0xFF0102030405ull, "2255-01-02 03:04:05"},
        {0xFFFF000000000000ull, "2000-00-00 00:00:00"}, // bits 63-48 are not shown
    };
    for (const auto& c : cases) EXPECT_EQ(Zuno::dateTimeToString(c.t), c.text) << std::hex << c.t;
}

TEST(MacText, SixLowerCaseBytesJoinedByDashes) {
    EXPECT_EQ(Zuno::macToString(0), "00-00-00-00-00-00");
    EXPECT_EQ(Zuno::macToString(0x001A2B3C4D5Eull), "00-1a-2b-3c-4d-5e");
    EXPECT_EQ(Zuno::macToString(0xFFFFA0B1C2D3E4F5ull), "a0-b1-c2-d3-e4-f5");
}

TEST(TerminalInformationText, EveryPieceEndsWithACommaAndBlank) {
    const auto text = [](uint8_t b) { return lines([&](std::ostream& os) { os << Zuno::terminalContentOf(b); }); };
    EXPECT_EQ(text(0x46), "油电状态: false, GPS定位状态: true, 告警状态: 正常, 电源接口状态: true, ACC状态: true, "
                          "栅栏状态: false, ");
    EXPECT_EQ(text(0x81), "油电状态: true, GPS定位状态: false, 告警状态: 正常, 电源接口状态: false, ACC状态: false, "
                          "栅栏状态: true, ");
    const struct {
        uint8_t byte;
        const char* alarm;
    } alarms[] = {{0x00, "正常"},     {0x08, "震动报警"}, {0x10, "断电报警"}, {0x18, "低电报警"},
                  {0x20, "SOS求救"}, {0x28, "正常"},     {0x30, "正常"},     {0x38, "正常"}};
    for (const auto& a : alarms) {
        EXPECT_NE(text(a.byte).find(std::string("告警状态: ") + a.alarm + ", "), std::string::npos) << int(a.byte);
    }
}

TEST(GpsLines, WholeGroup) {
    const Zuno::DirectionAndStat ds = Zuno::directionAndStatOf(0x1532);
    EXPECT_EQ(lines([&](std::ostream& os) { Zuno::writeGpsLines(os, 0x13010F081E00ull, 0xC5, 40500000, 205100000, 60, ds); }),
              "    \"gpsTime\" : \"2019-01-15 08:30:00 (0x13010f081e00)\", \n"
              "    \"satellites\" : \"12, 5 (0xc5)\", \n"
              "    \"latitude\" : \"22.5 (0x0269fb20)\", \n"
              "    \"longitude\" : \"113.944 (0x0c3993e0)\", \n"
              "    \"speed\" : \"60 (0x3c)\", \n"
              "    \"directStatus\" : {\n"
              "        \"__DATA\" : \"(0x1532)\",\n"
              "        \"locationModel\" : \"Realtime\",\n"
              "        \"isLocated\" : \"true\",\n"
              "        \"lngDirection\" : \"East longitude\",\n"
              "        \"latiDirection\" : \"North latitude\",\n"
              "        \"direction\" : \"306°\"\n"
              "    \"},\n");
}

TEST(GpsLines, EdgeValues) {
    const struct {
        uint32_t raw;
        const char* line;
    } coordinates[] = {
        {0, "    \"latitude\" : \"0 (0x00000000)\", \n"},
        {1, "    \"latitude\" : \"5.55556e-07 (0x00000001)\", \n"},
        {324000000, "    \"latitude\" : \"180 (0x134fd900)\", \n"},
        {0xFD9604E0u, "    \"latitude\" : \"-22.5 (0xfd9604e0)\", \n"}, // bit 31: the number's own sign
    };
    for (const auto& c : coordinates)
        EXPECT_EQ(lines([&](std::ostream& os) { Zuno::writeLatitudeLine(os, c.raw); }), c.line);

    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeGpsTimeLine(os, 0); }),
              "    \"gpsTime\" : \"2000-00-00 00:00:00 (0x000000000000)\", \n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeSatellitesLine(os, 0); }), "    \"satellites\" : \"0, 0 (0x00)\", \n");

    Zuno::DirectionAndStat d;
    d.locationModel = 1;
    d.lngDirection = 1;
    const std::string block = lines([&](std::ostream& os) { Zuno::writeDirectStatusBlock(os, d); });
    EXPECT_NE(block.find("        \"__DATA\" : \"(0x2800)\",\n"), std::string::npos) << block;
    EXPECT_NE(block.find("        \"locationModel\" : \"Differential \",\n"), std::string::npos) << block;
    EXPECT_NE(block.find("        \"isLocated\" : \"false\",\n"), std::string::npos) << block;
    EXPECT_NE(block.find("        \"lngDirection\" : \"West longitude\",\n"), std::string::npos) << block;
    EXPECT_NE(block.find("        \"latiDirection\" : \"South latitude\",\n"), std::string::npos) << block;
    EXPECT_NE(block.find("        \"direction\" : \"0°\"\n"), std::string::npos) << block;
}

TEST(CellLines, MncWidthAndMinimumWidths) {
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeCellLines(os, 0x81CC, 2, 0x287D, 255, true); }),
              "    \"MCC\" : \"33228 (0x81cc)\", \n"
              "    \"MNC\" : \"2 (0x0002)\", \n"
              "    \"LAC\" : \"10365 (0x287d)\", \n"
              "    \"CellID\" : \"255 (0x0000ff)\", \n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeMncLine(os, 2, false); }), "    \"MNC\" : \"2 (0x02)\", \n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeMncLine(os, 258, false); }), "    \"MNC\" : \"258 (0x102)\", \n");

    struct Cell {
        uint8_t command;
        uint16_t MCC, MNC, LAC;
        uint32_t CellID;
    };
    const Cell wide{0xA0, 0x81CC, 2, 1, 1}, narrow{0xA0, 0x01CC, 2, 1, 1};
    const auto mncOf = [](const Cell& c, Zuno::MncWidth rule) {
        const std::string text = lines([&](std::ostream& os) { Zuno::writeCellLinesOf(os, c, rule); });
        return text.substr(text.find("    \"MNC\""), text.find("    \"LAC\"") - text.find("    \"MNC\""));
    };
    EXPECT_EQ(mncOf(wide, Zuno::MncWidth::ByMcc), "    \"MNC\" : \"2 (0x0002)\", \n");
    EXPECT_EQ(mncOf(wide, Zuno::MncWidth::OneByte), "    \"MNC\" : \"2 (0x02)\", \n");
    EXPECT_EQ(mncOf(narrow, Zuno::MncWidth::ByMcc), "    \"MNC\" : \"2 (0x02)\", \n");
}

TEST(StatusLines, KnownAndUnknownLevels) {
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeStatusLines(os, Zuno::terminalContentOf(0x46), 4, 3); }),
              "    \"content\":\"油电状态: false, GPS定位状态: true, 告警状态: 正常, 电源接口状态: true, ACC状态: true, "
              "栅栏状态: false,  (0x46)\",\n"
              "    \"powerLevel\":\"电量中 (0x04)\",\n"
              "    \"signalLevel\":\"信号良好 (0x03)\",\n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writePowerLevelLine(os, 7); }), "    \"powerLevel\":\" (0x07)\",\n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeSignalLevelLine(os, 5); }), "    \"signalLevel\":\" (0x05)\",\n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writePowerLevelLine(os, 0xFF); }),
              "    \"powerLevel\":\"未知状态 (0xff)\",\n");
}

TEST(AlertAndLangBlock, NamesAndEmptyTexts) {
    const struct {
        uint16_t word;
        const char* text;
    } cases[] = {
        {0x0102, "    \"AlertAndLang\": {\n        \"Alert\" : \"SOS求救 (0x01)\",\n"
                 "        \"Language\" : \"EN (0x02)\"\n    }, \n"},
        {0x5003, "    \"AlertAndLang\": {\n        \"Alert\" : \" (0x50)\",\n"
                 "        \"Language\" : \" (0x03)\"\n    }, \n"},
        {0xFF05, "    \"AlertAndLang\": {\n        \"Alert\" : \"ACC关 (0xff)\",\n"
                 "        \"Language\" : \"ZH (0x05)\"\n    }, \n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lines([&](std::ostream& os) { Zuno::writeAlertAndLangBlock(os, Zuno::alertAndLangOf(c.word)); }),
                  c.text);
}

TEST(LanguageOrExtLine, NameByTheLowBitsAndTheWholeWord) {
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeLanguageOrExtLine(os, 2); }), "    \"languageOrExt\":\"EN (0x0002)\",\n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeLanguageOrExtLine(os, 3); }), "    \"languageOrExt\":\" (0x0003)\",\n");
    EXPECT_EQ(lines([](std::ostream& os) { Zuno::writeLanguageOrExtLine(os, 0x0101); }),
              "    \"languageOrExt\":\"ZH (0x0101)\",\n");
}

TEST(LineWriters, SetTheirOwnBaseAndFill) {
    // A stream in decimal with blank fill still gets zero-filled hexadecimal.
    std::stringstream os;
    os.imbue(std::locale::classic());
    Zuno::writeCellIdLine(os, 255);
    Zuno::writeSpeedLine(os, 10);
    EXPECT_EQ(os.str(), "    \"CellID\" : \"255 (0x0000ff)\", \n    \"speed\" : \"10 (0x0a)\", \n");
}
