#include "protocol/alarm.h"

#include "protocol/blocks.h"
#include "protocol/layout.h"

namespace Zuno {

namespace {

// Length fields of the two alarms that may carry a mileage, without it.
constexpr uint16_t kBaseLength26 = 0x25;
constexpr uint16_t kBaseLength27 = 0x26;
// Content bytes up to and including the alarm/language pair, without the
// LBS length byte and with a one-byte MNC.
constexpr size_t kCoreBytes = 31;
constexpr size_t kMileageBytes = 4;

// The LBS length byte counts the cell part on the wire: itself, MCC, MNC, LAC
// and the cell id.
uint8_t cellPartLength(bool twoByteMnc) { return twoByteMnc ? 10 : 9; }

// Date-time and GPS block; with `lbsLength`, the LBS length byte (the value
// true to the cell part that follows, also stored there); the cell block; the
// status bytes; the alarm/language pair.
void writeAlarmCore(ByteWriter& w, const GpsAlarmFields& f, uint8_t* lbsLength, MncWidth rule) {
    encodeDateTime(w, f.gpsTime);
    encodeGpsBlock(w, f);
    if (lbsLength) {
        *lbsLength = cellPartLength(wideMnc(f.MCC, rule));
        w.u8(*lbsLength);
    }
    encodeCellBlock(w, f, rule);
    encodeStatusBlock(w, f);
    encodeAlertAndLang(w, f.AlertAndLang);
}

// Reads the same parts, after checking that they and `tailBytes` more bytes
// fit before the serial number that the length field places. Returns
// kErrContentShort (the reader failed, nothing read) when they do not.
int readAlarmCore(ByteReader& r, GpsAlarmFields& f, uint8_t* lbsLength, MncWidth rule, size_t tailBytes) {
    const size_t lbsBytes = lbsLength ? 1 : 0;
    const size_t mccAt = kDateTimeBytes + kGpsBlockBytes + lbsBytes;
    const size_t mncBytes = wideMncAt(r, mccAt, rule) ? 2 : 1;
    if (!requireContent(r, kCoreBytes + lbsBytes + (mncBytes - 1) + tailBytes)) return kErrContentShort;
    f.gpsTime = decodeDateTime(r);
    decodeGpsBlock(r, f);
    if (lbsLength) *lbsLength = r.u8();
    decodeCellBlock(r, f, rule);
    decodeStatusBlock(r, f);
    decodeAlertAndLang(r, f.AlertAndLang);
    return 0;
}

// The mileage goes on the wire only when it is not 0. On decode the length
// field says whether the frame carries it, so bytes after the frame change
// nothing; a frame without it leaves `distance` 0, whatever an earlier frame
// carried.
void writeMileage(ByteWriter& w, uint32_t distance) {
    if (distance != 0) w.u32(distance);
}
bool carriesMileage(uint16_t lengthField, uint16_t baseLength) { return lengthField > baseLength; }

} // namespace

int ZunoAlert16::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        writeAlarmCore(w, *this, nullptr, MncWidth::OneByte);
        return 0;
    });
}

int ZunoAlert16::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) { return readAlarmCore(r, *this, nullptr, MncWidth::OneByte, 0); });
}

int ZunoAlert26::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        writeAlarmCore(w, *this, &lbsLength, MncWidth::OneByte);
        writeMileage(w, distance);
        return 0;
    });
}

int ZunoAlert26::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        const bool mileage = carriesMileage(len, kBaseLength26);
        const int rc = readAlarmCore(r, *this, &lbsLength, MncWidth::OneByte, mileage ? kMileageBytes : 0);
        if (rc < 0) return rc;
        distance = mileage ? r.u32() : 0;
        return 0;
    });
}

int ZunoAlert27::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        writeAlarmCore(w, *this, &lbsLength, MncWidth::OneByte);
        w.u8(fenceID);
        writeMileage(w, distance);
        return 0;
    });
}

int ZunoAlert27::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        const bool mileage = carriesMileage(len, kBaseLength27);
        const int rc = readAlarmCore(r, *this, &lbsLength, MncWidth::OneByte, 1 + (mileage ? kMileageBytes : 0));
        if (rc < 0) return rc;
        fenceID = r.u8();
        distance = mileage ? r.u32() : 0;
        return 0;
    });
}

int ZunoAlertA3::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        writeAlarmCore(w, *this, &lbsLength, MncWidth::ByMcc);
        return 0;
    });
}

int ZunoAlertA3::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) { return readAlarmCore(r, *this, &lbsLength, MncWidth::ByMcc, 0); });
}

int ZunoAlertA4::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        writeAlarmCore(w, *this, &lbsLength, MncWidth::ByMcc);
        w.u8(fenceID);
        return 0;
    });
}

int ZunoAlertA4::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        const int rc = readAlarmCore(r, *this, &lbsLength, MncWidth::ByMcc, 1);
        if (rc < 0) return rc;
        fenceID = r.u8();
        return 0;
    });
}

int ZunoAlertResp::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }
int ZunoAlertResp::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }

std::unique_ptr<ZunoMSG> ZunoAlert16::clone() const { return std::make_unique<ZunoAlert16>(*this); }
std::unique_ptr<ZunoMSG> ZunoAlert26::clone() const { return std::make_unique<ZunoAlert26>(*this); }
std::unique_ptr<ZunoMSG> ZunoAlert27::clone() const { return std::make_unique<ZunoAlert27>(*this); }
std::unique_ptr<ZunoMSG> ZunoAlertA3::clone() const { return std::make_unique<ZunoAlertA3>(*this); }
std::unique_ptr<ZunoMSG> ZunoAlertA4::clone() const { return std::make_unique<ZunoAlertA4>(*this); }
std::unique_ptr<ZunoMSG> ZunoAlertResp::clone() const { return std::make_unique<ZunoAlertResp>(*this); }

} // namespace Zuno
