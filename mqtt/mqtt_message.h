#pragma once
// Base of the MQTT 3.1.1 control packets and the remaining-length field.
//
// encode appends one whole packet to the caller's vector and returns 0, or a
// negative code with the vector left exactly as it was. decode reads one
// packet from the start of a vector and returns the vector's size; an empty,
// cut-short or malformed packet, and one whose remaining length covers bytes
// that its fields do not hold (they could not be written back), returns a
// negative code and leaves the object as it was. Decoders append texts and lists to what the object holds, so a
// fresh object receives exactly the packet's values.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "mqtt/packet_cursor.h"

namespace vmqtt {

// Largest value the remaining-length field can carry (four bytes).
constexpr uint32_t kMaxRemainingLength = 268435455;

// Results of encode.
constexpr int kErrProtocolName = -1;     // CONNECT: protocol name is not "MQTT"
constexpr int kErrClientId = -2;         // CONNECT: client identifier breaks the rule
constexpr int kErrUserPasswordFlags = -4; // CONNECT: user-name and password flags differ
constexpr int kErrUserName = -5;         // CONNECT: user name present against its flag
constexpr int kErrPassword = -6;         // CONNECT: password present against its flag
constexpr int kErrRemainingLength = -7;  // remaining length above kMaxRemainingLength
constexpr int kErrNoSubscriptions = -8;  // SUBSCRIBE without an entry
constexpr int kErrNoTopicFilters = -9;   // UNSUBSCRIBE without a topic filter
constexpr int kErrTextTooLong = -10;     // a length-prefixed field over 65535 bytes
// Results of decode.
constexpr int kErrTruncated = -11;       // empty, cut short, or a field past the packet's end
constexpr int kErrLengthField = -12;     // remaining-length field longer than four bytes
constexpr int kErrExtraBytes = -13;      // bytes inside the packet that no field of its layout holds

// The field's bytes for `value`, least significant group first; null when
// `value` exceeds kMaxRemainingLength.
std::shared_ptr<std::vector<uint8_t>> encodeRemainingLength(uint32_t value);
// The value of the field that starts at bytes[0]: stops after a byte with bit
// 7 clear, after the fifth byte or at the end; an empty vector gives 0.
uint32_t decodeRemainingLength(const std::vector<uint8_t>& bytes);

class MqttMessage {
public:
    uint32_t remainingLength = 0;
    uint8_t fixedHeader = 0;

    MqttMessage() = default;
    MqttMessage(const MqttMessage&) = default;
    MqttMessage& operator=(const MqttMessage&) = default;
    MqttMessage(MqttMessage&&) = default;
    MqttMessage& operator=(MqttMessage&&) = default;
    virtual ~MqttMessage() {}

    // The base packet has no bytes: appends nothing and returns 0.
    virtual int encode(std::vector<uint8_t>& out);
    // The base packet reads nothing and returns 0.
    virtual int decode(const std::vector<uint8_t>& packet);

protected:
    // How the remaining length of a packet is found when it is encoded.
    enum class Length {
        AsSet,    // the value `remainingLength` holds, written unchanged
        Computed  // the size of the bytes after the field, stored on success
    };

    // The shared steps of every encode: `body` writes the variable header and
    // the payload aside; then fixedHeader, the remaining-length field and the
    // body are appended to `out`. On failure nothing is appended and
    // remainingLength keeps its value.
    int encodePacket(std::vector<uint8_t>& out, Length length,
                     const std::function<void(PacketWriter&)>& body);

    // The shared steps of every decode: the fixed header and the
    // remaining-length field are checked, then `body(copy, reader)` reads the
    // fields of the packet into a copy of `self`, with the reader bounded by
    // the packet's end. The copy replaces `self` only when every read stayed
    // inside the packet and the fields took every byte of it.
    template <class T, class Body>
    static int decodePacket(T& self, const std::vector<uint8_t>& packet, Body&& body) {
        Frame f;
        const int rc = readFrame(packet, f);
        if (rc < 0) return rc;
        T next(self);
        next.fixedHeader = f.fixedHeader;
        next.remainingLength = f.remainingLength;
        PacketReader r(packet, f.bodyBegin, f.bodyEnd);
        body(next, r);
        if (!r.ok()) return kErrTruncated;
        if (!r.atEnd()) return kErrExtraBytes;
        self = std::move(next);
        return static_cast<int>(packet.size());
    }

private:
    struct Frame {
        uint8_t fixedHeader = 0;
        uint32_t remainingLength = 0;
        size_t bodyBegin = 0;  // first byte after the remaining-length field
        size_t bodyEnd = 0;    // one past the packet's last byte
    };
    // Reads the fixed header and the remaining-length field; 0 when the whole
    // packet lies inside `packet`, else kErrTruncated or kErrLengthField.
    static int readFrame(const std::vector<uint8_t>& packet, Frame& f);
};

} // namespace vmqtt
