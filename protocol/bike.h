#pragma once
// Bike location (0x32) and bike alarm (0x33) reports of the terminal, made of
// sections that each stand behind a length byte, and their empty replies.
//
//   time(6)
//   gpsSize(1)       [GPS block(12)]             when gpsSize is 12
//   lbsMasterSize(1) [MCC 2, MNC 1, LAC 2, cell 3, RSSI 1]   when it is 9
//   lbsSlaveSize(1)  [6 x (LAC 2, cell 3, RSSI 1)]           when it is 36
//   WiFi length(1)   [7 bytes per entry]          the byte count, 7 x n
//   postModel / alertType(1)
//   extSize(1)       [flag 2, status 1 | + user id 3 | + distance 2]
//
// The section lengths are members: encode writes them as held (a debugging
// tool may send lengths that the decoder refuses) and writes a section only
// for the length that announces it; decode refuses a length it does not know
// with -5 to -9. The WiFi length is worked out from the list.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/lbs.h"
#include "protocol/message.h"
#include "protocol/value_types.h"
#include "protocol/wifi.h"

namespace Zuno {

// decode of 0x32 and 0x33: a section length byte the layout does not know.
constexpr int kErrBikeGpsSize = -5;
constexpr int kErrBikeMasterSize = -6;
constexpr int kErrBikeSlaveSize = -7;
constexpr int kErrBikeWifiLength = -8;
constexpr int kErrBikeExtSize = -9;

constexpr uint8_t kBikeGpsSize = 12;
constexpr uint8_t kBikeMasterSize = 9;
constexpr uint8_t kBikeSlaveSize = 36;
constexpr size_t kBikeNeighbourCells = 6;
// The WiFi length byte holds 7 bytes per entry: at most 36 entries (252).
constexpr size_t kBikeWifiMax = 0xFF / kWifiEntryBytes;

// The extension forms that the layout knows: none, 3, 6 and 8 bytes.
bool bikeExtSizeKnown(uint8_t extSize);

using BikeCellList = std::array<CellRecord, kBikeNeighbourCells>;

// The members both reports carry, named by their dump keys. Not a message of
// its own: each report class is a ZunoMSG that also holds these.
struct BikeReportFields {
    uint64_t time = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    uint8_t speed = 0;
    uint8_t gpsSize = 0;
    uint8_t satellites = 0;
    DirectionAndStat directStatus{};
    uint8_t lbsMasterSize = 0;
    uint16_t MCC = 0;
    uint16_t MNC = 0; // one byte on the wire, whatever MCC says
    uint16_t LAC = 0;
    uint32_t CellID = 0;
    uint8_t RSSI = 0;
    uint8_t lbsSlaveSize = 0;
    BikeCellList lists{}; // neighbour cells 1 to 6
    WifiList wifiArray;
    uint8_t extSize = 0;
    uint16_t bluetoothFlag = 0;
    uint8_t bluetoothStatus = 0;
    uint32_t userID = 0; // 24 bits on the wire
    uint16_t distance = 0;
};

class ZunoBikeLoc32 : public ZunoMSG, public BikeReportFields {
public:
    uint8_t postModel = 0xFF; // upload mode; 0xFF "unknown"

    static constexpr uint8_t kProtocol = 0x32;

    ZunoBikeLoc32() : ZunoMSG(kProtocol) {}
    // Fails with kErrLengthOverflow, writing nothing, when the WiFi list has
    // more entries than its length byte can count or the frame's length field
    // cannot hold the content.
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoBikeAlert33 : public ZunoMSG, public BikeReportFields {
public:
    uint8_t alertType = 0; // alarm code

    static constexpr uint8_t kProtocol = 0x33;

    ZunoBikeAlert33() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override; // as ZunoBikeLoc32
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

// The platform's replies: no content, length field 5.
class ZunoBikeLoc32Resp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x32;

    ZunoBikeLoc32Resp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoBikeAlert33Resp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x33;

    ZunoBikeAlert33Resp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
