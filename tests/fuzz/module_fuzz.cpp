// The modules of the information-transfer message (0x94) on their own: decode
// at any position of any data, dump, copy and encode, with the faithful round
// trip of the module and of a 0x94 message that carries it.
//
// First byte: bits 7-1 choose the module, bit 0 how it is filled: decoded
// from the data at the position of the next two bytes, or its fields set from
// the data directly (texts of any length and content, as a model would give
// them). The rest is the data.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "protocol/trans_info.h"
#include "tests/fuzz/fuzz_classes.h"
#include "tests/fuzz/oracle.h"

namespace {

using Zuno::ZunoPPGenarelModule;
using fuzz::ModuleKind;

// Takes the next text of the data: a length byte and that many bytes.
std::string nextText(const std::vector<uint8_t>& data, size_t& at) {
    if (at >= data.size()) return {};
    const size_t n = std::min<size_t>(data[at], data.size() - at - 1);
    std::string s(reinterpret_cast<const char*>(data.data()) + at + 1, n);
    at += 1 + n;
    return s;
}

uint64_t nextNumber(const std::vector<uint8_t>& data, size_t& at, size_t bytes) {
    uint64_t v = 0;
    for (size_t i = 0; i < bytes; ++i, ++at) v = v << 8 | (at < data.size() ? data[at] : 0);
    return v;
}

// Sets every field of the module from the data, as a builder might.
void fill(ZunoPPGenarelModule& m, const std::vector<uint8_t>& data) {
    using namespace Zuno;
    size_t at = 0;
    auto n = [&](size_t bytes) { return nextNumber(data, at, bytes); };
    if (auto* p = dynamic_cast<ModulePowerVolt*>(&m)) p->vol = static_cast<uint16_t>(n(2));
    if (auto* p = dynamic_cast<ModuleDoorStat*>(&m)) {
        p->doorStatus.door = static_cast<uint8_t>(n(1));
        p->doorStatus.triggerLevel = static_cast<uint8_t>(n(1));
        p->doorStatus.ioLevel = static_cast<uint8_t>(n(1));
    }
    if (auto* p = dynamic_cast<ModuleShakeCount*>(&m)) p->shakeCount = static_cast<uint16_t>(n(2));
    if (auto* p = dynamic_cast<ModuleCountCarlorie*>(&m)) p->shakeCount = static_cast<uint32_t>(n(4));
    if (auto* p = dynamic_cast<ModuleEnvInfo*>(&m)) {
        p->atmosphericPressure = static_cast<uint32_t>(n(4));
        p->temperature = static_cast<uint32_t>(n(4));
        p->humidity = static_cast<uint32_t>(n(4));
    }
    if (auto* p = dynamic_cast<ModuleBTData2*>(&m)) {
        p->bettaryVoltage = static_cast<uint16_t>(n(2));
        p->photovoltaicsVolt = static_cast<uint16_t>(n(2));
        p->electricCurrent = static_cast<uint16_t>(n(2));
    }
    if (auto* p = dynamic_cast<ModuleGuideMachine*>(&m)) {
        p->timestamp = n(8);
        p->approved = static_cast<uint32_t>(n(4));
        p->allowed = static_cast<uint32_t>(n(4));
    }
    if (auto* p = dynamic_cast<ModuleAdminPostFlag*>(&m)) p->timestamp = n(8);
    if (auto* p = dynamic_cast<ModuleTerminalStat*>(&m)) p->content = nextText(data, at);
    if (auto* p = dynamic_cast<ModuleRFID*>(&m)) p->RFID = nextText(data, at);
    if (auto* p = dynamic_cast<ModuleICCID*>(&m)) {
        p->imei = nextText(data, at);
        p->imsi = nextText(data, at);
        p->iccid = nextText(data, at);
    }
}

// The bytes a module's decode reads: how far it moves a position over no data.
size_t sizeOf(const ZunoPPGenarelModule& m) {
    size_t pos = 0;
    m.clone()->decode({}, pos);
    return pos;
}

// The module's round trip: its encoding decodes into a module that renders
// the same and encodes to the same bytes. Returns whether it encoded.
bool checkModule(ZunoPPGenarelModule& m, const ModuleKind& k, bool decoded) {
    const std::string dump = m.toString();
    if (m.clone()->toString() != dump) fuzz::fail("%s: a copy renders apart from its original", k.name);
    std::vector<uint8_t> e{0xEE};
    const int n = m.encode(e);
    if (n <= 0) {
        if (decoded && (n < 0 || sizeOf(m) > 0)) fuzz::fail("%s: a decoded module does not encode (%d)", k.name, n);
        return false;
    }
    if (static_cast<size_t>(n) != e.size() - 1) fuzz::fail("%s: encode says %d bytes, wrote %zu", k.name, n, e.size() - 1);
    auto again = k.make();
    const size_t size = sizeOf(*again);
    size_t pos = 1;
    again->decode(e, pos);
    if (pos != 1 + size) fuzz::fail("%s: decode did not move past the module", k.name);
    // A module whose encoding is of its decode size reads back what it wrote.
    if (static_cast<size_t>(n) != size) return true;
    if (decoded && again->toString() != dump)
        fuzz::fail("%s: the encoded module decodes into another\nwritten: %s\nsent:\n%s\nread back:\n%s", k.name,
                   fuzz::hex(e).c_str(), dump.c_str(), again->toString().c_str());
    std::vector<uint8_t> e2{0xEE};
    if (again->encode(e2) != n || e2 != e)
        fuzz::fail("%s: encoding the decoded module gives other bytes\nfirst: %s\nagain: %s", k.name,
                   fuzz::hex(e).c_str(), fuzz::hex(e2).c_str());
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const auto& k = fuzz::moduleKinds()[(data[0] >> 1) % fuzz::moduleKinds().size()];
    const bool decodeIt = (data[0] & 1) == 0;
    const size_t at = static_cast<size_t>(data[1] << 8 | data[2]);
    const std::vector<uint8_t> bytes(data + 3, data + size);

    auto module = k.make();
    const size_t moduleBytes = sizeOf(*module);
    if (decodeIt) {
        size_t pos = at;
        const size_t end = module->decode(bytes, pos);
        // The base module reads nothing, returns 0 and leaves the position.
        if (pos != at + moduleBytes || (end != pos && (moduleBytes != 0 || end != 0)))
            fuzz::fail("%s: decode at %zu moved to %zu and returned %zu", k.name, at, pos, end);
    } else {
        fill(*module, bytes);
    }
    // A module decoded from bytes that all lie inside the data is a real one.
    const bool whole = decodeIt && at + moduleBytes <= bytes.size();
    checkModule(*module, k, whole);

    // The same module carried by a 0x94 message.
    Zuno::ZunoTransInfo94 msg(module);
    msg.infoType = bytes.empty() ? 0 : bytes[0];
    msg.seq = static_cast<uint16_t>(at);
    if (whole) {
        fuzz::checkFaithful(msg, k.carrying);
    } else {
        // Values no decode produced: what they encode to must round-trip.
        std::vector<uint8_t> frame;
        if (msg.encode(frame) == 0) fuzz::decodeAndCheck(frame, k.carrying);
    }
    return 0;
}
