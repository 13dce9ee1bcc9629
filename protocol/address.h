#pragma once
// Address requests of the terminal and the platform's address replies.
//
//   0x17 request  MCC (2) | MNC (1) | LAC (2) | cell (3) | phone (21) | alarm | language   length 36
//   0xA7 request  as 0x17, MNC two bytes when bit 15 of MCC is set                    length 36 or 37
//   0x1A request  date-time (6) | GPS block (12) | phone (21) | alarm | language        length 46
//   0x2A request  as 0x1A
//   0x17 / 0x97 reply
//       cmdSize (1, or 2 in a long frame) | flag (4) | tag (7 "ADDRESS" or 8) | "&&" |
//       address (2 bytes per unit) | "&&" | phone (21) | "##"
//
// The replies choose the frame form themselves: a long frame once the short
// length field can no longer hold the length.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/message.h"
#include "protocol/value_types.h"

namespace Zuno {

// Encode: a phone number of more than 21 bytes.
constexpr int kErrPhoneTooLong = -32770;
// Decode of a reply: an odd address byte count, or one that does not fit
// the frame.
constexpr int kErrAddressLength = -4;

constexpr size_t kPhoneBytes = 21;

class ZunoGeocoding17 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x17;
    static constexpr uint16_t kLength = 36;

    uint16_t MCC = 0;
    uint16_t MNC = 0;
    uint16_t LAC = 0;
    uint32_t CellID = 0;
    std::string phone; // at most 21 bytes; 21 bytes, padding included, after a decode
    Zuno::AlertAndLang AlertAndLang;

    ZunoGeocoding17() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoGeocoding17(uint8_t protocolNumber) : ZunoMSG(protocolNumber) {}
    int encodeCellRequest(std::vector<uint8_t>& out, bool mncByMcc);
    int decodeCellRequest(const std::vector<uint8_t>& frame, bool mncByMcc);
};

// MNC of one or two bytes by bit 15 of MCC.
class ZunoGeocodingA7 : public ZunoGeocoding17 {
public:
    static constexpr uint8_t kProtocol = 0xA7;

    ZunoGeocodingA7() : ZunoGeocoding17(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoGeocoding1A : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x1A;
    static constexpr uint16_t kLength = 46;

    uint64_t gpsTime = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    uint8_t speed = 0;
    uint8_t satellites = 0;
    DirectionAndStat directStatus;
    std::string phone;
    Zuno::AlertAndLang AlertAndLang;

    ZunoGeocoding1A() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoGeocoding1A(uint8_t protocolNumber) : ZunoMSG(protocolNumber) {}
};

// The content of 0x1A under its own protocol number.
class ZunoGeocoding2A : public ZunoGeocoding1A {
public:
    static constexpr uint8_t kProtocol = 0x2A;

    ZunoGeocoding2A() : ZunoGeocoding1A(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

// Chinese-address reply (0x17).
class ZunoGeocoding17Resp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x17;
    // The 7-byte tag; any other tag is 8 bytes long.
    static constexpr const char* kTag = "ADDRESS";

    uint16_t cmdSize = 0; // content bytes after it: 31 + tag + address bytes
    uint32_t flag = 0;
    std::string tag;
    std::u16string address;
    std::string phone;

    ZunoGeocoding17Resp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoGeocoding17Resp(uint8_t protocolNumber) : ZunoMSG(protocolNumber) {}
    int encodeReply(std::vector<uint8_t>& out);
    int decodeReply(const std::vector<uint8_t>& frame);
};

// English-address reply (0x97); the layout of 0x17, two bytes per unit.
class ZunoGeocoding97Resp : public ZunoGeocoding17Resp {
public:
    static constexpr uint8_t kProtocol = 0x97;

    ZunoGeocoding97Resp() : ZunoGeocoding17Resp(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
