#pragma once
// The information-transfer packet (0x94) and the modules it carries.
//
//   0x94  information type (1) | module (n)        length 6 + n
//
// A module is a small record whose layout depends on the kind of
// information. The packet holds one module by shared pointer and decodes
// into whatever module it holds: the information type does not choose one.
//
//   module                 wire layout                                         bytes
//   ModulePowerVolt        vol (2)                                                 2
//   ModuleDoorStat         bit 0 door, bit 1 trigger level, bit 2 IO level         1
//   ModuleShakeCount       count (2)                                               2
//   ModuleCountCarlorie    count (4)                                               4
//   ModuleEnvInfo          pressure (4) | temperature (4) | humidity (4)          12
//   ModuleBTData2          battery (2) | photovoltaic (2) | current (2)            6
//   ModuleGuideMachine     date-time (6) | approved (4) | allowed (4)             14
//   ModuleAdminPostFlag    date-time (6)                                           6
//   ModuleSafeAreaFlag     as ModuleAdminPostFlag
//   ModuleTerminalStat     encode: the bytes of content; decode: 7 bytes
//   ModuleCheckPara, ModuleVin, ModuleUUID: as ModuleTerminalStat
//   ModuleRFID             8 bytes, held as 16 hexadecimal digits                  8
//   ModuleICCID            imei (8) | imsi (8) | iccid (10), as hexadecimal text  26

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/message.h"

namespace Zuno {

// 0x94: the module failed to encode, wrote nothing, or is missing.
constexpr int kErrTransInfoModule = -251658241; // 0xF0FFFFFF
// Module encodes of the identifier modules: the (first) text that does not
// give its bytes.
constexpr int kErrModuleText1 = -5;
constexpr int kErrModuleText2 = -6;
constexpr int kErrModuleText3 = -7;

class ZunoPPGenarelModule {
public:
    uint8_t moduleType = 0xFF; // the dumps name it; no encode or decode touches it

    ZunoPPGenarelModule() = default;
    explicit ZunoPPGenarelModule(uint8_t type) : moduleType(type) {}
    ZunoPPGenarelModule(const ZunoPPGenarelModule&) = default;
    ZunoPPGenarelModule& operator=(const ZunoPPGenarelModule&) = default;
    virtual ~ZunoPPGenarelModule();

    // Appends the module and returns the bytes written, or a negative code.
    // The base writes nothing and returns 0.
    virtual int encode(std::vector<uint8_t>& out);
    // Reads the module at `pos`, moves `pos` past it and returns the new
    // position. Bytes beyond the end of `data` are never read: a field whose
    // bytes lie beyond it becomes 0 or empty, and `pos` still moves on by the
    // module's size. The base reads nothing, returns 0 and leaves `pos`.
    virtual size_t decode(const std::vector<uint8_t>& data, size_t& pos);
    virtual std::unique_ptr<ZunoPPGenarelModule> clone() const;
    virtual std::string toString();

    // Name of a module type, or "" when it has none.
    static std::string moduleName(const uint8_t& type);
};

class ModulePowerVolt : public ZunoPPGenarelModule {
public:
    uint16_t vol = 0;

    ModulePowerVolt() : ZunoPPGenarelModule(0x00) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

struct DoorStatus {
    uint8_t door = 0;         // 1 open
    uint8_t triggerLevel = 0; // 1 high trigger
    uint8_t ioLevel = 0;      // 1 IO high
};

class ModuleDoorStat : public ZunoPPGenarelModule {
public:
    DoorStatus doorStatus;

    ModuleDoorStat() : ZunoPPGenarelModule(0x05) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;

    // bit 0 door, bit 1 triggerLevel, bit 2 ioLevel.
    uint8_t wireByte() const;
};

class ModuleShakeCount : public ZunoPPGenarelModule {
public:
    uint16_t shakeCount = 0;

    ModuleShakeCount() : ZunoPPGenarelModule(0x11) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleCountCarlorie : public ZunoPPGenarelModule {
public:
    uint32_t shakeCount = 0;

    ModuleCountCarlorie() : ZunoPPGenarelModule(0x16) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleEnvInfo : public ZunoPPGenarelModule {
public:
    uint32_t atmosphericPressure = 0;
    uint32_t temperature = 0;
    uint32_t humidity = 0;

    ModuleEnvInfo() : ZunoPPGenarelModule(0x17) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleBTData2 : public ZunoPPGenarelModule {
public:
    uint16_t bettaryVoltage = 0;
    uint16_t photovoltaicsVolt = 0;
    uint16_t electricCurrent = 0;

    ModuleBTData2() : ZunoPPGenarelModule(0x27) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleGuideMachine : public ZunoPPGenarelModule {
public:
    uint64_t timestamp = 0; // date-time in bits 47-0
    uint32_t approved = 0;
    uint32_t allowed = 0;

    ModuleGuideMachine() : ZunoPPGenarelModule(0x0F) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleAdminPostFlag : public ZunoPPGenarelModule {
public:
    uint64_t timestamp = 0; // date-time in bits 47-0

    ModuleAdminPostFlag() : ZunoPPGenarelModule(0x25) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;

protected:
    explicit ModuleAdminPostFlag(uint8_t type) : ZunoPPGenarelModule(type) {}
};

class ModuleSafeAreaFlag : public ModuleAdminPostFlag {
public:
    ModuleSafeAreaFlag() : ModuleAdminPostFlag(0x26) {}
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

// Raw bytes: all of them are written, 7 are read.
class ModuleTerminalStat : public ZunoPPGenarelModule {
public:
    static constexpr size_t kReadBytes = 7;

    std::string content;

    ModuleTerminalStat() : ZunoPPGenarelModule(0x04) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;

protected:
    explicit ModuleTerminalStat(uint8_t type) : ZunoPPGenarelModule(type) {}
};

class ModuleCheckPara : public ModuleTerminalStat {
public:
    ModuleCheckPara() : ModuleTerminalStat(0x08) {}
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleVin : public ModuleTerminalStat {
public:
    ModuleVin() : ModuleTerminalStat(0x20) {}
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleUUID : public ModuleTerminalStat {
public:
    ModuleUUID() : ModuleTerminalStat(0x07) {}
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleRFID : public ZunoPPGenarelModule {
public:
    std::string RFID; // 16 hexadecimal digits; upper case after a decode

    ModuleRFID() : ZunoPPGenarelModule(0x1B) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ModuleICCID : public ZunoPPGenarelModule {
public:
    std::string imei;  // 8 bytes as 16 hexadecimal digits
    std::string imsi;  // 8 bytes
    std::string iccid; // 10 bytes

    ModuleICCID() : ZunoPPGenarelModule(0x0A) {}
    int encode(std::vector<uint8_t>& out) override;
    size_t decode(const std::vector<uint8_t>& data, size_t& pos) override;
    std::unique_ptr<ZunoPPGenarelModule> clone() const override;
    std::string toString() override;
};

class ZunoTransInfo94 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x94;

    uint8_t infoType = 0;
    std::shared_ptr<ZunoPPGenarelModule> module; // shared with clones

    ZunoTransInfo94() : ZunoMSG(kProtocol) {}
    explicit ZunoTransInfo94(std::shared_ptr<ZunoPPGenarelModule> m) : ZunoMSG(kProtocol), module(std::move(m)) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
