// Arbitrary bytes into every message class: decode, then render, copy and
// encode whatever decode left in the object. Any crash or sanitizer report
// is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/fuzz/fuzz_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto& list = fuzz::classes();
    const auto& cls = list[data[0] % list.size()];
    const std::vector<uint8_t> frame(data + 1, data + size);
    auto msg = cls.make();
    const int rc = msg->decode(frame);
    (void)rc;
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
