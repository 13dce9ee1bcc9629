#include "protocol/alarm_cell.h"

#include "protocol/blocks.h"
#include "protocol/layout.h"

namespace Zuno {

namespace {

// Content of 0x19 with a one-byte MNC: cell block, status bytes, alarm pair.
constexpr size_t kCellAlarmBytes = 13;

// Length fields of the 0x95 layouts that decide which parts a frame carries.
constexpr uint16_t k95WithGps = 22; // date-time, GPS part, alarm type
constexpr uint16_t k95Plain = 12;   // date-time, alarm type
constexpr size_t k95GpsBytes = 10;  // latitude, longitude, course/status word
constexpr size_t k95ValueBytes = 2;

} // namespace

int ZunoAlert19::encodeWith(std::vector<uint8_t>& out, MncWidth rule) {
    return encodeFrame(out, [this, rule](ByteWriter& w) {
        encodeCellBlock(w, *this, rule);
        encodeStatusBlock(w, *this);
        encodeAlertAndLang(w, AlertAndLang);
        return 0;
    });
}

int ZunoAlert19::decodeWith(const std::vector<uint8_t>& frame, MncWidth rule) {
    return decodeFrame(frame, [this, rule](ByteReader& r) {
        if (!requireContent(r, kCellAlarmBytes + (wideMncAt(r, 0, rule) ? 1 : 0))) return kErrContentShort;
        decodeCellBlock(r, *this, rule);
        decodeStatusBlock(r, *this);
        decodeAlertAndLang(r, AlertAndLang);
        return 0;
    });
}

int ZunoAlert19::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::OneByte); }
int ZunoAlert19::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::OneByte); }
int ZunoAlertA5::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::ByMcc); }
int ZunoAlertA5::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::ByMcc); }

int ZunoAlert95::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        encodeDateTime(w, gpsTime);
        if (hasGps) {
            w.u32(latitude);
            w.u32(longitude);
            encodeDirectionAndStat(w, directStatus);
        }
        w.u8(Alert);
        if (hasValue) w.u16(Value);
        return 0;
    });
}

// The parts are told by the length field: 22 and more carry the GPS part;
// above the layout without it, the alarm value follows the alarm type.
int ZunoAlert95::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        const bool gps = len >= k95WithGps;
        const bool value = len > (gps ? k95WithGps : k95Plain);
        const size_t bytes = kDateTimeBytes + (gps ? k95GpsBytes : 0) + 1 + (value ? k95ValueBytes : 0);
        if (!requireContent(r, bytes)) return kErrContentShort;
        gpsTime = decodeDateTime(r);
        if (gps) {
            latitude = r.u32();
            longitude = r.u32();
            decodeDirectionAndStat(r, directStatus);
        }
        hasGps = gps ? 1 : 0;
        Alert = r.u8();
        if (value) Value = r.u16();
        hasValue = value ? 1 : 0;
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoAlert19::clone() const { return std::make_unique<ZunoAlert19>(*this); }
std::unique_ptr<ZunoMSG> ZunoAlertA5::clone() const { return std::make_unique<ZunoAlertA5>(*this); }
std::unique_ptr<ZunoMSG> ZunoAlert95::clone() const { return std::make_unique<ZunoAlert95>(*this); }

} // namespace Zuno
