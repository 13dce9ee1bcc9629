#include "protocol/value_types.h"

namespace Zuno {

namespace {
constexpr unsigned bit(unsigned value, unsigned pos) { return (value >> pos) & 1u; }
} // namespace

uint16_t toWord(const DirectionAndStat& d) {
    return static_cast<uint16_t>((d.direction & kDirectionMask) | (bit(d.latiDirection, 0) << 10) |
                                 (bit(d.lngDirection, 0) << 11) | (bit(d.isLocated, 0) << 12) |
                                 (bit(d.locationModel, 0) << 13));
}

void fromWord(DirectionAndStat& d, uint16_t word) {
    d.locationModel = static_cast<uint8_t>(bit(word, 13));
    d.isLocated = static_cast<uint8_t>(bit(word, 12));
    d.lngDirection = static_cast<uint8_t>(bit(word, 11));
    d.latiDirection = static_cast<uint8_t>(bit(word, 10));
    d.direction = static_cast<uint16_t>(word & kDirectionMask);
}

DirectionAndStat directionAndStatOf(uint16_t word) {
    DirectionAndStat d;
    fromWord(d, word);
    return d;
}

uint8_t toByte(const TerminalContent& c) {
    return static_cast<uint8_t>(bit(c.defence, 0) | (bit(c.acc, 0) << 1) | (bit(c.charging, 0) << 2) |
                                ((c.alarm & kTerminalAlarmMask) << 3) | (bit(c.gpsLocated, 0) << 6) |
                                (bit(c.oilElectricity, 0) << 7));
}

void fromByte(TerminalContent& c, uint8_t byte) {
    c.defence = static_cast<uint8_t>(bit(byte, 0));
    c.acc = static_cast<uint8_t>(bit(byte, 1));
    c.charging = static_cast<uint8_t>(bit(byte, 2));
    c.alarm = static_cast<uint8_t>((byte >> 3) & kTerminalAlarmMask);
    c.gpsLocated = static_cast<uint8_t>(bit(byte, 6));
    c.oilElectricity = static_cast<uint8_t>(bit(byte, 7));
}

TerminalContent terminalContentOf(uint8_t byte) {
    TerminalContent c;
    fromByte(c, byte);
    return c;
}

uint16_t toWord(const AlertAndLang& a) { return static_cast<uint16_t>((a.alert << 8) | a.language); }

void fromWord(AlertAndLang& a, uint16_t word) {
    a.alert = static_cast<uint8_t>(word >> 8);
    a.language = static_cast<uint8_t>(word & 0xFF);
}

AlertAndLang alertAndLangOf(uint16_t word) {
    AlertAndLang a;
    fromWord(a, word);
    return a;
}

// Equal when they pack to the same wire value.
bool operator==(const DirectionAndStat& a, const DirectionAndStat& b) { return toWord(a) == toWord(b); }
bool operator==(const TerminalContent& a, const TerminalContent& b) { return toByte(a) == toByte(b); }
bool operator==(const AlertAndLang& a, const AlertAndLang& b) { return toWord(a) == toWord(b); }

} // namespace Zuno
