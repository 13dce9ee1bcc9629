#include "protocol/blocks.h"

namespace Zuno {

void encodeDateTime(ByteWriter& w, uint64_t t) { w.u48(t & kDateTimeMask); }

uint64_t decodeDateTime(ByteReader& r) { return r.u48(); }

void encodeDirectionAndStat(ByteWriter& w, const DirectionAndStat& d) { w.u16(toWord(d)); }

void decodeDirectionAndStat(ByteReader& r, DirectionAndStat& d) {
    const uint16_t word = r.u16();
    if (r.ok()) fromWord(d, word);
}

void encodeGps(ByteWriter& w, uint8_t satellites, uint32_t latitude, uint32_t longitude, uint8_t speed,
               const DirectionAndStat& directStatus) {
    w.u8(satellites);
    w.u32(latitude);
    w.u32(longitude);
    w.u8(speed);
    encodeDirectionAndStat(w, directStatus);
}

void decodeGps(ByteReader& r, uint8_t& satellites, uint32_t& latitude, uint32_t& longitude, uint8_t& speed,
               DirectionAndStat& directStatus) {
    satellites = r.u8();
    latitude = r.u32();
    longitude = r.u32();
    speed = r.u8();
    decodeDirectionAndStat(r, directStatus);
}

bool wideMnc(uint16_t MCC, MncWidth rule) { return rule == MncWidth::ByMcc && (MCC & kMncWidthFlag) != 0; }

void encodeMccMnc(ByteWriter& w, uint16_t MCC, uint16_t MNC, MncWidth rule) {
    w.u16(MCC);
    if (wideMnc(MCC, rule))
        w.u16(MNC);
    else
        w.u8(static_cast<uint8_t>(MNC & 0xFF));
}

void decodeMccMnc(ByteReader& r, uint16_t& MCC, uint16_t& MNC, MncWidth rule) {
    MCC = r.u16();
    MNC = wideMnc(MCC, rule) ? r.u16() : r.u8();
}

void encodeLacCell(ByteWriter& w, uint16_t LAC, uint32_t CellID) {
    w.u16(LAC);
    w.u24(CellID & 0xFFFFFFu);
}

void decodeLacCell(ByteReader& r, uint16_t& LAC, uint32_t& CellID) {
    LAC = r.u16();
    CellID = r.u24();
}

void encodeCell(ByteWriter& w, uint16_t MCC, uint16_t MNC, uint16_t LAC, uint32_t CellID, MncWidth rule) {
    encodeMccMnc(w, MCC, MNC, rule);
    encodeLacCell(w, LAC, CellID);
}

void decodeCell(ByteReader& r, uint16_t& MCC, uint16_t& MNC, uint16_t& LAC, uint32_t& CellID, MncWidth rule) {
    decodeMccMnc(r, MCC, MNC, rule);
    decodeLacCell(r, LAC, CellID);
}

void encodeTerminalContent(ByteWriter& w, const TerminalContent& c) { w.u8(toByte(c)); }

void decodeTerminalContent(ByteReader& r, TerminalContent& c) {
    const uint8_t byte = r.u8();
    if (r.ok()) fromByte(c, byte);
}

void encodeStatus(ByteWriter& w, const TerminalContent& content, uint8_t powerLevel, uint8_t signalLevel) {
    encodeTerminalContent(w, content);
    w.u8(powerLevel);
    w.u8(signalLevel);
}

void decodeStatus(ByteReader& r, TerminalContent& content, uint8_t& powerLevel, uint8_t& signalLevel) {
    decodeTerminalContent(r, content);
    powerLevel = r.u8();
    signalLevel = r.u8();
}

void encodeAlertAndLang(ByteWriter& w, const AlertAndLang& a) {
    w.u8(a.alert);
    w.u8(a.language);
}

void decodeAlertAndLang(ByteReader& r, AlertAndLang& a) {
    a.alert = r.u8();
    a.language = r.u8();
}

bool requireContent(ByteReader& r, size_t bytes) {
    if (r.untilSerial() >= bytes && r.has(bytes)) return true;
    r.fail();
    return false;
}

} // namespace Zuno
