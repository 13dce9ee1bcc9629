#pragma once
// GPS location reports of the terminal and the platform's location reply.
//
// Content layouts (bytes between the protocol number and the serial):
//   0x10        date-time, GPS block, language word                  20 bytes
//   0x12        date-time, GPS block, cell (one-byte MNC)            26 bytes
//   0x22, 0x2D  as 0x12, ACC, upload mode, upload status [mileage]   29 (+4)
//   0x24        date-time, GPS block, altitude, cell, as 0x22 tail   31 (+4)
//   0xA0        as 0x22, MNC two bytes when bit 15 of MCC is set     29/30 (+4)
//   0x2D reply, 0x70   no content
// The mileage (`duration`) is sent only when it is not 0; a decoder takes it
// when the length field is larger than the layout without it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/blocks.h"
#include "protocol/message.h"
#include "protocol/value_types.h"

namespace Zuno {

// Starting value of the upload mode and upload status: "not set".
constexpr uint8_t kUploadUnset = 0xFF;

class ZunoGpsLoc10 : public ZunoMSG {
public:
    uint64_t gpsTime = 0;
    uint8_t satellites = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    uint8_t speed = 0;
    DirectionAndStat directStatus{};
    uint16_t language = 0;

    static constexpr uint8_t kProtocol = 0x10;

    ZunoGpsLoc10() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoGpsLoc12 : public ZunoMSG {
public:
    uint64_t gpsTime = 0;
    uint8_t satellites = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    uint8_t speed = 0;
    DirectionAndStat directStatus{};
    uint16_t MCC = 0;
    uint16_t MNC = 0;
    uint16_t LAC = 0;
    uint32_t CellID = 0;

    static constexpr uint8_t kProtocol = 0x12;

    ZunoGpsLoc12() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoGpsLoc12(uint8_t protocolNumber) : ZunoMSG(protocolNumber) {}
};

class ZunoGpsLoc22 : public ZunoGpsLoc12 {
public:
    uint8_t ACC = 0;
    uint8_t postModel = kUploadUnset;
    uint8_t postStatus = kUploadUnset;
    uint32_t duration = 0;

    static constexpr uint8_t kProtocol = 0x22;

    ZunoGpsLoc22() : ZunoGpsLoc12(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoGpsLoc22(uint8_t protocolNumber) : ZunoGpsLoc12(protocolNumber) {}
    int encodeWith(std::vector<uint8_t>& out, MncWidth rule);
    int decodeWith(const std::vector<uint8_t>& frame, MncWidth rule);
};

// Same content as 0x22; encodes and decodes through it under its own number.
class ZunoGpsLoc2D : public ZunoGpsLoc22 {
public:
    static constexpr uint8_t kProtocol = 0x2D;

    ZunoGpsLoc2D() : ZunoGpsLoc22(kProtocol) {}
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoGpsLocA0 : public ZunoGpsLoc22 {
public:
    static constexpr uint8_t kProtocol = 0xA0;

    ZunoGpsLocA0() : ZunoGpsLoc22(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoGpsLoc24 : public ZunoGpsLoc12 {
public:
    uint16_t altitude = 0;
    uint8_t ACC = 0;
    uint8_t postModel = kUploadUnset;
    uint8_t postStatus = kUploadUnset;
    uint32_t duration = 0;

    static constexpr uint8_t kProtocol = 0x24;

    ZunoGpsLoc24() : ZunoGpsLoc12(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

// The platform's reply to a 0x2D report: no content.
class ZunoGpsLocResp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x2D;

    ZunoGpsLocResp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

// No content; its block is written without a stream operator.
class ZunoGpsLoc70 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x70;

    ZunoGpsLoc70() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
