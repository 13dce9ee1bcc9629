#pragma once
// The packed status values shared by many packets: the course/status word,
// the terminal-information byte and the alarm/language pair.
//
// Each type is a plain value with one member per field. The wire value is
// built and taken apart with explicit shifts and masks from the bit positions
// below, never through a compiler's bit-field layout, so the bytes are the
// same on every compiler. A member holding more bits than its field is cut to
// the field's width when packed (as a bit-field would hold it).

#include <cstdint>

namespace Zuno {

// Course/status word, 2 bytes on the wire:
//   bits 15-14  not held (written 0)
//   bit  13     locationModel   1 differential, 0 real-time positioning
//   bit  12     isLocated       1 the position is fixed
//   bit  11     lngDirection    1 west, 0 east longitude
//   bit  10     latiDirection   1 north, 0 south latitude
//   bits  9-0   direction       course in degrees, 0 to 1023
struct DirectionAndStat {
    uint8_t locationModel = 0;
    uint8_t isLocated = 0;
    uint8_t lngDirection = 0;
    uint8_t latiDirection = 0;
    uint16_t direction = 0;
};

// Terminal-information byte:
//   bit 7 oilElectricity (circuit cut), bit 6 gpsLocated, bits 5-3 alarm
//   (0 normal, 1 vibration, 2 power cut, 3 low battery, 4 SOS),
//   bit 2 charging, bit 1 acc, bit 0 defence.
struct TerminalContent {
    uint8_t defence = 0;
    uint8_t acc = 0;
    uint8_t charging = 0;
    uint8_t alarm = 0;
    uint8_t gpsLocated = 0;
    uint8_t oilElectricity = 0;
};

// Alarm code and language, in this order in memory and on the wire; as one
// big-endian number alert * 256 + language. Language: 0 no reply wanted,
// 1 Chinese, 2 English.
struct AlertAndLang {
    uint8_t alert = 0;
    uint8_t language = 0;
};

// Field widths, as the packed forms hold them.
constexpr uint16_t kDirectionMask = 0x3FF;
constexpr uint8_t kTerminalAlarmMask = 0x07;

uint16_t toWord(const DirectionAndStat& d);
// Sets every held field from the word; bits 15 and 14 are dropped.
void fromWord(DirectionAndStat& d, uint16_t word);
DirectionAndStat directionAndStatOf(uint16_t word);

uint8_t toByte(const TerminalContent& c);
void fromByte(TerminalContent& c, uint8_t byte);
TerminalContent terminalContentOf(uint8_t byte);

uint16_t toWord(const AlertAndLang& a);
void fromWord(AlertAndLang& a, uint16_t word);
AlertAndLang alertAndLangOf(uint16_t word);

bool operator==(const DirectionAndStat& a, const DirectionAndStat& b);
bool operator==(const TerminalContent& a, const TerminalContent& b);
bool operator==(const AlertAndLang& a, const AlertAndLang& b);
inline bool operator!=(const DirectionAndStat& a, const DirectionAndStat& b) { return !(a == b); }
inline bool operator!=(const TerminalContent& a, const TerminalContent& b) { return !(a == b); }
inline bool operator!=(const AlertAndLang& a, const AlertAndLang& b) { return !(a == b); }

} // namespace Zuno
