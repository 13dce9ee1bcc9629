#pragma once
// Alarms without a GPS fix (0x19, and 0xA5 with the MNC width rule) and the
// short 0x95 alarm of the mirror terminal.
//
//   0x19: MCC(2) MNC(1)       LAC(2) cell(3) status(3) alarm(2)        length 18
//   0xA5: MCC(2) MNC(1 or 2)  LAC(2) cell(3) status(3) alarm(2)        length 18 or 19
//   0x95: time(6) [lat(4) lon(4) course(2)] type(1) [value(2)]         length 12 .. 24
// The 0x95 parts are chosen by `hasGps` and `hasValue` on encode and by the
// length field on decode.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/blocks.h"
#include "protocol/message.h"
#include "protocol/value_types.h"

namespace Zuno {

class ZunoAlert19 : public ZunoMSG {
public:
    uint16_t MCC = 0;
    uint16_t MNC = 0;
    uint16_t LAC = 0;
    uint32_t CellID = 0;
    TerminalContent content{};
    uint8_t powerLevel = 0;
    uint8_t signalLevel = 0;
    ::Zuno::AlertAndLang AlertAndLang{};

    static constexpr uint8_t kProtocol = 0x19;

    ZunoAlert19() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoAlert19(uint8_t protocolNumber) : ZunoMSG(protocolNumber) {}
    int encodeWith(std::vector<uint8_t>& out, MncWidth rule);
    int decodeWith(const std::vector<uint8_t>& frame, MncWidth rule);
};

// 0xA5: the 0x19 content with a two-byte MNC when bit 15 of MCC is set.
class ZunoAlertA5 : public ZunoAlert19 {
public:
    static constexpr uint8_t kProtocol = 0xA5;

    ZunoAlertA5() : ZunoAlert19(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoAlert95 : public ZunoMSG {
public:
    uint8_t hasGps = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    DirectionAndStat directStatus{};
    uint16_t Value = 0;
    uint8_t Alert = 0;
    uint8_t hasValue = 0;
    uint64_t gpsTime = 0;

    static constexpr uint8_t kProtocol = 0x95;

    ZunoAlert95() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
