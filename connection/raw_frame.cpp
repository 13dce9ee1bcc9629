#include "connection/raw_frame.h"

#include "protocol/crc.h"
#include "protocol/message.h"

namespace Zuno {

int checkRawFrame(const std::vector<uint8_t>& frame) {
    if (frame.size() <= 9) return kErrTooShort;
    const FrameHeader head = FrameHeader::read(frame);
    // A length below the protocol number, serial and CRC describes no frame
    // (and the CRC of no bytes, 0, would pass).
    if (!head.holdsOverhead()) return kErrContentShort;
    if (head.frameSize() > frame.size()) return kErrFrameShort;
    if (frame[head.stopPos()] != 0x0D || frame[head.stopPos() + 1] != 0x0A) return kErrStopBytes;
    const uint16_t crc = static_cast<uint16_t>(frame[head.crcPos()] << 8 | frame[head.crcPos() + 1]);
    return crc == crcItu(frame, kCrcStart, head.crcCount()) ? 0 : kErrCrc;
}

} // namespace Zuno
