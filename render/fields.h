#pragma once
// Renderings of the shared field blocks inside a "MSG" block: the date-time
// and MAC texts, the terminal-information text and the named line groups
// (GPS lines, cell lines, status lines, the "AlertAndLang" block).
//
// The line writers expect the block's stream as the header left it (fill
// '0'); each sets the base and width of every number it writes.

#include <cstdint>
#include <ostream>
#include <string>

#include "protocol/blocks.h"
#include "protocol/value_types.h"

namespace Zuno {

// "yyyy-MM-dd hh:mm:ss" of a date-time field (year byte + 2000); no value is
// checked, so a month byte of 13 shows 13.
std::string dateTimeToString(const uint64_t& t);
// "00-1a-2b-3c-4d-5e" of a MAC held in the low 48 bits, first byte highest.
std::string macToString(const uint64_t& mac);

// "油电状态: false, GPS定位状态: true, ..." with a ", " after every piece.
std::ostream& operator<<(std::ostream& os, const TerminalContent& c);

// Degrees of a raw latitude or longitude: the field read as a signed 32-bit
// number, divided by 1,800,000 in single precision.
float coordinateDegrees(uint32_t raw);

// The GPS lines, in their order; the pieces serve dumps that put a line of
// their own in between.
void writeGpsTimeLine(std::ostream& os, uint64_t gpsTime);
// `"key" : "<date-time text> (0x<12 digits>)", ` of any date-time field.
void writeDateTimeLine(std::ostream& os, const char* key, uint64_t t);
void writeSatellitesLine(std::ostream& os, uint8_t satellites);
void writeLatitudeLine(std::ostream& os, uint32_t latitude);
void writeLongitudeLine(std::ostream& os, uint32_t longitude);
void writeSpeedLine(std::ostream& os, uint8_t speed);
void writeDirectStatusBlock(std::ostream& os, const DirectionAndStat& d);
void writeGpsLines(std::ostream& os, uint64_t gpsTime, uint8_t satellites, uint32_t latitude, uint32_t longitude,
                   uint8_t speed, const DirectionAndStat& directStatus);

// The cell lines. `wideMncText`: the MNC's hexadecimal part takes 4 digits
// (the 0xA0 to 0xA5 dumps when bit 15 of MCC is set), else 2.
void writeMccLine(std::ostream& os, uint16_t MCC);
void writeMncLine(std::ostream& os, uint16_t MNC, bool wideMncText);
void writeLacLine(std::ostream& os, uint16_t LAC);
void writeCellIdLine(std::ostream& os, uint32_t CellID);
void writeCellLines(std::ostream& os, uint16_t MCC, uint16_t MNC, uint16_t LAC, uint32_t CellID, bool wideMncText);

// The status lines: "content", "powerLevel" (voltage grade) and "signalLevel".
void writeContentLine(std::ostream& os, const TerminalContent& content);
void writePowerLevelLine(std::ostream& os, uint8_t powerLevel);
void writeSignalLevelLine(std::ostream& os, uint8_t signalLevel);
void writeStatusLines(std::ostream& os, const TerminalContent& content, uint8_t powerLevel, uint8_t signalLevel);

// The "AlertAndLang" block with its closing "}, ".
void writeAlertAndLangBlock(std::ostream& os, const AlertAndLang& a);

// "languageOrExt" line of the heartbeat and time packets: language name and
// the whole word in 4 digits.
void writeLanguageOrExtLine(std::ostream& os, uint16_t languageOrExt);

// Line groups over the members of a message.

template <class M>
void writeGpsLinesOf(std::ostream& os, const M& m) {
    writeGpsLines(os, m.gpsTime, m.satellites, m.latitude, m.longitude, m.speed, m.directStatus);
}
// `rule`: MncWidth::ByMcc in the dumps of 0xA0 to 0xA5 (4 MNC digits when
// bit 15 of MCC is set); every other dump, 0xA7 included, MncWidth::OneByte.
template <class M>
void writeCellLinesOf(std::ostream& os, const M& m, MncWidth rule) {
    writeCellLines(os, m.MCC, m.MNC, m.LAC, m.CellID, wideMnc(m.MCC, rule));
}
template <class M>
void writeStatusLinesOf(std::ostream& os, const M& m) {
    writeStatusLines(os, m.content, m.powerLevel, m.signalLevel);
}

} // namespace Zuno
