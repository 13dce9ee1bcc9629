#pragma once
// The checks every fuzz target applies to what the program made of its input.
//
// Faithful round trip: when a frame decodes with 0 and the message encodes to
// E, then E decodes with 0 into a fresh object of the same class, that object's
// dump equals the message's dump and encoding it gives E again, byte for byte.
// A check that fails prints what it saw and aborts, which the fuzzer reports
// as a finding (and the replay programs as a failed test).

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "protocol/crc.h"
#include "protocol/helpers.h"
#include "protocol/message.h"
#include "protocol/trans_info.h"

namespace fuzz {

[[noreturn]] inline void fail(const char* format, ...) {
    std::fprintf(stderr, "\n== fuzz finding: ");
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fprintf(stderr, "\n");
    std::abort();
}

inline std::string hex(const std::vector<uint8_t>& bytes) { return Zuno::toHex(bytes, 0, bytes.size(), " "); }

// Runs `step`; an exception escaping it is a finding.
template <class Fn>
auto noThrow(const char* what, Fn&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const std::exception& e) {
        fail("%s threw: %s", what, e.what());
    } catch (...) {
        fail("%s threw", what);
    }
}

// The message's dump; for a 0x94 message also its information type and its
// module's own block, which the message's dump leaves out.
inline std::string dumpOf(Zuno::ZunoMSG& msg) {
    std::string text = msg.toString();
    if (auto* info = dynamic_cast<Zuno::ZunoTransInfo94*>(&msg)) {
        text += "information type " + std::to_string(info->infoType) + "\n";
        if (info->module) text += info->module->toString();
    }
    return text;
}

// A default-constructed object of one class.
using MessageFactory = std::function<std::unique_ptr<Zuno::ZunoMSG>()>;

// The faithful-round-trip check of a message that decoded with 0 (or was
// built); `fresh` makes an empty object of its class. Returns E, or nothing
// when the message does not encode. The message's own `len` and `crc` become
// those of E (encode writes them), so its dump is that of the message as sent.
inline std::unique_ptr<std::vector<uint8_t>> checkFaithful(Zuno::ZunoMSG& msg, const MessageFactory& fresh) {
    const std::string before = dumpOf(msg);
    // A copy renders as its original.
    if (dumpOf(*msg.clone()) != before) fail("clone renders apart from its original:\n%s", before.c_str());

    auto encoded = std::make_unique<std::vector<uint8_t>>();
    std::vector<uint8_t>& e = *encoded;
    if (msg.encode(e) != 0) {
        if (!e.empty()) fail("a failed encode wrote %zu bytes", e.size());
        return nullptr;
    }
    const std::string dump = dumpOf(msg);

    auto again = fresh();
    const Zuno::ZunoMSG& a = *again;
    if (typeid(a) != typeid(msg)) fail("the fresh object is not of the message's class");
    const int rc = again->decode(e);
    if (rc != 0) fail("the encoded frame does not decode (%d): %s\n%s", rc, hex(e).c_str(), dump.c_str());
    const std::string dumpAgain = dumpOf(*again);
    if (dumpAgain != dump)
        fail("the encoded frame decodes into another message\nframe: %s\nsent:\n%s\nread back:\n%s", hex(e).c_str(),
             dump.c_str(), dumpAgain.c_str());
    std::vector<uint8_t> e2;
    if (again->encode(e2) != 0) fail("the decoded copy does not encode: %s", hex(e).c_str());
    if (e2 != e) fail("encoding the decoded copy gives other bytes\nfirst: %s\nagain: %s", hex(e).c_str(), hex(e2).c_str());
    return encoded;
}

// Decodes `frame` into a fresh object and, when it decodes with 0, applies
// checkFaithful. Returns the decoded message (null when decode failed).
inline std::unique_ptr<Zuno::ZunoMSG> decodeAndCheck(const std::vector<uint8_t>& frame, const MessageFactory& fresh) {
    auto msg = fresh();
    const int rc = msg->decode(frame);
    // Whatever decode left behind renders and copies without fault.
    dumpOf(*msg);
    msg->clone();
    if (rc != 0) return nullptr;
    checkFaithful(*msg, fresh);
    return msg;
}

// Writes the CRC that the frame's length field calls for, where it fits, so
// that mutations reach the content decoders.
inline void putCrcRight(std::vector<uint8_t>& f) {
    if (f.size() < 10) return;
    const Zuno::FrameHeader head = Zuno::FrameHeader::read(f);
    if (head.length() < 2 || head.stopPos() > f.size()) return;
    const uint16_t crc = Zuno::crcItu(f, Zuno::kCrcStart, head.crcCount());
    f[head.crcPos()] = static_cast<uint8_t>(crc >> 8);
    f[head.crcPos() + 1] = static_cast<uint8_t>(crc);
}

} // namespace fuzz
