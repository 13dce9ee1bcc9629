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
    if (wordAt(frame, head.stopPos()) != kStop) return kErrStopBytes;
    return wordAt(frame, head.crcPos()) == crcItu(frame, kCrcStart, head.crcCount()) ? 0 : kErrCrc;
}

} // namespace Zuno
