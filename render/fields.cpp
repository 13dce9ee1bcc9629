#include "render/fields.h"

#include <iomanip>
#include <locale>
#include <sstream>

#include "render/dump.h"
#include "render/tables.h"
#include "render/value_lines.h"

namespace Zuno {

namespace {

unsigned byteAt(uint64_t v, unsigned shift) { return static_cast<unsigned>((v >> shift) & 0xFF); }

const char* trueFalse(unsigned flag) { return (flag & 1u) ? "true" : "false"; }

// Alarm state of the terminal-information byte; 0 and 5 to 7 are normal.
const char* terminalAlarmText(unsigned alarm) {
    switch (alarm & kTerminalAlarmMask) {
    case 1: return "震动报警";
    case 2: return "断电报警";
    case 3: return "低电报警";
    case 4: return "SOS求救";
    default: return "正常";
    }
}

// `"key":"text (0x..)",` status line, without blanks around the colon.
void writeStatusLine(std::ostream& os, const char* key, const std::string& text, unsigned value) {
    os << "    \"" << key << "\":\"" << text << " (0x" << std::hex << std::setfill('0') << std::setw(2) << value << ")"
       << "\",\n";
}

// `"key" : "<degrees> (0x<8 digits>)", ` of a latitude or longitude.
void writeCoordinateLine(std::ostream& os, const char* key, uint32_t raw) {
    os << "    \"" << key << "\" : \"" << coordinateDegrees(raw) << " (0x" << std::hex << std::setfill('0')
       << std::setw(8) << raw << ")" << "\", \n";
}

} // namespace

std::string dateTimeToString(const uint64_t& t) {
    std::ostringstream ss;
    ss.imbue(std::locale::classic());
    ss << std::dec << std::setfill('0') << std::setw(4) << byteAt(t, 40) + 2000 << "-" << std::setw(2) << byteAt(t, 32)
       << "-" << std::setw(2) << byteAt(t, 24) << " " << std::setw(2) << byteAt(t, 16) << ":" << std::setw(2)
       << byteAt(t, 8) << ":" << std::setw(2) << byteAt(t, 0);
    return ss.str();
}

std::string macToString(const uint64_t& mac) {
    std::ostringstream ss;
    ss.imbue(std::locale::classic());
    ss << std::hex << std::setfill('0');
    for (unsigned shift = 40;; shift -= 8) {
        ss << std::setw(2) << byteAt(mac, shift);
        if (shift == 0) break;
        ss << "-";
    }
    return ss.str();
}

std::ostream& operator<<(std::ostream& os, const TerminalContent& c) {
    os << "油电状态: " << trueFalse(c.oilElectricity) << ", ";
    os << "GPS定位状态: " << trueFalse(c.gpsLocated) << ", ";
    os << "告警状态: " << terminalAlarmText(c.alarm) << ", ";
    os << "电源接口状态: " << trueFalse(c.charging) << ", ";
    os << "ACC状态: " << trueFalse(c.acc) << ", ";
    os << "栅栏状态: " << trueFalse(c.defence) << ", ";
    return os;
}

float coordinateDegrees(uint32_t raw) {
    return static_cast<float>(static_cast<int32_t>(raw)) / static_cast<float>(kCoordinateUnitsPerDegree);
}

void writeDateTimeLine(std::ostream& os, const char* key, uint64_t t) {
    writeNamedLine(os, key, dateTimeToString(t), t, 12);
}

void writeGpsTimeLine(std::ostream& os, uint64_t gpsTime) { writeDateTimeLine(os, "gpsTime", gpsTime); }

void writeSatellitesLine(std::ostream& os, uint8_t satellites) {
    os << "    \"satellites\" : \"" << std::dec << (satellites >> 4) << ", " << (satellites & 0x0F) << " (0x"
       << std::hex << std::setfill('0') << std::setw(2) << static_cast<unsigned>(satellites) << ")" << "\", \n";
}

void writeLatitudeLine(std::ostream& os, uint32_t latitude) { writeCoordinateLine(os, "latitude", latitude); }

void writeLongitudeLine(std::ostream& os, uint32_t longitude) { writeCoordinateLine(os, "longitude", longitude); }

void writeSpeedLine(std::ostream& os, uint8_t speed) { writeValueLine(os, "speed", speed, 2); }

void writeDirectStatusBlock(std::ostream& os, const DirectionAndStat& d) {
    os << "    \"directStatus\" : {\n";
    os << "        \"__DATA\" : \"" << "(0x" << std::hex << std::setfill('0') << std::setw(4) << toWord(d) << ")"
       << "\",\n";
    os << "        \"locationModel\" : \"" << ((d.locationModel & 1u) ? "Differential " : "Realtime") << "\",\n";
    os << "        \"isLocated\" : \"" << trueFalse(d.isLocated) << "\",\n";
    os << "        \"lngDirection\" : \"" << ((d.lngDirection & 1u) ? "West longitude" : "East longitude") << "\",\n";
    os << "        \"latiDirection\" : \"" << ((d.latiDirection & 1u) ? "North latitude" : "South latitude")
       << "\",\n";
    os << "        \"direction\" : \"" << std::dec << (d.direction & kDirectionMask) << "°\"\n";
    os << "    \"},\n";
}

void writeGpsLines(std::ostream& os, uint64_t gpsTime, uint8_t satellites, uint32_t latitude, uint32_t longitude,
                   uint8_t speed, const DirectionAndStat& directStatus) {
    writeGpsTimeLine(os, gpsTime);
    writeSatellitesLine(os, satellites);
    writeLatitudeLine(os, latitude);
    writeLongitudeLine(os, longitude);
    writeSpeedLine(os, speed);
    writeDirectStatusBlock(os, directStatus);
}

void writeMccLine(std::ostream& os, uint16_t MCC) { writeValueLine(os, "MCC", MCC, 4); }

void writeMncLine(std::ostream& os, uint16_t MNC, bool wideMncText) {
    writeValueLine(os, "MNC", MNC, wideMncText ? 4 : 2);
}

void writeLacLine(std::ostream& os, uint16_t LAC) { writeValueLine(os, "LAC", LAC, 4); }

void writeCellIdLine(std::ostream& os, uint32_t CellID) { writeValueLine(os, "CellID", CellID, 6); }

void writeCellLines(std::ostream& os, uint16_t MCC, uint16_t MNC, uint16_t LAC, uint32_t CellID, bool wideMncText) {
    writeMccLine(os, MCC);
    writeMncLine(os, MNC, wideMncText);
    writeLacLine(os, LAC);
    writeCellIdLine(os, CellID);
}

void writeContentLine(std::ostream& os, const TerminalContent& content) {
    os << "    \"content\":\"" << content << " (0x" << std::hex << std::setfill('0') << std::setw(2)
       << static_cast<unsigned>(toByte(content)) << ")" << "\",\n";
}

void writePowerLevelLine(std::ostream& os, uint8_t powerLevel) {
    writeStatusLine(os, "powerLevel", powerLevelName(powerLevel), powerLevel);
}

void writeSignalLevelLine(std::ostream& os, uint8_t signalLevel) {
    writeStatusLine(os, "signalLevel", signalLevelName(signalLevel), signalLevel);
}

void writeStatusLines(std::ostream& os, const TerminalContent& content, uint8_t powerLevel, uint8_t signalLevel) {
    writeContentLine(os, content);
    writePowerLevelLine(os, powerLevel);
    writeSignalLevelLine(os, signalLevel);
}

void writeAlertAndLangBlock(std::ostream& os, const AlertAndLang& a) {
    os << "    \"AlertAndLang\": {\n";
    os << "        \"Alert\" : \"" << alarmName(a.alert) << " (0x" << std::hex << std::setfill('0') << std::setw(2)
       << static_cast<unsigned>(a.alert) << ")" << "\",\n";
    os << "        \"Language\" : \"" << languageName(a.language) << " (0x" << std::hex << std::setfill('0')
       << std::setw(2) << static_cast<unsigned>(a.language) << ")" << "\"\n";
    os << "    }, \n";
}

void writeLanguageOrExtLine(std::ostream& os, uint16_t languageOrExt) {
    os << "    \"languageOrExt\":\"" << languageName(languageOrExt) << " (0x" << std::hex << std::setfill('0')
       << std::setw(4) << languageOrExt << ")" << "\",\n";
}

} // namespace Zuno
