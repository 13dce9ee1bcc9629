// The platform's class of a received frame, by protocol number and length;
// and the real classes through the whole reader.
#include <gtest/gtest.h>

#include <typeinfo>

#include "connection/client_harness.h"
#include "connection/reply_select.h"
#include "protocol/address.h"
#include "protocol/alarm.h"
#include "protocol/bike.h"
#include "protocol/command.h"
#include "protocol/gps.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"

namespace {

TEST(ReplySelect, ProtocolAndLengthChooseTheClass) {
    const struct {
        uint8_t protocol;
        uint16_t length;
        const std::type_info* type; // null: no class
    } cases[] = {
        {0x01, 5, &typeid(Zuno::ZunoLoginResp)},
        {0x01, 6, nullptr},
        {0x13, 5, &typeid(Zuno::ZunoPong13)},
        {0x13, 10, nullptr},
        {0x1F, 11, &typeid(Zuno::ZunoSyncTime1FResp)},
        {0x1F, 13, nullptr},
        {0x23, 5, &typeid(Zuno::ZunoPong23)},
        {0x2D, 5, &typeid(Zuno::ZunoGpsLocResp)},
        {0x2D, 30, nullptr},
        {0x2E, 5, &typeid(Zuno::ZunoLbsInfoResp)},
        {0x8A, 11, &typeid(Zuno::ZunoSyncTimeResp)},
        {0x8A, 5, nullptr},
        {0x26, 5, &typeid(Zuno::ZunoAlertResp)},
        {0x26, 37, nullptr},
        {0x32, 5, &typeid(Zuno::ZunoBikeLoc32Resp)},
        {0x32, 40, nullptr},
        {0x33, 5, &typeid(Zuno::ZunoBikeAlert33Resp)},
        {0x17, 36, nullptr},
        {0x17, 37, &typeid(Zuno::ZunoGeocoding17Resp)},
        {0x17, 200, &typeid(Zuno::ZunoGeocoding17Resp)},
        {0x97, 45, nullptr},
        {0x97, 46, &typeid(Zuno::ZunoGeocoding97Resp)},
        {0x80, 5, &typeid(Zuno::ZunoAction80)},
        {0x80, 42, &typeid(Zuno::ZunoAction80)},
        {0x70, 5, nullptr},
        {0x94, 5, nullptr},
    };
    for (const auto& c : cases) {
        auto msg = makePlatformMessage(c.protocol, c.length);
        SCOPED_TRACE(testing::Message() << std::hex << int(c.protocol) << " length " << std::dec << c.length);
        if (!c.type) {
            EXPECT_EQ(msg, nullptr);
            continue;
        }
        ASSERT_NE(msg, nullptr);
        EXPECT_EQ(typeid(*msg), *c.type);
        EXPECT_EQ(msg->command, c.protocol);
        EXPECT_EQ(msg->seq, 0);
    }
}

TEST(ReplySelect, ReaderDeliversThePlatformsClasses) {
    zt::TestPlatform platform;
    zt::ClientRun run; // the default choice of classes
    run.connect(platform);
    const zt::Bytes time = zt::makeFrame(0x8A, {0x1A, 0x01, 0x02, 0x03, 0x04, 0x05}, 2);
    platform.send(zt::concat({zt::makeReply(0x01, 1), time, zt::makeReply(0x8A, 3), zt::makeReply(0x13, 4)}));
    ASSERT_TRUE(run.waitForPackets(3));
    auto packets = run.takePackets();
    ASSERT_EQ(packets.size(), 3u); // 0x8A of length 5 is no reply
    EXPECT_NE(dynamic_cast<Zuno::ZunoLoginResp*>(packets[0].msg.get()), nullptr);
    EXPECT_EQ(packets[0].stateSeen, ProtocolClient::kLoggedIn);
    auto* sync = dynamic_cast<Zuno::ZunoSyncTimeResp*>(packets[1].msg.get());
    ASSERT_NE(sync, nullptr);
    EXPECT_EQ(sync->time, 0x1A0102030405u);
    EXPECT_EQ(sync->seq, 2);
    EXPECT_NE(dynamic_cast<Zuno::ZunoPong13*>(packets[2].msg.get()), nullptr);
    for (const auto& p : packets) EXPECT_FALSE(p.ec);
}

} // namespace
