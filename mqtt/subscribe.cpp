#include "mqtt/subscribe.h"

namespace vmqtt {

int MqttSubscribe::encode(std::vector<uint8_t>& out) {
    if (subscriptions.empty()) return kErrNoSubscriptions;
    return encodePacket(out, Length::Computed, [this](PacketWriter& w) {
        w.u16(packetId);
        for (const auto& s : subscriptions) {
            w.text(s.topicFilter);
            w.u8(s.qos);
        }
    });
}

int MqttSubscribe::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttSubscribe& m, PacketReader& r) {
        m.packetId = r.u16();
        while (!r.atEnd()) {
            Subscription s;
            r.textTo(s.topicFilter);
            s.qos = r.u8();
            m.subscriptions.push_back(std::move(s));
        }
    });
}

int MqttSuback::encode(std::vector<uint8_t>& out) {
    return encodePacket(out, Length::AsSet, [this](PacketWriter& w) {
        w.u16(packetId);
        w.bytes(returnCodes);
    });
}

int MqttSuback::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttSuback& m, PacketReader& r) {
        m.packetId = r.u16();
        r.restTo(m.returnCodes);
    });
}

int MqttUnsubscribe::encode(std::vector<uint8_t>& out) {
    if (topicFilters.empty()) return kErrNoTopicFilters;
    return encodePacket(out, Length::Computed, [this](PacketWriter& w) {
        w.u16(packetId);
        for (const auto& t : topicFilters) w.text(t);
    });
}

int MqttUnsubscribe::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttUnsubscribe& m, PacketReader& r) {
        m.packetId = r.u16();
        while (!r.atEnd()) {
            std::string t;
            r.textTo(t);
            m.topicFilters.push_back(std::move(t));
        }
    });
}

} // namespace vmqtt
