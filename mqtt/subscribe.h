#pragma once
// SUBSCRIBE, SUBACK and UNSUBSCRIBE. UNSUBACK is in simple_packets.h.

#include <cstdint>
#include <string>
#include <vector>

#include "mqtt/mqtt_message.h"

namespace vmqtt {

// The remaining length is computed; no entry gives -8, a topic filter over
// 65535 bytes -10.
class MqttSubscribe : public MqttMessage {
public:
    struct Subscription {
        uint8_t qos = 0;  // the requested QoS
        std::string topicFilter;
    };

    uint16_t packetId = 0;
    std::vector<Subscription> subscriptions;

    MqttSubscribe() { fixedHeader = 0x82; }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

// remainingLength is written as set; a well-formed packet has 2 + the number
// of return codes.
class MqttSuback : public MqttMessage {
public:
    uint16_t packetId = 0;
    std::vector<uint8_t> returnCodes;

    MqttSuback() {
        fixedHeader = 0x90;
        remainingLength = 2;
    }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

// The remaining length is computed; no topic filter gives -9, one over 65535
// bytes -10.
class MqttUnsubscribe : public MqttMessage {
public:
    uint16_t packetId = 0;
    std::vector<std::string> topicFilters;

    MqttUnsubscribe() { fixedHeader = 0xA2; }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

} // namespace vmqtt
