#pragma once
// The field blocks that most packets are made of, converted in place by each
// class's encode and decode: date-time, GPS fix, cell, the three status bytes,
// the alarm/language pair and the language word. All values are big-endian;
// nothing is checked for plausibility.
//
// Each block has a function pair over explicit fields, and a template pair
// over any message whose members carry the block's field names, e.g.
//   encodeGpsBlock(w, *this);   decodeCellBlock(r, *this, MncWidth::ByMcc);

#include <cstddef>
#include <cstdint>

#include "protocol/byte_cursor.h"
#include "protocol/value_types.h"

namespace Zuno {

// Sizes on the wire.
constexpr size_t kDateTimeBytes = 6;
constexpr size_t kGpsBlockBytes = 12;
constexpr size_t kStatusBytes = 3;

// A date-time field holds year - 2000, month, day, hour, minute, second in
// bits 47-0, one plain byte each; bits 63-48 are 0.
constexpr uint64_t kDateTimeMask = 0xFFFFFFFFFFFFull;
// Latitude and longitude: unsigned, in 1/1,800,000 degree.
constexpr uint32_t kCoordinateUnitsPerDegree = 1800000;

void encodeDateTime(ByteWriter& w, uint64_t t);
uint64_t decodeDateTime(ByteReader& r);

void encodeDirectionAndStat(ByteWriter& w, const DirectionAndStat& d);
void decodeDirectionAndStat(ByteReader& r, DirectionAndStat& d);

// satellites, latitude, longitude, speed, course/status word.
void encodeGps(ByteWriter& w, uint8_t satellites, uint32_t latitude, uint32_t longitude, uint8_t speed,
               const DirectionAndStat& directStatus);
void decodeGps(ByteReader& r, uint8_t& satellites, uint32_t& latitude, uint32_t& longitude, uint8_t& speed,
               DirectionAndStat& directStatus);

// How wide MNC is on the wire. OneByte: always its low byte. ByMcc: two bytes
// when bit 15 of MCC is set (the packets 0xA0 to 0xA5 and 0xA7); MCC itself
// is stored and written with that bit unchanged.
enum class MncWidth { OneByte, ByMcc };

constexpr uint16_t kMncWidthFlag = 0x8000;
// Whether MNC takes two bytes for this MCC under the given rule.
bool wideMnc(uint16_t MCC, MncWidth rule);

void encodeMccMnc(ByteWriter& w, uint16_t MCC, uint16_t MNC, MncWidth rule);
void decodeMccMnc(ByteReader& r, uint16_t& MCC, uint16_t& MNC, MncWidth rule);
// LAC (2 bytes) and the 24-bit cell id (3 bytes); the field's high byte is 0
// after a decode and ignored by an encode.
void encodeLacCell(ByteWriter& w, uint16_t LAC, uint32_t CellID);
void decodeLacCell(ByteReader& r, uint16_t& LAC, uint32_t& CellID);
void encodeCell(ByteWriter& w, uint16_t MCC, uint16_t MNC, uint16_t LAC, uint32_t CellID, MncWidth rule);
void decodeCell(ByteReader& r, uint16_t& MCC, uint16_t& MNC, uint16_t& LAC, uint32_t& CellID, MncWidth rule);

void encodeTerminalContent(ByteWriter& w, const TerminalContent& c);
void decodeTerminalContent(ByteReader& r, TerminalContent& c);

// Terminal-information byte, voltage level byte, GSM signal level byte.
void encodeStatus(ByteWriter& w, const TerminalContent& content, uint8_t powerLevel, uint8_t signalLevel);
void decodeStatus(ByteReader& r, TerminalContent& content, uint8_t& powerLevel, uint8_t& signalLevel);

void encodeAlertAndLang(ByteWriter& w, const AlertAndLang& a);
void decodeAlertAndLang(ByteReader& r, AlertAndLang& a);

// A fixed content layout of `bytes` bytes must fit before the serial number
// that the length field places; when it does not, the reader is failed and
// false returned, so a frame whose length field is smaller than its layout is
// refused instead of taking its CRC and stop bytes for content.
bool requireContent(ByteReader& r, size_t bytes);

// Block helpers over the members of a message.

template <class M>
void encodeGpsBlock(ByteWriter& w, const M& m) {
    encodeGps(w, m.satellites, m.latitude, m.longitude, m.speed, m.directStatus);
}
template <class M>
void decodeGpsBlock(ByteReader& r, M& m) {
    decodeGps(r, m.satellites, m.latitude, m.longitude, m.speed, m.directStatus);
}

template <class M>
void encodeCellBlock(ByteWriter& w, const M& m, MncWidth rule) {
    encodeCell(w, m.MCC, m.MNC, m.LAC, m.CellID, rule);
}
template <class M>
void decodeCellBlock(ByteReader& r, M& m, MncWidth rule) {
    decodeCell(r, m.MCC, m.MNC, m.LAC, m.CellID, rule);
}

template <class M>
void encodeStatusBlock(ByteWriter& w, const M& m) {
    encodeStatus(w, m.content, m.powerLevel, m.signalLevel);
}
template <class M>
void decodeStatusBlock(ByteReader& r, M& m) {
    decodeStatus(r, m.content, m.powerLevel, m.signalLevel);
}

} // namespace Zuno
