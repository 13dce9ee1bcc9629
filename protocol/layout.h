#pragma once
// Small helpers for the location reports whose layout depends on the MNC
// width rule: the width has to be known before the decoder can check that the
// whole fixed layout fits before the serial number.

#include <cstddef>
#include <cstdint>

#include "protocol/blocks.h"
#include "protocol/byte_cursor.h"

namespace Zuno {

// Whether the MNC of a content takes two bytes, judged from the MCC that lies
// `mccOffset` bytes after the reader's position (read without moving it).
inline bool wideMncAt(const ByteReader& r, size_t mccOffset, MncWidth rule) {
    const size_t p = r.pos() + mccOffset;
    const uint16_t MCC = static_cast<uint16_t>(r.at(p) << 8 | r.at(p + 1));
    return wideMnc(MCC, rule);
}

} // namespace Zuno
