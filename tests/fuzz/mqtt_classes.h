#pragma once
// The MQTT control packet classes that the fuzz targets drive, by name (the
// names of the seed list), and every field of a packet as text.

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "mqtt/mqtt.h"
#include "tests/fuzz/oracle.h"

namespace fuzz {


struct PacketClass {
    const char* name;
    std::unique_ptr<vmqtt::MqttMessage> (*make)();
};

template <class T>
inline std::unique_ptr<vmqtt::MqttMessage> makePacket() {
    return std::make_unique<T>();
}

// Every MQTT control packet class.
inline const std::vector<PacketClass>& packetClasses() {
    using namespace vmqtt;
    static const std::vector<PacketClass> list{
        {"MqttConnect", &makePacket<MqttConnect>},         {"MqttConnectAck", &makePacket<MqttConnectAck>},
        {"MqttPublish", &makePacket<MqttPublish>},         {"MqttPuback", &makePacket<MqttPuback>},
        {"MqttPubrec", &makePacket<MqttPubrec>},           {"MqttPubrel", &makePacket<MqttPubrel>},
        {"MqttPubcomp", &makePacket<MqttPubcomp>},         {"MqttSubscribe", &makePacket<MqttSubscribe>},
        {"MqttSuback", &makePacket<MqttSuback>},           {"MqttUnsubscribe", &makePacket<MqttUnsubscribe>},
        {"MqttUnsuback", &makePacket<MqttUnsuback>},       {"MqttPing", &makePacket<MqttPing>},
        {"MqttPong", &makePacket<MqttPong>},               {"MqttDisconnect", &makePacket<MqttDisconnect>},
    };
    return list;
}

inline std::string text(const std::string& s) { return fuzz::hex(std::vector<uint8_t>(s.begin(), s.end())); }

// Every field of the packet, as text.
inline std::string fields(const vmqtt::MqttMessage& m) {
    using namespace vmqtt;
    std::ostringstream o;
    o << "header " << int(m.fixedHeader) << " remaining " << m.remainingLength;
    if (auto* p = dynamic_cast<const MqttConnect*>(&m))
        o << " name " << text(p->protocolName) << " level " << int(p->protocolLevel) << " flags "
          << int(p->connectFlags) << " keepAlive " << p->keepAlive << " client " << text(p->clientId) << " willTopic "
          << text(p->willTopic) << " willMessage " << text(p->willMessage) << " user " << text(p->userName)
          << " password " << text(p->password);
    if (auto* p = dynamic_cast<const MqttConnectAck*>(&m))
        o << " ack " << int(p->acknowledgeFlags) << " code " << int(p->returnCode);
    if (auto* p = dynamic_cast<const MqttPublish*>(&m))
        o << " topic " << text(p->topicName) << " id " << p->packetId << " payload " << fuzz::hex(p->payload);
    if (auto* p = dynamic_cast<const MqttSubscribe*>(&m)) {
        o << " id " << p->packetId;
        for (const auto& s : p->subscriptions) o << " [" << text(s.topicFilter) << " qos " << int(s.qos) << "]";
    }
    if (auto* p = dynamic_cast<const MqttSuback*>(&m)) o << " id " << p->packetId << " codes " << fuzz::hex(p->returnCodes);
    if (auto* p = dynamic_cast<const MqttUnsubscribe*>(&m)) {
        o << " id " << p->packetId;
        for (const auto& t : p->topicFilters) o << " [" << text(t) << "]";
    }
    if (auto* p = dynamic_cast<const MqttPuback*>(&m)) o << " id " << p->packetId;
    if (auto* p = dynamic_cast<const MqttPubrec*>(&m)) o << " id " << p->packetId;
    if (auto* p = dynamic_cast<const MqttPubrel*>(&m)) o << " id " << p->packetId;
    if (auto* p = dynamic_cast<const MqttPubcomp*>(&m)) o << " id " << p->packetId;
    if (auto* p = dynamic_cast<const MqttUnsuback*>(&m)) o << " id " << p->packetId;
    return o.str();
}

} // namespace fuzz
