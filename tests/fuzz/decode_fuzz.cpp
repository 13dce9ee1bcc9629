// Arbitrary bytes into every message class: decode, then render, copy and
// encode whatever decode left in the object. Any crash or sanitizer report
// is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "protocol/crc.h"
#include "tests/fuzz/fuzz_classes.h"

namespace {

// Writes the CRC that the frame's length field calls for, where it fits.
void putCrcRight(std::vector<uint8_t>& f) {
    if (f.size() < 10) return;
    const bool longFrame = f[0] == 0x79 && f[1] == 0x79;
    const size_t header = longFrame ? 4 : 3;
    const size_t length = longFrame ? static_cast<size_t>(f[2] << 8 | f[3]) : f[2];
    if (length < 2 || header + length > f.size()) return;
    const uint16_t crc = Zuno::crcItu(f, 2, (header - 2) + length - 2);
    f[header + length - 2] = static_cast<uint8_t>(crc >> 8);
    f[header + length - 1] = static_cast<uint8_t>(crc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto& list = fuzz::classes();
    const auto& cls = list[(data[0] >> 1) % list.size()];
    std::vector<uint8_t> frame(data + 1, data + size);
    if (data[0] & 1) putCrcRight(frame);
    auto msg = cls.make();
    const int rc = msg->decode(frame);
    const std::string text = msg->toString();
    auto copy = msg->clone();
    std::vector<uint8_t> out;
    if (copy->encode(out) == 0 && rc == 0) {
        // A frame that decoded and encodes again must decode again.
        auto again = cls.make();
        if (again->decode(out) != 0) __builtin_trap();
    }
    return 0;
}
