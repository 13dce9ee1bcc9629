#include "connection/raw_frame.h"

#include <cstddef>

#include "protocol/crc.h"
#include "protocol/message.h"

namespace Zuno {

int checkRawFrame(const std::vector<uint8_t>& frame) {
    if (frame.size() <= 9) return kErrTooShort;
    const bool longFrame = frame[0] == 0x79 && frame[1] == 0x79;
    const std::size_t header = longFrame ? 4 : 3;
    const std::size_t fieldSize = longFrame ? 2 : 1;
    const std::size_t length = longFrame ? std::size_t(frame[2] << 8 | frame[3]) : frame[2];
    // A length below the protocol number, serial and CRC describes no frame
    // (and the CRC of no bytes, 0, would pass).
    if (length < kLengthOverhead) return kErrContentShort;
    const std::size_t stopAt = header + length;
    if (stopAt + 2 > frame.size()) return kErrFrameShort;
    if (frame[stopAt] != 0x0D || frame[stopAt + 1] != 0x0A) return kErrStopBytes;
    const uint16_t crc = static_cast<uint16_t>(frame[stopAt - 2] << 8 | frame[stopAt - 1]);
    return crc == crcItu(frame, 2, length + fieldSize - 2) ? 0 : kErrCrc;
}

} // namespace Zuno
