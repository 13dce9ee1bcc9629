#pragma once
// GPS alarm reports of the terminal (a fix, the serving cell, the status bytes
// and the alarm/language pair) and the platform's empty 0x26 reply.
//
// Content after the protocol number, m = 1 for a two-byte MNC (0xA3/0xA4 with
// MCC bit 15 set):
//   0x16: time(6) gps(12)          cell(7)     status(3) alarm(2)
//   0x26: time(6) gps(12) lbsLen(1) cell(7)     status(3) alarm(2)          [mileage(4)]
//   0x27: time(6) gps(12) lbsLen(1) cell(7)     status(3) alarm(2) fence(1) [mileage(4)]
//   0xA3: time(6) gps(12) lbsLen(1) cell(7 + m) status(3) alarm(2)
//   0xA4: time(6) gps(12) lbsLen(1) cell(7 + m) status(3) alarm(2) fence(1)
// A mileage of 0 is not sent; on decode the length field tells whether the
// mileage is there.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/message.h"
#include "protocol/value_types.h"

namespace Zuno {

// The fields every GPS alarm carries, named by their dump keys. Not a message
// of its own: each alarm class is a ZunoMSG that also holds these.
struct GpsAlarmFields {
    uint64_t gpsTime = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    uint8_t satellites = 0;
    uint8_t speed = 0;
    DirectionAndStat directStatus{};
    uint16_t MCC = 0;
    uint16_t MNC = 0;
    uint16_t LAC = 0;
    uint32_t CellID = 0;
    TerminalContent content{};
    uint8_t powerLevel = 0;
    uint8_t signalLevel = 0;
    ::Zuno::AlertAndLang AlertAndLang{};
};

class ZunoAlert16 : public ZunoMSG, public GpsAlarmFields {
public:
    static constexpr uint8_t kProtocol = 0x16;

    ZunoAlert16() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoAlert26 : public ZunoMSG, public GpsAlarmFields {
public:
    // What the frame carried; encode writes the value true to the frame and
    // stores it here.
    uint8_t lbsLength = 0;
    uint32_t distance = 0; // mileage; 0 is not sent

    static constexpr uint8_t kProtocol = 0x26;

    ZunoAlert26() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoAlert27 : public ZunoMSG, public GpsAlarmFields {
public:
    uint8_t lbsLength = 0;
    uint8_t fenceID = 0;
    uint32_t distance = 0;

    static constexpr uint8_t kProtocol = 0x27;

    ZunoAlert27() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoAlertA3 : public ZunoMSG, public GpsAlarmFields {
public:
    uint8_t lbsLength = 0;

    static constexpr uint8_t kProtocol = 0xA3;

    ZunoAlertA3() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoAlertA4 : public ZunoMSG, public GpsAlarmFields {
public:
    uint8_t lbsLength = 0;
    uint8_t fenceID = 0;

    static constexpr uint8_t kProtocol = 0xA4;

    ZunoAlertA4() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

// The platform's reply to a 0x26 alarm: no content, length field 5.
class ZunoAlertResp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x26;

    ZunoAlertResp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
