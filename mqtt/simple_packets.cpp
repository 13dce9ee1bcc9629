#include "mqtt/simple_packets.h"

namespace vmqtt {

template <uint8_t Type>
int MqttIdPacket<Type>::encode(std::vector<uint8_t>& out) {
    return encodePacket(out, Length::AsSet, [this](PacketWriter& w) { w.u16(packetId); });
}

template <uint8_t Type>
int MqttIdPacket<Type>::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttIdPacket& m, PacketReader& r) { m.packetId = r.u16(); });
}

template <uint8_t Type>
int MqttEmptyPacket<Type>::encode(std::vector<uint8_t>& out) {
    return encodePacket(out, Length::AsSet, [](PacketWriter&) {});
}

template <uint8_t Type>
int MqttEmptyPacket<Type>::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttEmptyPacket&, PacketReader&) {});
}

template class MqttIdPacket<0x40>;
template class MqttIdPacket<0x50>;
template class MqttIdPacket<0x62>;
template class MqttIdPacket<0x70>;
template class MqttIdPacket<0xB0>;
template class MqttEmptyPacket<0xC0>;
template class MqttEmptyPacket<0xD0>;
template class MqttEmptyPacket<0xE0>;

} // namespace vmqtt
