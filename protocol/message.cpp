#include "protocol/message.h"

#include "protocol/crc.h"

namespace Zuno {

ZunoMSG::~ZunoMSG() = default;

int ZunoMSG::encode(std::vector<uint8_t>&) { return 0; }

int ZunoMSG::decode(const std::vector<uint8_t>&) { return 0; }

std::unique_ptr<ZunoMSG> ZunoMSG::clone() const { return std::make_unique<ZunoMSG>(*this); }

int ZunoMSG::encodeFrame(std::vector<uint8_t>& out, const ContentWriter& content) {
    const bool longFrame = isLongFrame();

    std::vector<uint8_t> frame;
    frame.reserve(64);
    ByteWriter w(frame);
    w.u8(static_cast<uint8_t>(begin & 0xFF));
    w.u8(static_cast<uint8_t>(begin >> 8));
    w.fill(FrameHeader(longFrame, 0).lengthFieldSize(), 0);
    w.u8(command);
    const size_t contentStart = frame.size();
    if (content) {
        const int rc = content(w);
        if (rc < 0) return rc;
    }
    const size_t contentBytes = frame.size() - contentStart;
    w.u16(seq);

    const size_t length = 1 + contentBytes + 2 + 2;
    if (length > (longFrame ? 0xFFFFu : 0xFFu)) return kErrLengthOverflow;
    const FrameHeader head(longFrame, static_cast<uint16_t>(length));
    if (longFrame) {
        frame[2] = static_cast<uint8_t>(length >> 8);
        frame[3] = static_cast<uint8_t>(length & 0xFF);
    } else {
        frame[2] = static_cast<uint8_t>(length);
    }
    const uint16_t sum = crcItu(frame, kCrcStart, head.crcCount());
    w.u16(sum);
    w.u16(stop);

    len = head.length();
    crc = sum;
    out.insert(out.end(), frame.begin(), frame.end());
    return 0;
}

int ZunoMSG::decodeFrame(const std::vector<uint8_t>& frame, const ContentReader& content) {
    if (frame.size() <= 9) return kErrTooShort;
    const FrameHeader head = FrameHeader::read(frame);
    // The length field must leave room for the protocol number, the serial and
    // the CRC, and must not point past the data.
    if (!head.holdsOverhead()) return kErrContentShort;
    if (head.frameSize() > frame.size()) return kErrFrameShort;

    // The message keeps the start marks as sent: byte 0 low, byte 1 high.
    begin = static_cast<uint16_t>(frame[0] | frame[1] << 8);
    len = head.length();
    stop = wordAt(frame, head.stopPos());
    if (stop != kStop) return kErrStopBytes;
    crc = wordAt(frame, head.crcPos());
    if (crcItu(frame, kCrcStart, head.crcCount()) != crc) return kErrCrc;

    command = frame[head.protocolPos()];
    ByteReader r(frame, head.contentPos());
    r.setSerialPos(head.serialPos());
    if (content) {
        const int rc = content(r);
        if (rc < 0) return rc;
        if (!r.ok()) return kErrContentShort;
    }
    const uint16_t serial = r.u16();
    if (!r.ok()) return kErrContentShort;
    seq = serial;
    return 0;
}

} // namespace Zuno
