// The catalogue of MQTT control packets: every row is encoded from its fields,
// decoded back, and its every prefix and a lying remaining length are decoded
// under the sanitizers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "mqtt/mqtt.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

struct PacketRow {
    std::string name;
    std::function<std::unique_ptr<vmqtt::MqttMessage>()> fresh;  // a new object of the class
    std::function<std::unique_ptr<vmqtt::MqttMessage>()> filled; // the row's fields set
    std::string packetHex;
};

std::ostream& operator<<(std::ostream& os, const PacketRow& row) { return os << row.name; }

template <class T>
PacketRow row(std::string name, std::string packetHex, std::function<void(T&)> fill) {
    return {std::move(name), [] { return std::unique_ptr<vmqtt::MqttMessage>(new T()); },
            [fill] {
                auto m = std::make_unique<T>();
                fill(*m);
                return std::unique_ptr<vmqtt::MqttMessage>(std::move(m));
            },
            std::move(packetHex)};
}

// Result and bytes of one encode into an empty vector.
std::string encoded(vmqtt::MqttMessage& m) {
    std::vector<uint8_t> out;
    const int rc = m.encode(out);
    return std::to_string(rc) + ": " + hex(out);
}

// A CONNECT of protocol "MQTT" level 4; the hex is the fixed header, then
// what follows the protocol name.
struct ConnectFields {
    uint8_t flags;
    uint16_t keepAlive;
    const char* clientId;
    const char* willTopic;
    const char* willMessage;
    const char* userName;
    const char* password;
};

PacketRow connectRow(std::string name, const std::string& header, const std::string& rest, ConnectFields f) {
    return row<vmqtt::MqttConnect>(std::move(name), header + "00 04 4D 51 54 54 " + rest,
                                   [f](vmqtt::MqttConnect& m) {
                                       m.protocolName = "MQTT";
                                       m.protocolLevel = 4;
                                       m.connectFlags = f.flags;
                                       m.keepAlive = f.keepAlive;
                                       m.clientId = f.clientId;
                                       m.willTopic = f.willTopic;
                                       m.willMessage = f.willMessage;
                                       m.userName = f.userName;
                                       m.password = f.password;
                                   });
}

// A PUBLISH to topic "a/b".
PacketRow publishRow(std::string name, std::string packetHex, uint8_t fixedHeader, uint16_t packetId,
                     std::vector<uint8_t> payload) {
    return row<vmqtt::MqttPublish>(std::move(name), std::move(packetHex), [=](vmqtt::MqttPublish& m) {
        m.fixedHeader = fixedHeader;
        m.topicName = "a/b";
        m.packetId = packetId;
        m.payload = payload;
    });
}

std::vector<PacketRow> packetRows() {
    using namespace vmqtt;
    const std::string long200 = [] {
        std::string s;
        for (int i = 0; i < 200; ++i) s += " AA";
        return s;
    }();
    const std::vector<uint8_t> hello = {'h', 'e', 'l', 'l', 'o'};
    return {
        connectRow("ConnectCleanSession", "10 0F ", "04 02 00 3C 00 03 61 62 63",
                   {0x02, 60, "abc", "", "", "", ""}),
        // The variable header of the standard's example: level 4, flags CE
        // (user name, password, will QoS 1, will, clean session), keep alive 10.
        connectRow("ConnectWillUserPassword", "10 1F ",
                   "04 CE 00 0A 00 02 63 31 00 03 77 2F 74 00 03 62 79 65 00 01 75 00 02 70 77",
                   {0xCE, 10, "c1", "w/t", "bye", "u", "pw"}),
        connectRow("ConnectWillOnly", "10 18 ", "04 2E 00 0A 00 02 63 31 00 03 77 2F 74 00 03 62 79 65",
                   {0x2E, 10, "c1", "w/t", "bye", "", ""}),
        connectRow("ConnectUserPassword", "10 15 ", "04 C2 00 0A 00 02 63 31 00 01 75 00 02 70 77",
                   {0xC2, 10, "c1", "", "", "u", "pw"}),
        row<MqttConnectAck>("ConnackSessionPresent", "20 02 01 00",
                            [](MqttConnectAck& m) { m.acknowledgeFlags = 1; }),
        row<MqttConnectAck>("ConnackNotAuthorized", "20 02 00 05",
                            [](MqttConnectAck& m) { m.returnCode = 5; }),
        // At QoS 0 the packet identifier is not carried.
        publishRow("PublishQos0", "30 0A 00 03 61 2F 62 68 65 6C 6C 6F", 0x30, 0x1234, hello),
        publishRow("PublishQos1", "32 0C 00 03 61 2F 62 12 34 68 65 6C 6C 6F", 0x32, 0x1234, hello),
        publishRow("PublishQos2DupRetain", "3D 0C 00 03 61 2F 62 80 01 68 65 6C 6C 6F", 0x3D, 0x8001, hello),
        publishRow("PublishEmptyPayload", "30 05 00 03 61 2F 62", 0x30, 0, {}),
        publishRow("PublishTwoByteLength", "30 CD 01 00 03 61 2F 62" + long200, 0x30, 0,
                   std::vector<uint8_t>(200, 0xAA)),
        row<MqttPuback>("Puback", "40 02 00 0A", [](MqttPuback& m) { m.packetId = 10; }),
        row<MqttPubrec>("Pubrec", "50 02 00 0A", [](MqttPubrec& m) { m.packetId = 10; }),
        row<MqttPubrel>("Pubrel", "62 02 00 0A", [](MqttPubrel& m) { m.packetId = 10; }),
        row<MqttPubcomp>("Pubcomp", "70 02 FF FE", [](MqttPubcomp& m) { m.packetId = 0xFFFE; }),
        row<MqttSubscribe>("SubscribeOne", "82 08 00 0A 00 03 61 2F 62 01",
                           [](MqttSubscribe& m) {
                               m.packetId = 10;
                               m.subscriptions = {{1, "a/b"}};
                           }),
        row<MqttSubscribe>("SubscribeTwo", "82 0E 00 0A 00 03 61 2F 62 01 00 03 63 2F 64 02",
                           [](MqttSubscribe& m) {
                               m.packetId = 10;
                               m.subscriptions = {{1, "a/b"}, {2, "c/d"}};
                           }),
        row<MqttSuback>("SubackFourCodes", "90 06 00 0A 00 01 02 80",
                        [](MqttSuback& m) {
                            m.remainingLength = 6;
                            m.packetId = 10;
                            m.returnCodes = {0x00, 0x01, 0x02, 0x80};
                        }),
        row<MqttSuback>("SubackNoCode", "90 02 00 0A", [](MqttSuback& m) { m.packetId = 10; }),
        row<MqttUnsubscribe>("UnsubscribeOne", "A2 07 00 0A 00 03 61 2F 62",
                             [](MqttUnsubscribe& m) {
                                 m.packetId = 10;
                                 m.topicFilters = {"a/b"};
                             }),
        row<MqttUnsubscribe>("UnsubscribeTwo", "A2 0C 00 0A 00 03 61 2F 62 00 03 63 2F 64",
                             [](MqttUnsubscribe& m) {
                                 m.packetId = 10;
                                 m.topicFilters = {"a/b", "c/d"};
                             }),
        row<MqttUnsuback>("Unsuback", "B0 02 00 0A", [](MqttUnsuback& m) { m.packetId = 10; }),
        row<MqttPing>("Pingreq", "C0 00", [](MqttPing&) {}),
        row<MqttPong>("Pingresp", "D0 00", [](MqttPong&) {}),
        row<MqttDisconnect>("Disconnect", "E0 00", [](MqttDisconnect&) {}),
    };
}

class PacketTest : public ::testing::TestWithParam<PacketRow> {};

} // namespace

TEST_P(PacketTest, EncodesAfterWhatTheVectorHolds) {
    const auto& r = GetParam();
    auto m = r.filled();
    std::vector<uint8_t> out = bytes("EE");
    ASSERT_EQ(m->encode(out), 0);
    EXPECT_EQ(hex(out), "EE " + hex(bytes(r.packetHex)));
    // The remaining length is what the packet carries, computed or as set.
    const auto packet = bytes(r.packetHex);
    EXPECT_EQ(m->remainingLength, vmqtt::decodeRemainingLength(std::vector<uint8_t>(packet.begin() + 1, packet.end())));
}

TEST_P(PacketTest, DecodesBackToTheSameFields) {
    const auto& r = GetParam();
    const auto packet = bytes(r.packetHex);
    auto m = r.fresh();
    ASSERT_EQ(m->decode(packet), static_cast<int>(packet.size()));
    EXPECT_EQ(m->fixedHeader, packet[0]);
    EXPECT_EQ(encoded(*m), encoded(*r.filled()));
}

TEST_P(PacketTest, BytesAfterThePacketAreNotPartOfIt) {
    const auto& r = GetParam();
    const auto packet = bytes(r.packetHex);
    auto longer = packet;
    longer.insert(longer.end(), {0xFF, 0xFF, 0x00});
    auto m = r.fresh();
    ASSERT_EQ(m->decode(longer), static_cast<int>(longer.size()));
    EXPECT_EQ(encoded(*m), "0: " + hex(packet));
}

TEST_P(PacketTest, EveryPrefixFailsAndLeavesTheObjectAsItWas) {
    const auto& r = GetParam();
    const auto packet = bytes(r.packetHex);
    auto m = r.fresh();
    const std::string untouched = encoded(*r.fresh());
    for (size_t n = 0; n < packet.size(); ++n) {
        SCOPED_TRACE(n);
        const std::vector<uint8_t> prefix(packet.begin(), packet.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_LT(m->decode(prefix), 0);
    }
    EXPECT_EQ(encoded(*m), untouched);
    // Texts and lists are appended to: a partial read left behind would show.
    ASSERT_EQ(m->decode(packet), static_cast<int>(packet.size()));
    EXPECT_EQ(encoded(*m), "0: " + hex(packet));
}

TEST_P(PacketTest, LyingRemainingLengthReadsOnlyThePacket) {
    const auto& r = GetParam();
    const auto packet = bytes(r.packetHex);
    const std::vector<uint8_t> afterHeader(packet.begin() + 1, packet.end());
    const uint32_t length = vmqtt::decodeRemainingLength(afterHeader);
    const std::vector<uint8_t> body(packet.end() - length, packet.end());
    // The same bytes behind a remaining-length field that says `claimed`.
    const auto withLength = [&](uint32_t claimed) {
        std::vector<uint8_t> p{packet[0]};
        const auto field = vmqtt::encodeRemainingLength(claimed);
        p.insert(p.end(), field->begin(), field->end());
        p.insert(p.end(), body.begin(), body.end());
        return p;
    };

    EXPECT_LT(r.fresh()->decode(withLength(length + 1)), 0);
    if (length == 0) return;
    // A shorter packet may still be whole (a shorter payload); when it is,
    // the byte left outside is not read into the object.
    const auto lowered = withLength(length - 1);
    auto m = r.fresh();
    const int rc = m->decode(lowered);
    if (rc >= 0) {
        EXPECT_EQ(rc, static_cast<int>(lowered.size()));
        std::vector<uint8_t> out;
        if (m->encode(out) == 0) {
            EXPECT_EQ(hex(out), hex(std::vector<uint8_t>(lowered.begin(), lowered.end() - 1)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Mqtt, PacketTest, ::testing::ValuesIn(packetRows()),
                         [](const ::testing::TestParamInfo<PacketRow>& info) { return info.param.name; });

namespace {

struct ClassCase {
    const char* name;
    std::function<std::unique_ptr<vmqtt::MqttMessage>()> make;
    const char* freshEncode; // what a new object encodes to
};

template <class T>
std::function<std::unique_ptr<vmqtt::MqttMessage>()> makeOf() {
    return [] { return std::unique_ptr<vmqtt::MqttMessage>(new T()); };
}

// Every class, with what its new object holds: the packet type's first byte
// and, for the fixed layouts, the remaining length of a well-formed packet.
const std::vector<ClassCase>& classCases() {
    using namespace vmqtt;
    static const std::vector<ClassCase> cases = {
        {"CONNECT", makeOf<MqttConnect>(), "-1: "},
        {"CONNACK", makeOf<MqttConnectAck>(), "0: 20 02 00 00"},
        {"PUBLISH", makeOf<MqttPublish>(), "0: 30 02 00 00"},
        {"PUBACK", makeOf<MqttPuback>(), "0: 40 02 00 00"},
        {"PUBREC", makeOf<MqttPubrec>(), "0: 50 02 00 00"},
        {"PUBREL", makeOf<MqttPubrel>(), "0: 62 02 00 00"},
        {"PUBCOMP", makeOf<MqttPubcomp>(), "0: 70 02 00 00"},
        {"SUBSCRIBE", makeOf<MqttSubscribe>(), "-8: "},
        {"SUBACK", makeOf<MqttSuback>(), "0: 90 02 00 00"},
        {"UNSUBSCRIBE", makeOf<MqttUnsubscribe>(), "-9: "},
        {"UNSUBACK", makeOf<MqttUnsuback>(), "0: B0 02 00 00"},
        {"PINGREQ", makeOf<MqttPing>(), "0: C0 00"},
        {"PINGRESP", makeOf<MqttPong>(), "0: D0 00"},
        {"DISCONNECT", makeOf<MqttDisconnect>(), "0: E0 00"},
    };
    return cases;
}

} // namespace

TEST(PacketClasses, NewObjectsStartAsTheirPacketType) {
    const uint8_t types[] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x62, 0x70, 0x82, 0x90, 0xA2, 0xB0, 0xC0, 0xD0, 0xE0};
    ASSERT_EQ(classCases().size(), sizeof types);
    for (size_t i = 0; i < sizeof types; ++i) {
        const auto& c = classCases()[i];
        SCOPED_TRACE(c.name);
        auto m = c.make();
        EXPECT_EQ(m->fixedHeader, types[i]);
        EXPECT_EQ(encoded(*m), c.freshEncode);
    }
}

TEST(PacketClasses, NoiseDecodesSafely) {
    // Deterministic noise; short remaining lengths so that most inputs hold a
    // whole packet and reach the class's own fields.
    uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<uint8_t>(state >> 16);
    };
    for (const auto& c : classCases()) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 3000; ++i) {
            std::vector<uint8_t> input(next() % 40);
            for (auto& b : input) b = next();
            if (input.size() > 1 && (i & 1)) input[1] = static_cast<uint8_t>(input.size() - 2 - next() % 3);
            auto m = c.make();
            const int rc = m->decode(input);
            ASSERT_TRUE(rc < 0 || rc == static_cast<int>(input.size())) << hex(input) << " -> " << rc;
        }
    }
}
