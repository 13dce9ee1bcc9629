#include "protocol/bike.h"

#include "protocol/blocks.h"

namespace Zuno {

namespace {

constexpr size_t kMasterCellBytes = 9;       // MCC, MNC, LAC, cell id, RSSI
constexpr size_t kNeighbourBytes = kBikeNeighbourCells * kCellRecordBytes;

// Extension forms: flag word and status (3), then the user id (6), then the
// distance (8). Other lengths are still written by these thresholds.
bool extHasFlag(uint8_t extSize) { return extSize > 2; }
bool extHasUser(uint8_t extSize) { return extSize > 5; }
bool extHasDistance(uint8_t extSize) { return extSize == 8; }

int writeBikeReport(ByteWriter& w, const BikeReportFields& f, uint8_t typeByte) {
    if (f.wifiArray.size() > kBikeWifiMax) return kErrLengthOverflow;
    encodeDateTime(w, f.time);
    w.u8(f.gpsSize);
    if (f.gpsSize == kBikeGpsSize) encodeGpsBlock(w, f);
    w.u8(f.lbsMasterSize);
    if (f.lbsMasterSize == kBikeMasterSize) {
        encodeCellBlock(w, f, MncWidth::OneByte);
        w.u8(f.RSSI);
    }
    w.u8(f.lbsSlaveSize);
    if (f.lbsSlaveSize == kBikeSlaveSize) encodeCellList(w, f.lists);
    w.u8(static_cast<uint8_t>(f.wifiArray.size() * kWifiEntryBytes));
    encodeWifiEntries(w, f.wifiArray);
    w.u8(typeByte);
    w.u8(f.extSize);
    if (extHasFlag(f.extSize)) {
        w.u16(f.bluetoothFlag);
        w.u8(f.bluetoothStatus);
    }
    if (extHasUser(f.extSize)) w.u24(f.userID & 0xFFFFFF);
    if (extHasDistance(f.extSize)) w.u16(f.distance);
    return 0;
}

// Reads the sections forward. A length byte the layout does not know stops
// the reading with its code, kept in its member; a section that would run
// past the serial number that the length field places stops it with
// kErrContentShort.
int readBikeReport(ByteReader& r, BikeReportFields& f, uint8_t& typeByte) {
    if (!requireContent(r, kDateTimeBytes + 1)) return kErrContentShort;
    f.time = decodeDateTime(r);
    f.gpsSize = r.u8();
    if (f.gpsSize != 0 && f.gpsSize != kBikeGpsSize) return kErrBikeGpsSize;
    if (f.gpsSize == kBikeGpsSize) {
        if (!requireContent(r, kGpsBlockBytes)) return kErrContentShort;
        decodeGpsBlock(r, f);
    }

    if (!requireContent(r, 1)) return kErrContentShort;
    f.lbsMasterSize = r.u8();
    if (f.lbsMasterSize != 0 && f.lbsMasterSize != kBikeMasterSize) return kErrBikeMasterSize;
    if (f.lbsMasterSize == kBikeMasterSize) {
        if (!requireContent(r, kMasterCellBytes)) return kErrContentShort;
        decodeCellBlock(r, f, MncWidth::OneByte);
        f.RSSI = r.u8();
    }

    if (!requireContent(r, 1)) return kErrContentShort;
    f.lbsSlaveSize = r.u8();
    if (f.lbsSlaveSize != 0 && f.lbsSlaveSize != kBikeSlaveSize) return kErrBikeSlaveSize;
    if (f.lbsSlaveSize == kBikeSlaveSize) {
        if (!requireContent(r, kNeighbourBytes)) return kErrContentShort;
        decodeCellList(r, f.lists);
    }

    if (!requireContent(r, 1)) return kErrContentShort;
    const uint8_t wifiLength = r.u8();
    if (wifiLength % kWifiEntryBytes != 0) return kErrBikeWifiLength;
    if (!decodeWifiEntries(r, wifiLength / kWifiEntryBytes, f.wifiArray)) return kErrContentShort;

    if (!requireContent(r, 2)) return kErrContentShort;
    typeByte = r.u8();
    f.extSize = r.u8();
    if (!bikeExtSizeKnown(f.extSize)) return kErrBikeExtSize;
    if (!requireContent(r, f.extSize)) return kErrContentShort;
    if (extHasFlag(f.extSize)) {
        f.bluetoothFlag = r.u16();
        f.bluetoothStatus = r.u8();
    }
    if (extHasUser(f.extSize)) f.userID = r.u24();
    if (extHasDistance(f.extSize)) f.distance = r.u16();
    return 0;
}

} // namespace

bool bikeExtSizeKnown(uint8_t extSize) { return extSize == 0 || extSize == 3 || extSize == 6 || extSize == 8; }

int ZunoBikeLoc32::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) { return writeBikeReport(w, *this, postModel); });
}
int ZunoBikeLoc32::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) { return readBikeReport(r, *this, postModel); });
}
int ZunoBikeAlert33::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) { return writeBikeReport(w, *this, alertType); });
}
int ZunoBikeAlert33::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) { return readBikeReport(r, *this, alertType); });
}

int ZunoBikeLoc32Resp::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }
int ZunoBikeLoc32Resp::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }
int ZunoBikeAlert33Resp::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }
int ZunoBikeAlert33Resp::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }

std::unique_ptr<ZunoMSG> ZunoBikeLoc32::clone() const { return std::make_unique<ZunoBikeLoc32>(*this); }
std::unique_ptr<ZunoMSG> ZunoBikeAlert33::clone() const { return std::make_unique<ZunoBikeAlert33>(*this); }
std::unique_ptr<ZunoMSG> ZunoBikeLoc32Resp::clone() const { return std::make_unique<ZunoBikeLoc32Resp>(*this); }
std::unique_ptr<ZunoMSG> ZunoBikeAlert33Resp::clone() const { return std::make_unique<ZunoBikeAlert33Resp>(*this); }

} // namespace Zuno
