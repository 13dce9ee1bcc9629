#include "protocol/message.h"

#include "protocol/crc.h"
#include "render/dump.h"

namespace Zuno {

ZunoMSG::~ZunoMSG() = default;

int ZunoMSG::encode(std::vector<uint8_t>&) { return 0; }

int ZunoMSG::decode(const std::vector<uint8_t>&) { return 0; }

std::unique_ptr<ZunoMSG> ZunoMSG::clone() const { return std::make_unique<ZunoMSG>(*this); }

std::string ZunoMSG::toString() { return plainBlock(*this); }

int ZunoMSG::encodeFrame(std::vector<uint8_t>& out, const ContentWriter& content) {
    const bool longFrame = isLongFrame();
    const size_t lengthBytes = longFrame ? 2 : 1;

    std::vector<uint8_t> frame;
    frame.reserve(64);
    ByteWriter w(frame);
    w.u8(static_cast<uint8_t>(begin & 0xFF));
    w.u8(static_cast<uint8_t>(begin >> 8));
    w.fill(lengthBytes, 0);
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
    if (longFrame) {
        frame[2] = static_cast<uint8_t>(length >> 8);
        frame[3] = static_cast<uint8_t>(length & 0xFF);
    } else {
        frame[2] = static_cast<uint8_t>(length);
    }
    const uint16_t sum = crcItu(frame, 2, lengthBytes + length - 2);
    w.u16(sum);
    w.u16(stop);

    len = static_cast<uint16_t>(length);
    crc = sum;
    out.insert(out.end(), frame.begin(), frame.end());
    return 0;
}

int ZunoMSG::decodeFrame(const std::vector<uint8_t>& frame, const ContentReader& content) {
    if (frame.size() <= 9) return kErrTooShort;
    const uint16_t first = static_cast<uint16_t>(frame[0] | (frame[1] << 8));
    const bool longFrame = first == kBeginLong;
    const size_t header = longFrame ? 4 : 3;
    const size_t length = longFrame ? static_cast<size_t>((frame[2] << 8) | frame[3]) : frame[2];
    // The length field must leave room for the protocol number, the serial and
    // the CRC, and must not point past the data.
    if (length < kLengthOverhead) return kErrContentShort;
    if (header + length + 2 > frame.size()) return kErrFrameShort;

    begin = first;
    len = static_cast<uint16_t>(length);
    stop = static_cast<uint16_t>((frame[header + length] << 8) | frame[header + length + 1]);
    if (stop != kStop) return kErrStopBytes;
    crc = static_cast<uint16_t>((frame[header + length - 2] << 8) | frame[header + length - 1]);
    if (crcItu(frame, 2, (header - 2) + length - 2) != crc) return kErrCrc;

    command = frame[header];
    ByteReader r(frame, header + 1);
    r.setSerialPos(header + length - 4);
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
