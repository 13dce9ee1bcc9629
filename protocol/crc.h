#pragma once
// CRC-16/X-25 of the tracker frame.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Zuno {

// `length` bytes from `data`; a length below 1 gives 0.
uint16_t crcItu(const uint8_t* data, int length);
// `count` bytes from `offset`; a range reaching past the vector is cut at its end.
uint16_t crcItu(const std::vector<uint8_t>& data, size_t offset, size_t count);
// The whole vector.
uint16_t crcItu(const std::vector<uint8_t>& data);

} // namespace Zuno
