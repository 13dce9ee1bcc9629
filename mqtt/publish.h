#pragma once
// PUBLISH. The acknowledgements PUBACK, PUBREC, PUBREL and PUBCOMP are in
// simple_packets.h.

#include <cstdint>
#include <string>
#include <vector>

#include "mqtt/mqtt_message.h"

namespace vmqtt {

// QoS bits of a PUBLISH fixed header: the packet identifier is present
// exactly when they are not both zero.
constexpr uint8_t kPublishQosMask = 0x06;

// The remaining length is computed; a topic name over 65535 bytes gives -10.
class MqttPublish : public MqttMessage {
public:
    std::string topicName;
    uint16_t packetId = 0;
    std::vector<uint8_t> payload;

    MqttPublish() { fixedHeader = 0x30; }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

} // namespace vmqtt
