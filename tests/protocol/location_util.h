#pragma once
// Helpers of the location report tests: frames around a chosen content (with
// a right length field and CRC) and encoding into a fresh vector.

#include <cstdint>
#include <vector>

#include "protocol/message.h"
#include "support/frame_fixture.h"

namespace zt {

inline std::vector<uint8_t> frameAround(uint8_t protocolNumber, const std::vector<uint8_t>& content, uint16_t seq,
                                        bool longFrame = false) {
    BlobMessage m;
    m.command = protocolNumber;
    m.content = content;
    m.seq = seq;
    if (longFrame) m.begin = Zuno::kBeginLong;
    std::vector<uint8_t> out;
    m.encode(out);
    return out;
}

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
