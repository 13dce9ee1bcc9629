#pragma once
// Frames built around a content given as hexadecimal text, with a correct
// CRC, and the frame of a message.

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/message.h"
#include "support/test_util.h"

namespace zt {

// A frame (short, or long with `longFrame`) of `protocol`, the content and
// serial 1.
inline std::vector<uint8_t> frameOf(uint8_t protocol, const std::string& contentHex, bool longFrame = false) {
    return frameAround(protocol, bytes(contentHex), 1, longFrame);
}

// The frame of a message that must encode.
inline std::vector<uint8_t> encoded(Zuno::ZunoMSG& m) {
    std::vector<uint8_t> out;
    EXPECT_EQ(m.encode(out), 0);
    return out;
}

// Content bytes of a frame: between the protocol number and the serial.
inline std::string contentOf(const std::vector<uint8_t>& frame) {
    const size_t start = frame.size() > 1 && frame[0] == 0x79 ? 5 : 4;
    return hex(std::vector<uint8_t>(frame.begin() + static_cast<std::ptrdiff_t>(start), frame.end() - 6));
}

} // namespace zt
