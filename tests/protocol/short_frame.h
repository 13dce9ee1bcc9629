#pragma once
// Frames built around a content given as hexadecimal text, with a correct
// CRC, and the frame of a message.

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/crc.h"
#include "protocol/message.h"
#include "support/test_util.h"

namespace zt {

// A frame (short, or long with `longFrame`) of `protocol`, the content and
// serial 1.
inline std::vector<uint8_t> frameOf(uint8_t protocol, const std::string& contentHex, bool longFrame = false) {
    const auto content = bytes(contentHex);
    const size_t length = 1 + content.size() + 2 + 2;
    std::vector<uint8_t> f;
    if (longFrame) {
        f = {0x79, 0x79, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    } else {
        f = {0x78, 0x78, static_cast<uint8_t>(length)};
    }
    f.push_back(protocol);
    f.insert(f.end(), content.begin(), content.end());
    f.push_back(0x00);
    f.push_back(0x01);
    const uint16_t c = Zuno::crcItu(f, 2, f.size() - 2);
    f.push_back(static_cast<uint8_t>(c >> 8));
    f.push_back(static_cast<uint8_t>(c));
    f.push_back(0x0D);
    f.push_back(0x0A);
    return f;
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
