// The remaining-length field on its own and inside a packet.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "mqtt/mqtt.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

struct LengthCase {
    uint32_t value;
    const char* field;
};

// The boundaries of one to four bytes.
const LengthCase kBoundaries[] = {
    {0, "00"},
    {127, "7F"},
    {128, "80 01"},
    {16383, "FF 7F"},
    {16384, "80 80 01"},
    {2097151, "FF FF 7F"},
    {2097152, "80 80 80 01"},
    {268435455, "FF FF FF 7F"},
};

} // namespace

TEST(RemainingLength, BoundariesEncodeAndDecode) {
    for (const auto& c : kBoundaries) {
        SCOPED_TRACE(c.value);
        const auto field = vmqtt::encodeRemainingLength(c.value);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(hex(*field), c.field);
        EXPECT_EQ(vmqtt::decodeRemainingLength(bytes(c.field)), c.value);
    }
}

TEST(RemainingLength, ValuesPastFourBytesAreRefused) {
    EXPECT_EQ(vmqtt::encodeRemainingLength(268435456), nullptr);
    EXPECT_EQ(vmqtt::encodeRemainingLength(0xFFFFFFFF), nullptr);
}

TEST(RemainingLength, DecodeStopsAtTheLastByteOfTheField) {
    const struct {
        const char* bytes;
        uint32_t value;
    } cases[] = {
        {"", 0},
        {"7F 01", 127},              // bit 7 clear: the field ends after one byte
        {"80", 0},                   // ends with the vector
        {"FF 80", 127},              // ends with the vector, continuation still set
        {"FF FF FF FF 0F", 0xFFFFFFFF}, // a fifth byte is taken, low 32 bits kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(vmqtt::decodeRemainingLength(bytes(c.bytes)), c.value);
    }
}

TEST(RemainingLength, PacketsCarryEveryFieldSize) {
    // A PUBLISH of topic "a/b" whose payload brings the remaining length to
    // each boundary from one to four bytes of field (the four-byte maximum is
    // covered by the field itself above).
    for (const auto& c : kBoundaries) {
        if (c.value < 5 || c.value > 2097152) continue;
        SCOPED_TRACE(c.value);
        vmqtt::MqttPublish m;
        m.topicName = "a/b";
        m.payload.assign(c.value - 5, 0x5A);
        std::vector<uint8_t> out;
        ASSERT_EQ(m.encode(out), 0);
        EXPECT_EQ(m.remainingLength, c.value);
        const auto field = bytes(c.field);
        ASSERT_EQ(out.size(), 1 + field.size() + c.value);
        EXPECT_EQ(hex(std::vector<uint8_t>(out.begin(), out.begin() + 1 + field.size() + 5)),
                  "30 " + std::string(c.field) + " 00 03 61 2F 62");

        vmqtt::MqttPublish back;
        ASSERT_EQ(back.decode(out), static_cast<int>(out.size()));
        EXPECT_EQ(back.remainingLength, c.value);
        EXPECT_EQ(back.topicName, "a/b");
        EXPECT_EQ(back.payload, m.payload);
    }
}

TEST(RemainingLength, AsSetLengthIsWrittenUncheckedUpToTheMaximum) {
    vmqtt::MqttPing ping;
    ping.remainingLength = 268435455;
    std::vector<uint8_t> out;
    ASSERT_EQ(ping.encode(out), 0);
    EXPECT_EQ(hex(out), "C0 FF FF FF 7F");
}

TEST(RemainingLength, BasePacketHasNoBytes) {
    vmqtt::MqttMessage m;
    std::vector<uint8_t> out = bytes("EE");
    EXPECT_EQ(m.encode(out), 0);
    EXPECT_EQ(hex(out), "EE");
    EXPECT_EQ(m.decode(bytes("C0 00")), 0);
}
