#pragma once
// Login (0x01) and heartbeat (0x13 voltage grade, 0x23 measured voltage)
// packets of the terminal, and the platform's empty replies to them.
//
//   0x01 login      IMEI (8, BCD-like) | device type (2) | time zone/language (2)   length 17
//   0x13 heartbeat  terminal info (1) | voltage grade (1) | GSM level (1) | language (2)   length 10
//   0x23 heartbeat  terminal info (1) | voltage 0.01 V (2) | GSM level (1) | language (2) length 11
//   replies         no content                                               length 5

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/message.h"
#include "protocol/value_types.h"

namespace Zuno {

// Time zone and language of the login, as the wire word
//   bits 15-4 timeZone | bit 3 westZone | bit 2 zero | bits 1-0 language.
struct TimeZoneLanguage {
    uint16_t timeZone = 0;    // offset as decimal hhmm (800 is 8:00), 12 bits
    uint8_t westZone = 0;     // 1: west of Greenwich
    uint8_t zoneReserved = 0; // kept by decode, never sent (written 0)
    uint8_t language = 0;     // 1 Chinese, 2 English, 0 none; 2 bits
};

constexpr uint16_t kTimeZoneMask = 0x0FFF;
constexpr uint8_t kLoginLanguageMask = 0x03;

// The word as sent (bit 2 always 0).
uint16_t toWord(const TimeZoneLanguage& z);
// The word as the dump shows it, with zoneReserved in bit 2.
uint16_t dumpWord(const TimeZoneLanguage& z);
// Sets timeZone, westZone and language; zoneReserved keeps its value.
void fromWord(TimeZoneLanguage& z, uint16_t word);

// Login encode results; nothing is appended to `out` on any of them.
constexpr int kErrLoginNoImei = -1;
constexpr int kErrLoginImeiTooLong = -2;
constexpr int kErrLoginUnknownType = -3;
constexpr int kErrLoginNoLanguage = -4;
constexpr int kErrLoginImeiSize = -5; // not 15 or 16 hexadecimal digits

constexpr uint16_t kDeviceTypeUnknown = 0xFFFF;

class ZunoLogin : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x01;

    // 15 or 16 hexadecimal digits to encode; 16 upper-case digits after a decode.
    std::string imei;
    uint16_t type = 0; // device type; 0xFFFF (unknown) cannot be encoded
    TimeZoneLanguage TimeZoneAndLanguage;

    ZunoLogin() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoLoginResp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x01;

    ZunoLoginResp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoPing13 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x13;

    TerminalContent content;
    uint8_t powerLevel = 0;  // voltage grade 0 to 6, 0xFF unknown
    uint8_t signalLevel = 0; // GSM level 0 to 4, 0xFF unknown
    uint16_t languageOrExt = 0;

    ZunoPing13() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoPong13 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x13;

    ZunoPong13() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoPing23 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x23;

    TerminalContent content;
    uint16_t powerLevel = 0; // battery voltage in 0.01 V (420 is 4.20 V)
    uint8_t signalLevel = 0;
    uint16_t languageOrExt = 0;

    ZunoPing23() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoPong23 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x23;

    ZunoPong23() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
