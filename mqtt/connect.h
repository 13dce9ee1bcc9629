#pragma once
// CONNECT and CONNACK, and the rule every client identifier must follow.

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "mqtt/mqtt_message.h"

namespace vmqtt {

// One to 23 ASCII letters and digits, matched against the whole identifier.
extern const std::regex clientIdRegex;

// Bits of MqttConnect::connectFlags.
constexpr uint8_t kFlagUserName = 0x80;
constexpr uint8_t kFlagPassword = 0x40;
constexpr uint8_t kFlagWill = 0x04;

// Carries willTopic and willMessage only with the will flag, userName only
// with the user-name flag and password only with the password flag. encode
// checks, in this order: the protocol name (-1), the client identifier (-2),
// that the user-name and password flags agree (-4), that userName (-5) and
// password (-6) are non-empty exactly when their flags are set; then that no
// text exceeds its 16-bit prefix (-10). The remaining length is computed.
class MqttConnect : public MqttMessage {
public:
    std::string protocolName;
    uint8_t protocolLevel = 0;
    uint8_t connectFlags = 0;
    uint16_t keepAlive = 0;  // seconds
    std::string clientId;
    std::string willTopic;
    std::string willMessage;
    std::string userName;
    std::string password;

    MqttConnect() { fixedHeader = 0x10; }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

// remainingLength is written as set; a well-formed packet has 2.
class MqttConnectAck : public MqttMessage {
public:
    uint8_t acknowledgeFlags = 0;
    uint8_t returnCode = 0;

    MqttConnectAck() {
        fixedHeader = 0x20;
        remainingLength = 2;
    }
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& packet) override;
};

} // namespace vmqtt
