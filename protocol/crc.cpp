#include "protocol/crc.h"

#include <array>

namespace Zuno {

namespace {

constexpr std::array<uint16_t, 256> makeTable() {
    std::array<uint16_t, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t c = static_cast<uint16_t>(i);
        for (int k = 0; k < 8; ++k) c = (c & 1) ? static_cast<uint16_t>((c >> 1) ^ 0x8408) : static_cast<uint16_t>(c >> 1);
        t[i] = c;
    }
    return t;
}

constexpr std::array<uint16_t, 256> kTable = makeTable();

uint16_t run(const uint8_t* p, size_t n) {
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < n; ++i) crc = static_cast<uint16_t>((crc >> 8) ^ kTable[(crc ^ p[i]) & 0xFF]);
    return static_cast<uint16_t>(~crc);
}

} // namespace

uint16_t crcItu(const uint8_t* data, int length) {
    if (data == nullptr || length < 1) return 0;
    return run(data, static_cast<size_t>(length));
}

uint16_t crcItu(const std::vector<uint8_t>& data, size_t offset, size_t count) {
    if (count == 0 || offset >= data.size()) return 0;
    if (count > data.size() - offset) count = data.size() - offset;
    return run(data.data() + offset, count);
}

uint16_t crcItu(const std::vector<uint8_t>& data) {
    if (data.empty()) return 0;
    return run(data.data(), data.size());
}

} // namespace Zuno
