// Arbitrary bytes into every message class: decode, render, copy, and for a
// frame that decodes, the faithful round trip. The first byte selects the
// class (bits 7-1) and whether the CRC is put right first (bit 0).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/fuzz/fuzz_classes.h"
#include "tests/fuzz/oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto& list = fuzz::classes();
    const auto& cls = list[(data[0] >> 1) % list.size()];
    std::vector<uint8_t> frame(data + 1, data + size);
    if (data[0] & 1) fuzz::putCrcRight(frame);
    fuzz::decodeAndCheck(frame, cls.make);
    return 0;
}
