#include "mqtt/mqtt_message.h"

namespace vmqtt {

std::shared_ptr<std::vector<uint8_t>> encodeRemainingLength(uint32_t value) {
    if (value > kMaxRemainingLength) return nullptr;
    auto field = std::make_shared<std::vector<uint8_t>>();
    do {
        uint8_t b = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
        if (value != 0) b |= 0x80;
        field->push_back(b);
    } while (value != 0);
    return field;
}

uint32_t decodeRemainingLength(const std::vector<uint8_t>& bytes) {
    uint64_t sum = 0;
    unsigned shift = 0;
    for (size_t i = 0; i < bytes.size() && i < 5; ++i) {
        sum += static_cast<uint64_t>(bytes[i] & 0x7F) << shift;
        shift += 7;
        if ((bytes[i] & 0x80) == 0) break;
    }
    return static_cast<uint32_t>(sum);
}

int MqttMessage::encode(std::vector<uint8_t>&) { return 0; }

int MqttMessage::decode(const std::vector<uint8_t>&) { return 0; }

int MqttMessage::encodePacket(std::vector<uint8_t>& out, Length length,
                              const std::function<void(PacketWriter&)>& body) {
    std::vector<uint8_t> content;
    PacketWriter w(content);
    body(w);
    if (!w.ok()) return kErrTextTooLong;

    const uint64_t remaining = length == Length::Computed ? content.size() : remainingLength;
    if (remaining > kMaxRemainingLength) return kErrRemainingLength;
    const auto field = encodeRemainingLength(static_cast<uint32_t>(remaining));

    out.reserve(out.size() + 1 + field->size() + content.size());
    out.push_back(fixedHeader);
    out.insert(out.end(), field->begin(), field->end());
    out.insert(out.end(), content.begin(), content.end());
    if (length == Length::Computed) remainingLength = static_cast<uint32_t>(remaining);
    return 0;
}

int MqttMessage::readFrame(const std::vector<uint8_t>& packet, Frame& f) {
    // Fixed header and at least one byte of the remaining-length field.
    if (packet.size() < 2) return kErrTruncated;
    f.fixedHeader = packet[0];

    // The field ends at the first of bytes 1 to 4 with bit 7 clear.
    size_t n = 0;
    while (true) {
        if (1 + n >= packet.size()) return kErrTruncated;
        const bool more = (packet[1 + n] & 0x80) != 0;
        ++n;
        if (!more) break;
        if (n == 4) return kErrLengthField;
    }
    f.remainingLength = decodeRemainingLength(
        std::vector<uint8_t>(packet.begin() + 1, packet.begin() + 1 + static_cast<std::ptrdiff_t>(n)));
    f.bodyBegin = 1 + n;
    f.bodyEnd = f.bodyBegin + f.remainingLength;
    if (f.bodyEnd > packet.size()) return kErrTruncated;
    return 0;
}

} // namespace vmqtt
