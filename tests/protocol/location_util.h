#pragma once
// Helpers of the location report tests: the content of a frame and encoding
// into a fresh vector (frames around a content: zt::frameAround).

#include <cstdint>
#include <vector>

#include "protocol/message.h"
#include "support/test_util.h"

namespace zt {

// Content of a short frame: the bytes between the protocol number and the serial.
inline std::vector<uint8_t> contentOf(const std::vector<uint8_t>& shortFrame) {
    return {shortFrame.begin() + 4, shortFrame.end() - 6};
}

inline std::vector<uint8_t> encodeFresh(Zuno::ZunoMSG& m, int* result = nullptr) {
    std::vector<uint8_t> out;
    const int rc = m.encode(out);
    if (result) *result = rc;
    return out;
}

} // namespace zt
