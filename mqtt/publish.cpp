#include "mqtt/publish.h"

namespace vmqtt {

int MqttPublish::encode(std::vector<uint8_t>& out) {
    return encodePacket(out, Length::Computed, [this](PacketWriter& w) {
        w.text(topicName);
        if (fixedHeader & kPublishQosMask) w.u16(packetId);
        w.bytes(payload);
    });
}

int MqttPublish::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttPublish& m, PacketReader& r) {
        r.textTo(m.topicName);
        if (m.fixedHeader & kPublishQosMask) m.packetId = r.u16();
        r.restTo(m.payload);
    });
}

} // namespace vmqtt
