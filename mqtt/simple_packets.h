#pragma once
// The packets of fixed layout: the acknowledgements that carry only a packet
// identifier, and the packets without variable header or payload. One class
// per packet type; the template argument is the type's fixed-header byte,
// which a new object starts with.

#include <cstdint>
#include <vector>

#include "mqtt/mqtt_message.h"

namespace vmqtt {

// Variable header: the packet identifier. remainingLength is written as set;
// a well-formed packet has 2.
template <uint8_t Type>
class MqttIdPacket : public MqttMessage {
public:
    uint16_t packetId = 0;

    MqttIdPacket() {
        fixedHeader = Type;
        remainingLength = 2;
    }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

// No variable header, no payload. remainingLength is written as set; a
// well-formed packet has 0.
template <uint8_t Type>
class MqttEmptyPacket : public MqttMessage {
public:
    MqttEmptyPacket() { fixedHeader = Type; }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

using MqttPuback = MqttIdPacket<0x40>;
using MqttPubrec = MqttIdPacket<0x50>;
using MqttPubrel = MqttIdPacket<0x62>;
using MqttPubcomp = MqttIdPacket<0x70>;
using MqttUnsuback = MqttIdPacket<0xB0>;

using MqttPing = MqttEmptyPacket<0xC0>;
using MqttPong = MqttEmptyPacket<0xD0>;
using MqttDisconnect = MqttEmptyPacket<0xE0>;

extern template class MqttIdPacket<0x40>;
extern template class MqttIdPacket<0x50>;
extern template class MqttIdPacket<0x62>;
extern template class MqttIdPacket<0x70>;
extern template class MqttIdPacket<0xB0>;
extern template class MqttEmptyPacket<0xC0>;
extern template class MqttEmptyPacket<0xD0>;
extern template class MqttEmptyPacket<0xE0>;

} // namespace vmqtt
