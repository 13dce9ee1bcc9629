#include "mqtt/connect.h"

namespace vmqtt {

const std::regex clientIdRegex("^[a-zA-Z0-9]{1,23}$", std::regex::ECMAScript);

namespace {

// The fields after the client identifier that the flags say the packet
// carries, in wire order.
template <class Connect, class Fn>
void forCarriedTexts(Connect& m, Fn&& fn) {
    if (m.connectFlags & kFlagWill) {
        fn(m.willTopic);
        fn(m.willMessage);
    }
    if (m.connectFlags & kFlagUserName) fn(m.userName);
    if (m.connectFlags & kFlagPassword) fn(m.password);
}

} // namespace

int MqttConnect::encode(std::vector<uint8_t>& out) {
    if (protocolName != "MQTT") return kErrProtocolName;
    if (!std::regex_match(clientId, clientIdRegex)) return kErrClientId;
    const bool user = (connectFlags & kFlagUserName) != 0;
    const bool pass = (connectFlags & kFlagPassword) != 0;
    if (user != pass) return kErrUserPasswordFlags;
    if (userName.empty() == user) return kErrUserName;
    if (password.empty() == pass) return kErrPassword;

    return encodePacket(out, Length::Computed, [this](PacketWriter& w) {
        w.text(protocolName);
        w.u8(protocolLevel);
        w.u8(connectFlags);
        w.u16(keepAlive);
        w.text(clientId);
        forCarriedTexts(*this, [&w](const std::string& s) { w.text(s); });
    });
}

int MqttConnect::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttConnect& m, PacketReader& r) {
        r.textTo(m.protocolName);
        m.protocolLevel = r.u8();
        m.connectFlags = r.u8();
        m.keepAlive = r.u16();
        r.textTo(m.clientId);
        forCarriedTexts(m, [&r](std::string& s) { r.textTo(s); });
    });
}

int MqttConnectAck::encode(std::vector<uint8_t>& out) {
    return encodePacket(out, Length::AsSet, [this](PacketWriter& w) {
        w.u8(acknowledgeFlags);
        w.u8(returnCode);
    });
}

int MqttConnectAck::decode(const std::vector<uint8_t>& packet) {
    return decodePacket(*this, packet, [](MqttConnectAck& m, PacketReader& r) {
        m.acknowledgeFlags = r.u8();
        m.returnCode = r.u8();
    });
}

} // namespace vmqtt
