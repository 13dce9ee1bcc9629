#include "protocol/wifi.h"

#include "protocol/layout.h"

namespace Zuno {

void encodeWifiEntries(ByteWriter& w, const WifiList& list) {
    for (const WifiEntry& e : list) {
        w.u48(e.first & kMacMask);
        w.u8(e.second);
    }
}

bool decodeWifiEntries(ByteReader& r, size_t count, WifiList& list) {
    list.clear();
    if (!requireContent(r, count * kWifiEntryBytes)) return false;
    list.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint64_t mac = r.u48();
        const uint8_t rssi = r.u8();
        list.emplace_back(mac, rssi);
    }
    return r.ok();
}

int encodeWifiList(ByteWriter& w, const WifiList& list) {
    if (list.size() > kWifiCountMax) return kErrLengthOverflow;
    w.u8(static_cast<uint8_t>(list.size()));
    encodeWifiEntries(w, list);
    return 0;
}

bool decodeWifiList(ByteReader& r, WifiList& list) {
    if (!requireContent(r, 1)) return false;
    return decodeWifiEntries(r, r.u8(), list);
}

// 0x2C, and through it 0xA2

int ZunoWifiLoc2C::encodeWith(std::vector<uint8_t>& out, MncWidth rule) {
    return encodeFrame(out, [this, rule](ByteWriter& w) {
        encodeCellReport(w, *this, rule);
        w.u8(timeOffset);
        return encodeWifiList(w, wifiArray);
    });
}

int ZunoWifiLoc2C::decodeWith(const std::vector<uint8_t>& frame, MncWidth rule) {
    return decodeFrame(frame, [this, rule](ByteReader& r) {
        const bool wide = wideMncAt(r, kCellReportMccOffset, rule);
        if (!requireContent(r, cellReportBytes(wide) + 1)) return kErrContentShort;
        decodeCellReport(r, *this, rule);
        timeOffset = r.u8();
        return decodeWifiList(r, wifiArray) ? 0 : kErrContentShort;
    });
}

int ZunoWifiLoc2C::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::OneByte); }

int ZunoWifiLoc2C::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::OneByte); }

std::unique_ptr<ZunoMSG> ZunoWifiLoc2C::clone() const { return std::make_unique<ZunoWifiLoc2C>(*this); }

int ZunoWifiInfoA2::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::ByMcc); }

int ZunoWifiInfoA2::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::ByMcc); }

std::unique_ptr<ZunoMSG> ZunoWifiInfoA2::clone() const { return std::make_unique<ZunoWifiInfoA2>(*this); }

// 0xC3: the GPS block without its speed byte

int ZunoWifiLocC3::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        encodeDateTime(w, time);
        w.u8(satellites);
        w.u32(latitude);
        w.u32(longitude);
        encodeDirectionAndStat(w, directStatus);
        return encodeWifiList(w, wifiArray);
    });
}

int ZunoWifiLocC3::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        if (!requireContent(r, kDateTimeBytes + kGpsBlockBytes - 1)) return kErrContentShort;
        time = decodeDateTime(r);
        satellites = r.u8();
        latitude = r.u32();
        longitude = r.u32();
        decodeDirectionAndStat(r, directStatus);
        return decodeWifiList(r, wifiArray) ? 0 : kErrContentShort;
    });
}

std::unique_ptr<ZunoMSG> ZunoWifiLocC3::clone() const { return std::make_unique<ZunoWifiLocC3>(*this); }

} // namespace Zuno
