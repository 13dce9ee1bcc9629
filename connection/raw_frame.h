#pragma once
// The check a raw frame passes before the client writes it as typed.

#include <cstdint>
#include <vector>

namespace Zuno {

// 0 when `frame` is one whole frame: more than 9 bytes, a length field of at
// least 5 (protocol number, serial and CRC), 0D 0A where the length field
// puts them and a matching CRC before them; otherwise kErrTooShort (9 bytes
// or fewer), kErrContentShort (the length field is too small),
// kErrFrameShort (it reaches past the end), kErrStopBytes or kErrCrc. Bytes
// after the stop bytes are allowed.
int checkRawFrame(const std::vector<uint8_t>& frame);

} // namespace Zuno
