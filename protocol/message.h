#pragma once
// The base of every message class; the frame's layout is protocol/frame_header.h.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "protocol/byte_cursor.h"
#include "protocol/frame_header.h"

namespace Zuno {

// decode: frame of 9 bytes or fewer.
constexpr int kErrTooShort = -1;
constexpr int kErrStopBytes = -2;
constexpr int kErrCrc = -3;
// encode: the frame's length does not fit its length field (255 short, 65535 long).
constexpr int kErrLengthOverflow = -20;
// decode: the content is shorter than the layout needs: the length field
// leaves too few bytes before the serial number for the fields the class
// reads (or is too small for the protocol number, serial and CRC).
constexpr int kErrContentShort = -21;
// decode: the frame is shorter than its length field says.
constexpr int kErrFrameShort = -22;

class ZunoMSG {
public:
    uint16_t begin = kBeginShort;
    uint16_t len = 0;
    uint8_t command = 0;
    uint16_t seq = 0;
    uint16_t crc = 0;
    uint16_t stop = kStop;

    ZunoMSG() = default;
    explicit ZunoMSG(uint8_t protocolNumber) : command(protocolNumber) {}
    ZunoMSG(const ZunoMSG&) = default;
    ZunoMSG& operator=(const ZunoMSG&) = default;
    virtual ~ZunoMSG();

    // Appends one whole frame to `out` and returns 0, or returns a negative
    // code and leaves `out`, `len` and `crc` exactly as they were.
    virtual int encode(std::vector<uint8_t>& out);
    // Parses one frame starting at byte 0; 0 or a negative code.
    virtual int decode(const std::vector<uint8_t>& frame);
    virtual std::unique_ptr<ZunoMSG> clone() const;
    virtual std::string toString();

    // Packet name of a protocol number, or "" when it has none.
    static std::string commandName(const uint8_t& protocolNumber);

    // Description tables (render/tables.h); they read no field of the message.
    std::string alarmName(const uint8_t& code) const;
    std::string deviceTypeName(const uint16_t& code) const;
    std::string powerLevelName(const uint8_t& code) const;
    std::string signalLevelName(const uint8_t& code) const;
    std::string postModelName(const uint8_t& code) const;
    std::string postStatusName(const uint8_t& code) const;
    // Whole copies of the alarm and device-type tables, ascending by code.
    static std::map<uint8_t, std::string> alarmNameMap();
    static std::map<uint16_t, std::string> deviceTypeNameMap();

    bool isLongFrame() const { return begin == kBeginLong; }

protected:
    using ContentWriter = std::function<int(ByteWriter&)>;
    using ContentReader = std::function<int(ByteReader&)>;

    // The common encode steps around a class's content. The frame is built
    // aside and appended to `out` only when the content and the length fit.
    int encodeFrame(std::vector<uint8_t>& out, const ContentWriter& content);
    // The common decode steps around a class's content. The reader starts at
    // the first content byte and is bounded by the vector; the serial is read
    // where the content ends. A reader that ran out gives kErrContentShort.
    int decodeFrame(const std::vector<uint8_t>& frame, const ContentReader& content);
};

} // namespace Zuno
