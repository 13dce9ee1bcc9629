#pragma once
// Time requests of the terminal and the platform's date-time answers.
//
//   0x8A request   no content                                  length 5
//   0x8A reply     date-time (6)                               length 11
//   0x1F packet    date-time (6) | language word (2)           length 13
//   0x1F reply     date-time (6)                               length 11

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/message.h"

namespace Zuno {

class ZunoSyncTime : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x8A;

    ZunoSyncTime() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoSyncTimeResp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x8A;

    uint64_t time = 0; // date-time block in bits 47-0

    ZunoSyncTimeResp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoSyncTime1F : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x1F;

    uint64_t time = 0;
    uint16_t languageOrExt = 0;

    ZunoSyncTime1F() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoSyncTime1FResp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x1F;

    uint64_t time = 0;

    ZunoSyncTime1FResp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
