#pragma once
// Where the fields of a frame lie, read from its first four bytes.
//
//   78 78 | len (1) | protocol | content | serial (2) | CRC (2) | 0D 0A   short
//   79 79 | len (2) | protocol | content | serial (2) | CRC (2) | 0D 0A   long
//
// len counts the protocol number, the content, the serial and the CRC; the
// CRC covers the length field through the serial. Every reader of a frame
// (decoder, raw frame check, analyser, client) takes the layout from here.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Zuno {

constexpr uint16_t kBeginShort = 0x7878;
constexpr uint16_t kBeginLong = 0x7979;
constexpr uint16_t kStop = 0x0D0A;

// Protocol number, serial and CRC: what the length field counts beside the content.
constexpr size_t kLengthOverhead = 5;
// What is read of a frame before anything else: the start marks, the length
// field and, in a short frame, the protocol number.
constexpr size_t kFrameHeadBytes = 4;
// The CRC starts at the length field.
constexpr size_t kCrcStart = 2;

// The big-endian 16-bit word at `pos` of `frame`, which holds at least pos + 2
// bytes: the stop bytes (kStop) or the CRC.
inline uint16_t wordAt(const std::vector<uint8_t>& frame, size_t pos) {
    return static_cast<uint16_t>(frame[pos] << 8 | frame[pos + 1]);
}

class FrameHeader {
public:
    FrameHeader(bool longFrame, uint16_t length)
        : FrameHeader(longFrame, length, longFrame ? kBeginLong : kBeginShort) {}

    // The header of the frame whose first kFrameHeadBytes bytes `head` points
    // to. The frame is long when it starts 79 79, short otherwise.
    static FrameHeader read(const uint8_t* head) {
        const uint16_t begin = static_cast<uint16_t>(head[0] << 8 | head[1]);
        const bool longFrame = begin == kBeginLong;
        const uint16_t length = longFrame ? static_cast<uint16_t>(head[2] << 8 | head[3]) : head[2];
        return FrameHeader(longFrame, length, begin);
    }
    // As above; `frame` must hold at least kFrameHeadBytes bytes.
    static FrameHeader read(const std::vector<uint8_t>& frame) { return read(frame.data()); }

    // The start marks, the first byte high (0x7878, 0x7979 or what arrived).
    uint16_t begin() const { return begin_; }
    // Whether the frame starts 78 78 or 79 79.
    bool knownStart() const { return begin_ == kBeginShort || begin_ == kBeginLong; }
    bool isLong() const { return long_; }
    // The value of the length field.
    uint16_t length() const { return length_; }
    // Whether the length field leaves room for the protocol number, serial and CRC.
    bool holdsOverhead() const { return length_ >= kLengthOverhead; }

    size_t lengthFieldSize() const { return long_ ? 2 : 1; }
    // Start marks and length field: 3 bytes (short) or 4 (long).
    size_t size() const { return 2 + lengthFieldSize(); }
    size_t protocolPos() const { return size(); }
    size_t contentPos() const { return size() + 1; }
    // The positions below need holdsOverhead().
    size_t serialPos() const { return size() + length_ - 4; }
    size_t crcPos() const { return size() + length_ - 2; }
    size_t stopPos() const { return size() + length_; }
    // The whole frame, start marks to stop bytes.
    size_t frameSize() const { return size() + length_ + 2; }
    // Bytes the CRC covers, from kCrcStart.
    size_t crcCount() const { return lengthFieldSize() + length_ - 2; }

private:
    FrameHeader(bool longFrame, uint16_t length, uint16_t begin) : long_(longFrame), length_(length), begin_(begin) {}

    bool long_;
    uint16_t length_;
    uint16_t begin_;
};

} // namespace Zuno
