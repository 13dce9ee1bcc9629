// Refused encodes leave the caller's vector and the object's remaining length
// as they were; refused decodes read nothing outside the vector.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mqtt/mqtt.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

vmqtt::MqttConnect validConnect() {
    vmqtt::MqttConnect m;
    m.protocolName = "MQTT";
    m.protocolLevel = 4;
    m.connectFlags = 0x02;
    m.keepAlive = 60;
    m.clientId = "abc";
    return m;
}

// Encodes into a vector holding one byte; the result code and, when the
// encode failed, whether the vector and remainingLength stayed untouched.
int encodeGuarded(vmqtt::MqttMessage& m) {
    std::vector<uint8_t> out = bytes("EE");
    const uint32_t before = m.remainingLength;
    const int rc = m.encode(out);
    if (rc < 0) {
        EXPECT_EQ(hex(out), "EE");
        EXPECT_EQ(m.remainingLength, before);
    }
    return rc;
}

} // namespace

TEST(ConnectChecks, CodesComeInTheirOrder) {
    const struct {
        const char* what;
        std::function<void(vmqtt::MqttConnect&)> change;
        int expected;
    } cases[] = {
        {"valid", [](vmqtt::MqttConnect&) {}, 0},
        {"lower-case protocol name", [](vmqtt::MqttConnect& m) { m.protocolName = "mqtt"; }, -1},
        {"protocol name of 3.1", [](vmqtt::MqttConnect& m) { m.protocolName = "MQIsdp"; }, -1},
        {"protocol name before client id",
         [](vmqtt::MqttConnect& m) {
             m.protocolName = "";
             m.clientId = "";
         },
         -1},
        {"23 letters and digits", [](vmqtt::MqttConnect& m) { m.clientId = "abcdefghijABCDEFGHIJ012"; }, 0},
        {"24 characters", [](vmqtt::MqttConnect& m) { m.clientId = "abcdefghijABCDEFGHIJ0123"; }, -2},
        {"hyphen", [](vmqtt::MqttConnect& m) { m.clientId = "a-b"; }, -2},
        {"underscore", [](vmqtt::MqttConnect& m) { m.clientId = "a_b"; }, -2},
        {"empty client id", [](vmqtt::MqttConnect& m) { m.clientId = ""; }, -2},
        {"line feed after the id", [](vmqtt::MqttConnect& m) { m.clientId = "abc\n"; }, -2},
        {"NUL inside the id", [](vmqtt::MqttConnect& m) { m.clientId = std::string("ab\0c", 4); }, -2},
        {"user name without password flag",
         [](vmqtt::MqttConnect& m) {
             m.connectFlags = 0x82;
             m.userName = "u";
         },
         -4},
        {"password without user name flag",
         [](vmqtt::MqttConnect& m) {
             m.connectFlags = 0x42;
             m.password = "p";
         },
         -4},
        {"flags set, user name empty",
         [](vmqtt::MqttConnect& m) {
             m.connectFlags = 0xC2;
             m.password = "p";
         },
         -5},
        {"flags set, password empty",
         [](vmqtt::MqttConnect& m) {
             m.connectFlags = 0xC2;
             m.userName = "u";
         },
         -6},
        {"flags clear, user name given", [](vmqtt::MqttConnect& m) { m.userName = "u"; }, -5},
        {"flags clear, password given", [](vmqtt::MqttConnect& m) { m.password = "p"; }, -6},
        {"will topic over 65535 bytes",
         [](vmqtt::MqttConnect& m) {
             m.connectFlags = 0x06;
             m.willTopic.assign(65536, 't');
         },
         -10},
        {"password over 65535 bytes",
         [](vmqtt::MqttConnect& m) {
             m.connectFlags = 0xC2;
             m.userName = "u";
             m.password.assign(65536, 'p');
         },
         -10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto m = validConnect();
        c.change(m);
        EXPECT_EQ(encodeGuarded(m), c.expected);
    }
}

TEST(ConnectChecks, WillFieldsTravelOnlyWithTheWillFlag) {
    auto m = validConnect();
    m.willTopic = "w/t";
    m.willMessage = "bye";
    std::vector<uint8_t> out;
    ASSERT_EQ(m.encode(out), 0);
    EXPECT_EQ(hex(out), "10 0F 00 04 4D 51 54 54 04 02 00 3C 00 03 61 62 63");

    // Decoding follows the same flags: with the will flag clear the bytes
    // after the client id are not a will topic.
    vmqtt::MqttConnect back;
    out.insert(out.end(), {0x00, 0x01, 0x78});
    ASSERT_EQ(back.decode(out), static_cast<int>(out.size()));
    EXPECT_EQ(back.clientId, "abc");
    EXPECT_EQ(back.willTopic, "");
}

TEST(EncodeRefusals, ListsTextsAndLengths) {
    const std::string tooLong(65536, 'x');
    const std::string longest(65535, 'x');
    const struct {
        const char* what;
        std::function<std::unique_ptr<vmqtt::MqttMessage>()> make;
        int expected;
    } cases[] = {
        {"subscribe without entries", [] { return std::make_unique<vmqtt::MqttSubscribe>(); }, -8},
        {"unsubscribe without filters", [] { return std::make_unique<vmqtt::MqttUnsubscribe>(); }, -9},
        {"publish topic over 65535",
         [&] {
             auto m = std::make_unique<vmqtt::MqttPublish>();
             m->topicName = tooLong;
             return m;
         },
         -10},
        {"publish topic of 65535",
         [&] {
             auto m = std::make_unique<vmqtt::MqttPublish>();
             m->topicName = longest;
             return m;
         },
         0},
        {"subscribe filter over 65535",
         [&] {
             auto m = std::make_unique<vmqtt::MqttSubscribe>();
             m->subscriptions = {{0, "a"}, {1, tooLong}};
             return m;
         },
         -10},
        {"unsubscribe filter over 65535",
         [&] {
             auto m = std::make_unique<vmqtt::MqttUnsubscribe>();
             m->topicFilters = {"a", tooLong};
             return m;
         },
         -10},
        {"puback length past the field",
         [] {
             auto m = std::make_unique<vmqtt::MqttPuback>();
             m->remainingLength = 268435456;
             return m;
         },
         -7},
        {"ping length of 32 bits",
         [] {
             auto m = std::make_unique<vmqtt::MqttPing>();
             m->remainingLength = 0xFFFFFFFF;
             return m;
         },
         -7},
        {"publish payload one past the field",
         [] {
             auto m = std::make_unique<vmqtt::MqttPublish>();
             m->topicName = "a/b";
             m->payload.resize(268435456 - 5);
             return m;
         },
         -7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto m = c.make();
        EXPECT_EQ(encodeGuarded(*m), c.expected);
    }
}

TEST(DecodeRefusals, CutShortOrMalformedPackets) {
    using vmqtt::kErrExtraBytes;
    using vmqtt::kErrLengthField;
    using vmqtt::kErrTruncated;
    const auto ping = [] { return std::unique_ptr<vmqtt::MqttMessage>(new vmqtt::MqttPing()); };
    const auto puback = [] { return std::unique_ptr<vmqtt::MqttMessage>(new vmqtt::MqttPuback()); };
    const auto publish = [] { return std::unique_ptr<vmqtt::MqttMessage>(new vmqtt::MqttPublish()); };
    const auto connect = [] { return std::unique_ptr<vmqtt::MqttMessage>(new vmqtt::MqttConnect()); };
    const auto subscribe = [] { return std::unique_ptr<vmqtt::MqttMessage>(new vmqtt::MqttSubscribe()); };
    const auto suback = [] { return std::unique_ptr<vmqtt::MqttMessage>(new vmqtt::MqttSuback()); };
    const std::string trailing196 = [] {
        std::string s;
        for (int i = 0; i < 196; ++i) s += " 00";
        return s;
    }();
    const struct {
        const char* what;
        std::function<std::unique_ptr<vmqtt::MqttMessage>()> make;
        std::string packet;
        int expected;
    } cases[] = {
        {"empty", ping, "", kErrTruncated},
        {"fixed header only", ping, "C0", kErrTruncated},
        {"length field cut", publish, "30 80", kErrTruncated},
        {"length field cut after three", publish, "30 FF FF FF", kErrTruncated},
        {"five-byte length field", publish, "30 FF FF FF FF 7F", kErrLengthField},
        {"five-byte field, nothing after", publish, "30 80 80 80 80", kErrLengthField},
        {"identifier cut", puback, "40 02 00", kErrTruncated},
        {"identifier past the packet's end", puback, "40 01 00 01", kErrTruncated},
        {"200 bytes, remaining length 2", puback, "40 02 00 01" + trailing196, 200},
        {"topic past the packet's end", publish, "30 03 00 03 61 2F 62", kErrTruncated},
        {"QoS 1 without identifier", publish, "32 05 00 03 61 2F 62", kErrTruncated},
        {"subscribe entry cut", subscribe, "82 04 00 0A 00 03 61 2F 62 01", kErrTruncated},
        {"subscribe entry without QoS", subscribe, "82 07 00 0A 00 03 61 2F 62", kErrTruncated},
        {"suback of remaining length 1", suback, "90 01 00 0A", kErrTruncated},
        {"connect: user name flag, no user name", connect,
         "10 0C 00 04 4D 51 54 54 04 82 00 0A 00 00", kErrTruncated},
        {"connect: text length past the end", connect, "10 06 00 FF 4D 51 54 54", kErrTruncated},
        // Bytes inside the packet that no field holds would be lost when the
        // packet is written again (found by the MQTT fuzz target).
        {"ping with a body", ping, "C0 02 01 02", kErrExtraBytes},
        {"puback with a third byte", puback, "40 03 00 01 02", kErrExtraBytes},
        {"connect with a byte after its texts", connect, "10 0F 00 04 4D 51 54 54 04 02 00 3C 00 02 63 31 FF",
         kErrExtraBytes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.make()->decode(bytes(c.packet)), c.expected);
    }
}

TEST(DecodeAppends, ListsAndTextsGrow) {
    vmqtt::MqttSuback ack;
    ASSERT_EQ(ack.decode(bytes("90 04 00 01 00 01")), 6);
    ASSERT_EQ(ack.decode(bytes("90 03 00 02 80")), 5);
    EXPECT_EQ(ack.packetId, 2);
    EXPECT_EQ(hex(ack.returnCodes), "00 01 80");

    vmqtt::MqttUnsubscribe un;
    ASSERT_EQ(un.decode(bytes("A2 07 00 0A 00 03 61 2F 62")), 9);
    ASSERT_EQ(un.decode(bytes("A2 07 00 0B 00 03 63 2F 64")), 9);
    EXPECT_EQ(un.topicFilters, (std::vector<std::string>{"a/b", "c/d"}));
}
