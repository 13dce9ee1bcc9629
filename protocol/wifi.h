#pragma once
// WiFi location reports of the terminal.
//
// Content layouts (bytes between the protocol number and the serial):
//   0x2C  date-time, MCC, MNC (1), cell list, timing advance, WiFi list   53 + 7n
//   0xA2  as 0x2C, MNC two bytes when bit 15 of MCC is set                53/54 + 7n
//   0xC3  date-time, satellites, latitude, longitude, course/status word,
//         WiFi list                                                       18 + 7n
// The WiFi list is a count byte and that many entries of 7 bytes: the MAC
// address (6 bytes, first byte first) and the RSSI. The bike reports carry
// the same entries behind a length byte of their own.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "protocol/blocks.h"
#include "protocol/lbs.h"
#include "protocol/message.h"
#include "protocol/value_types.h"

namespace Zuno {

// MAC address in the low 48 bits (first byte most significant) and RSSI.
using WifiEntry = std::pair<uint64_t, uint8_t>;
using WifiList = std::vector<WifiEntry>;

constexpr size_t kWifiEntryBytes = 7;
// The count byte announces at most this many entries.
constexpr size_t kWifiCountMax = 0xFF;
constexpr uint64_t kMacMask = 0xFFFFFFFFFFFFull;

// Entries only, each 6 MAC bytes and the RSSI.
void encodeWifiEntries(ByteWriter& w, const WifiList& list);
// Reads `count` entries into `list` (replacing what it held); fails the
// reader, reading nothing, when they do not fit before the serial number.
bool decodeWifiEntries(ByteReader& r, size_t count, WifiList& list);

// Count byte and entries. A list longer than the count byte can announce is
// refused with kErrLengthOverflow and nothing is written.
int encodeWifiList(ByteWriter& w, const WifiList& list);
bool decodeWifiList(ByteReader& r, WifiList& list);

class ZunoWifiLoc2C : public ZunoMSG {
public:
    uint64_t time = 0;
    uint16_t MCC = 0;
    uint16_t MNC = 0;
    CellList lists{};
    uint8_t timeOffset = 0;
    WifiList wifiArray;

    static constexpr uint8_t kProtocol = 0x2C;

    ZunoWifiLoc2C() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoWifiLoc2C(uint8_t protocolNumber) : ZunoMSG(protocolNumber) {}
    int encodeWith(std::vector<uint8_t>& out, MncWidth rule);
    int decodeWith(const std::vector<uint8_t>& frame, MncWidth rule);
};

class ZunoWifiInfoA2 : public ZunoWifiLoc2C {
public:
    static constexpr uint8_t kProtocol = 0xA2;

    ZunoWifiInfoA2() : ZunoWifiLoc2C(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoWifiLocC3 : public ZunoMSG {
public:
    uint64_t time = 0;
    uint8_t satellites = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    DirectionAndStat directStatus{};
    WifiList wifiArray;

    static constexpr uint8_t kProtocol = 0xC3;

    ZunoWifiLocC3() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
