#pragma once
// Minimal message classes that exercise the shared frame steps on their own.

#include <iomanip>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "protocol/message.h"
#include "render/dump.h"

namespace zt {

// A message without content, written with the common header and trailer.
class BareMessage : public Zuno::ZunoMSG {
public:
    explicit BareMessage(uint8_t protocolNumber = 0x01) : ZunoMSG(protocolNumber) {}
    int encode(std::vector<uint8_t>& out) override { return encodeFrame(out, nullptr); }
    int decode(const std::vector<uint8_t>& frame) override { return decodeFrame(frame, nullptr); }
    std::unique_ptr<Zuno::ZunoMSG> clone() const override { return std::make_unique<BareMessage>(*this); }
    std::string toString() override { return Zuno::renderBlock(*this); }
};

inline std::ostream& operator<<(std::ostream& os, const BareMessage& m) {
    Zuno::writeHeader(os, m);
    Zuno::writeTrailer(os, m);
    return os;
}

// A message whose content is a byte string read up to the serial number, and
// whose encode can be told to fail after writing part of its content.
class BlobMessage : public Zuno::ZunoMSG {
public:
    std::vector<uint8_t> content;
    int failWith = 0;
    size_t fixedRead = 0; // read this many content bytes whatever the length says

    BlobMessage() : ZunoMSG(0x99) {}
    int encode(std::vector<uint8_t>& out) override {
        return encodeFrame(out, [this](Zuno::ByteWriter& w) {
            w.bytes(content);
            return failWith;
        });
    }
    int decode(const std::vector<uint8_t>& frame) override {
        return decodeFrame(frame, [this](Zuno::ByteReader& r) {
            content = r.bytes(fixedRead ? fixedRead : r.untilSerial());
            return 0;
        });
    }
    std::unique_ptr<Zuno::ZunoMSG> clone() const override { return std::make_unique<BlobMessage>(*this); }
};

} // namespace zt
