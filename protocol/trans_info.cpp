#include "protocol/trans_info.h"

#include "protocol/blocks.h"
#include "protocol/helpers.h"

namespace Zuno {

namespace {

// Hexadecimal digits of the next `n` bytes (upper case), or "" when they run
// past the data; the cursor moves on by `n` (and fails) either way.
std::string hexField(ByteReader& r, size_t n) {
    const std::string text = r.has(n) ? toHex(r.data(), r.pos(), n, "") : std::string();
    r.skip(n);
    return text;
}

// Appends the bytes of a hexadecimal text when it gives exactly `n` bytes.
bool appendHexField(std::vector<uint8_t>& out, const std::string& text, size_t n) {
    const auto bytes = hexToBytes(text);
    if (!bytes || bytes->size() != n) return false;
    out.insert(out.end(), bytes->begin(), bytes->end());
    return true;
}

template <class M>
std::unique_ptr<ZunoPPGenarelModule> cloneOf(const M& m) {
    return std::make_unique<M>(m);
}

// Reads a module of `size` bytes at `pos` through a bounded cursor (a field
// beyond the data comes out 0 or empty), moves `pos` on by `size` and
// returns it.
template <class Read>
size_t readModule(const std::vector<uint8_t>& data, size_t& pos, size_t size, Read read) {
    ByteReader r(data, pos);
    read(r);
    pos += size;
    return pos;
}

// The bytes a module's decode reads: it moves a position by its size even
// where there is no data.
size_t moduleSize(const ZunoPPGenarelModule& m) {
    size_t pos = 0;
    m.clone()->decode({}, pos);
    return pos;
}

} // namespace

// ---- module base -----------------------------------------------------------------

ZunoPPGenarelModule::~ZunoPPGenarelModule() = default;

int ZunoPPGenarelModule::encode(std::vector<uint8_t>&) { return 0; }

size_t ZunoPPGenarelModule::decode(const std::vector<uint8_t>&, size_t&) { return 0; }

std::unique_ptr<ZunoPPGenarelModule> ZunoPPGenarelModule::clone() const { return cloneOf(*this); }

// ---- numeric modules ---------------------------------------------------------------

int ModulePowerVolt::encode(std::vector<uint8_t>& out) {
    ByteWriter(out).u16(vol);
    return 2;
}
size_t ModulePowerVolt::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 2, [this](ByteReader& r) { vol = r.u16(); });
}
std::unique_ptr<ZunoPPGenarelModule> ModulePowerVolt::clone() const { return cloneOf(*this); }

uint8_t ModuleDoorStat::wireByte() const {
    return static_cast<uint8_t>((doorStatus.door & 1u) | ((doorStatus.triggerLevel & 1u) << 1) |
                                ((doorStatus.ioLevel & 1u) << 2));
}
int ModuleDoorStat::encode(std::vector<uint8_t>& out) {
    ByteWriter(out).u8(wireByte());
    return 1;
}
size_t ModuleDoorStat::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 1, [this](ByteReader& r) {
        const uint8_t b = r.u8();
        doorStatus.door = b & 1u;
        doorStatus.triggerLevel = (b >> 1) & 1u;
        doorStatus.ioLevel = (b >> 2) & 1u;
    });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleDoorStat::clone() const { return cloneOf(*this); }

int ModuleShakeCount::encode(std::vector<uint8_t>& out) {
    ByteWriter(out).u16(shakeCount);
    return 2;
}
size_t ModuleShakeCount::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 2, [this](ByteReader& r) { shakeCount = r.u16(); });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleShakeCount::clone() const { return cloneOf(*this); }

int ModuleCountCarlorie::encode(std::vector<uint8_t>& out) {
    ByteWriter(out).u32(shakeCount);
    return 4;
}
size_t ModuleCountCarlorie::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 4, [this](ByteReader& r) { shakeCount = r.u32(); });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleCountCarlorie::clone() const { return cloneOf(*this); }

int ModuleEnvInfo::encode(std::vector<uint8_t>& out) {
    ByteWriter w(out);
    w.u32(atmosphericPressure);
    w.u32(temperature);
    w.u32(humidity);
    return 12;
}
size_t ModuleEnvInfo::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 12, [this](ByteReader& r) {
        atmosphericPressure = r.u32();
        temperature = r.u32();
        humidity = r.u32();
    });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleEnvInfo::clone() const { return cloneOf(*this); }

int ModuleBTData2::encode(std::vector<uint8_t>& out) {
    ByteWriter w(out);
    w.u16(bettaryVoltage);
    w.u16(photovoltaicsVolt);
    w.u16(electricCurrent);
    return 6;
}
size_t ModuleBTData2::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 6, [this](ByteReader& r) {
        bettaryVoltage = r.u16();
        photovoltaicsVolt = r.u16();
        electricCurrent = r.u16();
    });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleBTData2::clone() const { return cloneOf(*this); }

int ModuleGuideMachine::encode(std::vector<uint8_t>& out) {
    ByteWriter w(out);
    encodeDateTime(w, timestamp);
    w.u32(approved);
    w.u32(allowed);
    return 14;
}
size_t ModuleGuideMachine::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, kDateTimeBytes + 8, [this](ByteReader& r) {
        timestamp = decodeDateTime(r);
        approved = r.u32();
        allowed = r.u32();
    });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleGuideMachine::clone() const { return cloneOf(*this); }

int ModuleAdminPostFlag::encode(std::vector<uint8_t>& out) {
    ByteWriter w(out);
    encodeDateTime(w, timestamp);
    return static_cast<int>(kDateTimeBytes);
}
size_t ModuleAdminPostFlag::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, kDateTimeBytes, [this](ByteReader& r) { timestamp = decodeDateTime(r); });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleAdminPostFlag::clone() const { return cloneOf(*this); }

std::unique_ptr<ZunoPPGenarelModule> ModuleSafeAreaFlag::clone() const { return cloneOf(*this); }

// ---- raw-text modules ----------------------------------------------------------------

int ModuleTerminalStat::encode(std::vector<uint8_t>& out) {
    out.insert(out.end(), content.begin(), content.end());
    return static_cast<int>(content.size());
}
size_t ModuleTerminalStat::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, kReadBytes, [this](ByteReader& r) { content = r.text(kReadBytes); });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleTerminalStat::clone() const { return cloneOf(*this); }

std::unique_ptr<ZunoPPGenarelModule> ModuleCheckPara::clone() const { return cloneOf(*this); }
std::unique_ptr<ZunoPPGenarelModule> ModuleVin::clone() const { return cloneOf(*this); }
std::unique_ptr<ZunoPPGenarelModule> ModuleUUID::clone() const { return cloneOf(*this); }

// ---- identifier modules ----------------------------------------------------------------

int ModuleRFID::encode(std::vector<uint8_t>& out) {
    return appendHexField(out, RFID, 8) ? 8 : kErrModuleText1;
}
size_t ModuleRFID::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 8, [this](ByteReader& r) { RFID = hexField(r, 8); });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleRFID::clone() const { return cloneOf(*this); }

// A failed field returns at once: the fields before it stay written.
int ModuleICCID::encode(std::vector<uint8_t>& out) {
    if (!appendHexField(out, imei, 8)) return kErrModuleText1;
    if (!appendHexField(out, imsi, 8)) return kErrModuleText2;
    if (!appendHexField(out, iccid, 10)) return kErrModuleText3;
    return 26;
}
size_t ModuleICCID::decode(const std::vector<uint8_t>& data, size_t& pos) {
    return readModule(data, pos, 26, [this](ByteReader& r) {
        imei = hexField(r, 8);
        imsi = hexField(r, 8);
        iccid = hexField(r, 10);
    });
}
std::unique_ptr<ZunoPPGenarelModule> ModuleICCID::clone() const { return cloneOf(*this); }

// ---- 0x94 ------------------------------------------------------------------------------

int ZunoTransInfo94::encode(std::vector<uint8_t>& out) {
    if (!module) return kErrTransInfoModule;
    return encodeFrame(out, [&](ByteWriter& w) {
        w.u8(infoType);
        const int n = module->encode(w.buffer());
        return n > 0 ? 0 : kErrTransInfoModule;
    });
}

int ZunoTransInfo94::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!module) return kErrTransInfoModule;
        // The module's bytes must lie before the serial that the length places.
        if (!requireContent(r, 1 + moduleSize(*module))) return kErrContentShort;
        infoType = r.u8();
        size_t pos = r.pos();
        module->decode(r.data(), pos);
        // The serial follows where the module's decode left the position.
        r.seek(pos);
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoTransInfo94::clone() const { return std::make_unique<ZunoTransInfo94>(*this); }

} // namespace Zuno
