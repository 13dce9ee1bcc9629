// Connecting and reading frames against the scripted platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <stdexcept>

#include "connection/client_harness.h"
#include "support/frame_fixture.h"
#include "support/test_util.h"

namespace {

using zt::Bytes;

Bytes blobFrame(std::size_t contentBytes, uint16_t serial, bool longFrame = false) {
    Bytes content(contentBytes);
    for (std::size_t i = 0; i < contentBytes; ++i) content[i] = static_cast<uint8_t>(i * 7 + 1);
    return zt::makeFrame(0x99, content, serial, longFrame);
}

// The platform stays silent on the login: tests decide what it receives.
struct Reading : ::testing::Test {
    zt::TestPlatform platform;
    zt::ClientRun run;
    zt::LogCapture log;

    Reading() { run.client->message_factory = zt::testMessageOf; }
    void connect() {
        run.connect(platform);
        ASSERT_TRUE(platform.waitForConnections(1));
    }
};

TEST_F(Reading, FrameSplitAtEveryByteIsReassembled) {
    const Bytes shortFrame = blobFrame(20, 7);
    const Bytes longFrame = blobFrame(20, 8, true);
    connect();
    std::size_t expected = 0;
    for (const Bytes* f : {&shortFrame, &longFrame}) {
        for (std::size_t cut = 1; cut < f->size(); ++cut) {
            platform.sendSplit(*f, {cut});
            ++expected;
        }
    }
    ASSERT_TRUE(run.waitForPackets(expected));
    auto packets = run.takePackets();
    ASSERT_EQ(packets.size(), expected);
    for (std::size_t i = 0; i < packets.size(); ++i) {
        const Bytes& want = i < shortFrame.size() - 1 ? shortFrame : longFrame;
        EXPECT_FALSE(packets[i].ec) << i;
        EXPECT_EQ(zt::hex(packets[i].frame), zt::hex(want)) << "packet " << i;
        EXPECT_EQ(packets[i].protocol, 0x99);
        auto* blob = dynamic_cast<zt::BlobMessage*>(packets[i].msg.get());
        ASSERT_NE(blob, nullptr);
        EXPECT_EQ(blob->content.size(), 20u);
    }
    EXPECT_TRUE(run.client->is_open());
}

TEST_F(Reading, SeveralFramesInOneWriteArriveInOrder) {
    connect();
    platform.send(zt::concat({blobFrame(3, 1), zt::makeReply(0x01, 2), blobFrame(40, 3, true), blobFrame(0, 4)}));
    ASSERT_TRUE(run.waitForPackets(4));
    auto packets = run.takePackets();
    ASSERT_EQ(packets.size(), 4u);
    for (uint16_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(packets[i].ec);
        ASSERT_TRUE(packets[i].msg);
        EXPECT_EQ(packets[i].msg->seq, i + 1);
    }
    EXPECT_EQ(packets[1].msg->command, 0x01);
    EXPECT_EQ(packets[2].begin, 0x7979);
}

TEST_F(Reading, LongFramesAreReadWhole) {
    // Length field 0x30: 54 bytes. Length field 65535: 65541 bytes, the most
    // a long frame can say.
    const Bytes mid = blobFrame(0x30 - 5, 1, true);
    const Bytes largest = blobFrame(65535 - 5, 2, true);
    ASSERT_EQ(mid.size(), 54u);
    ASSERT_EQ(largest.size(), 65541u);
    connect();
    platform.send(mid);
    platform.send(largest);
    platform.send(zt::makeReply(0x01, 3));
    ASSERT_TRUE(run.waitForPackets(3));
    auto packets = run.takePackets();
    EXPECT_EQ(packets[0].length, 0x30);
    EXPECT_EQ(packets[0].protocol, 0x99); // byte 4, the first byte of the body read
    EXPECT_EQ(packets[0].frame, mid);
    EXPECT_EQ(packets[1].length, 65535);
    EXPECT_EQ(packets[1].frame, largest);
    EXPECT_FALSE(packets[1].ec);
    EXPECT_EQ(packets[2].msg->seq, 3);
}

// The first login reply logs in, once: on_logged_in before its on_packet;
// the second is delivered and logs in no more.
TEST_F(Reading, LoginReplyLogsInOnceAndIsDelivered) {
    connect();
    platform.send(zt::makeReply(0x01, 1));
    platform.send(zt::makeReply(0x01, 2));
    ASSERT_TRUE(run.waitForPackets(2));
    auto packets = run.takePackets();
    EXPECT_EQ(packets[0].stateSeen, ProtocolClient::kLoggedIn); // set before on_packet
    EXPECT_EQ(packets[1].stateSeen, ProtocolClient::kLoggedIn);
    EXPECT_EQ(packets[0].loginsSeen, 1);
    EXPECT_EQ(packets[1].loginsSeen, 1);
    EXPECT_EQ(packets[0].msg->command, 0x01);
    EXPECT_EQ(packets[1].msg->command, 0x01);
}

TEST_F(Reading, FrameOfNoClassIsSkippedAndTheConnectionKept) {
    connect();
    // 0x70 has no class; 0x01 of another length has none either.
    const Bytes noClass[] = {zt::makeFrame(0x70, {1, 2, 3}, 1), zt::makeFrame(0x01, {1}, 2)};
    for (const Bytes& f : noClass) platform.send(f);
    platform.send(zt::makeReply(0x01, 3));
    ASSERT_TRUE(run.waitForPackets(1));
    ASSERT_TRUE(log.waitFor("收到未知协议, 暂不关闭连接"));
    auto packets = run.takePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].msg->seq, 3);
    // Its own words, not the text of an operating system's error 3, and the
    // frame's bytes: no report block shows it, so the log is all there is.
    const std::vector<std::string> lines = log.lines();
    for (const Bytes& f : noClass) {
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find("no message class for the frame's protocol number and length") != std::string::npos &&
                   l.find(zt::hex(f)) != std::string::npos;
        })) << zt::hex(f);
    }
    EXPECT_EQ(log.count("收到未知协议, 暂不关闭连接"), 2);
    EXPECT_FALSE(log.contains(std::error_code(3, std::generic_category()).message()));
    EXPECT_TRUE(run.client->is_open());
    EXPECT_EQ(run.client->state, ProtocolClient::kLoggedIn);
}

TEST_F(Reading, FrameThatFailsToDecodeCarriesItsError) {
    connect();
    const struct {
        Bytes frame;
        int code;
    } cases[] = {
        {zt::withBadCrc(zt::makeReply(0x13, 1)), Zuno::kErrCrc},
        {zt::withBadStop(zt::makeReply(0x13, 2)), Zuno::kErrStopBytes},
        // A command whose length byte is below its flag's 4 bytes.
        {zt::makeFrame(0x80, {0x03, 0x00, 0x00, 0x00, 0x01}, 4), Zuno::kErrContentShort},
    };
    const std::size_t n = std::size(cases);
    for (const auto& c : cases) platform.send(c.frame);
    ASSERT_TRUE(run.waitForPackets(n));
    auto packets = run.takePackets();
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(packets[i].ec, make_frame_error(cases[i].code)) << i;
        EXPECT_EQ(packets[i].ec.category().name(), std::string("frame"));
        EXPECT_EQ(packets[i].frame, cases[i].frame);
        EXPECT_TRUE(packets[i].msg);
    }
    EXPECT_EQ(make_frame_error(Zuno::kErrCrc).message(), "校验码错误");
    EXPECT_EQ(make_frame_error(Zuno::kErrContentShort).message(), "数据内容短于格式所需长度");
    EXPECT_EQ(make_frame_error(Zuno::kErrFrameShort).message(), "数据包短于长度字段所示长度");
    EXPECT_TRUE(run.client->is_open());
}

// A login reply is the login reply whatever its checks say: it logs in, and
// is delivered with its error for the report to show.
TEST(LoginReplyThatFailsItsChecks, StillLogsInAndIsDelivered) {
    const struct {
        const char* name;
        Bytes frame;
        int code;
    } cases[] = {
        {"CRC", zt::withBadCrc(zt::makeReply(0x01, 1)), Zuno::kErrCrc},
        {"stop bytes", zt::withBadStop(zt::makeReply(0x01, 1)), Zuno::kErrStopBytes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zt::TestPlatform peer;
        zt::ClientRun client;
        peer.send(c.frame);
        client.connect(peer);
        ASSERT_TRUE(client.waitForPackets(1));
        auto packets = client.takePackets();
        EXPECT_EQ(packets[0].stateSeen, ProtocolClient::kLoggedIn); // set before on_packet
        EXPECT_EQ(packets[0].loginsSeen, 1);
        EXPECT_EQ(packets[0].ec, make_frame_error(c.code));
        ASSERT_TRUE(packets[0].msg);
        EXPECT_EQ(packets[0].msg->command, 0x01);
        EXPECT_EQ(packets[0].frame, c.frame);
        EXPECT_EQ(client.client->state, ProtocolClient::kLoggedIn);
    }
}

// Bytes after which the client can find no frame: it logs them and closes,
// without reading any body.
TEST(ReadingStops, BadStartOrLengthClosesTheConnection) {
    const struct {
        const char* name;
        Bytes bytes;
        const char* logged;
    } cases[] = {
        {"start 12 34", zt::bytes("12 34 05 01 00 01 D9 DC 0D 0A"), "12 34"},
        {"short length 4", zt::bytes("78 78 04 01 00 01 D9 DC 0D 0A"), "78 78 04 01"},
        {"short length 0", zt::bytes("78 78 00 01 0D 0A"), "78 78 00 01"},
        {"long length 2", zt::bytes("79 79 00 02 01 00 0D 0A 00 00"), "79 79 00 02"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zt::TestPlatform peer;
        zt::ClientRun client;
        zt::LogCapture capture;
        peer.send(c.bytes);
        client.connect(peer);
        ASSERT_TRUE(client.waitForClosed());
        EXPECT_TRUE(client.waitForRunEnd()); // nothing left pending: no read, no timer
        EXPECT_TRUE(capture.contains(c.logged));
        EXPECT_EQ(client.packetCount(), 0u);
        EXPECT_EQ(client.closedCount(), 1);
        EXPECT_FALSE(client.client->is_open());
        EXPECT_EQ(client.client->state, ProtocolClient::kClosed);
        EXPECT_EQ(client.endSeen().kind, Zuno::ConnectionEnd::BadFrame);
        EXPECT_EQ(client.endSeen().detail, c.logged);
        EXPECT_TRUE(peer.waitForClosed(1));
    }
}

TEST_F(Reading, PeerClosingEndsTheClientOnce) {
    connect();
    platform.send(zt::makeReply(0x01, 1));
    platform.closeConnection();
    ASSERT_TRUE(run.waitForClosed());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.packetCount(), 1u);
    EXPECT_EQ(run.closedCount(), 1);
    EXPECT_TRUE(log.contains(std::to_string(asio::error::make_error_code(asio::error::eof).value())));
    EXPECT_EQ(run.client->state, ProtocolClient::kClosed);
    EXPECT_EQ(run.endSeen().kind, Zuno::ConnectionEnd::PeerClosed);
}

TEST_F(Reading, FrameCutShortByThePeerClosesWithTheBodyError) {
    const Bytes frame = blobFrame(30, 1);
    connect();
    platform.sendTruncated(frame, 12);
    ASSERT_TRUE(run.waitForClosed());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.packetCount(), 0u);
    EXPECT_TRUE(log.contains(asio::error::make_error_code(asio::error::eof).message()));
    EXPECT_EQ(run.endSeen().kind, Zuno::ConnectionEnd::PeerClosed);
}

TEST(Connect, RefusedConnectionReportsFailureAndClosesOnce) {
    zt::TestPlatform platform;
    platform.refuse();
    zt::ClientRun run;
    run.connect(platform);
    ASSERT_TRUE(run.waitForClosed());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.connectResults(), std::vector<bool>{false});
    EXPECT_EQ(run.closedCount(), 1);
    EXPECT_EQ(run.client->state, ProtocolClient::kClosed);
    EXPECT_FALSE(run.client->is_open());
    EXPECT_EQ(run.tickCount(), 0);
    EXPECT_EQ(run.endSeen().kind, Zuno::ConnectionEnd::Refused);
}

TEST(Connect, ClosedWhileConnectingNeverComesUp) {
    zt::TestPlatform platform;
    zt::ClientRun run(1);
    // Closed before the connect's completion can run.
    run.connect(platform, [](ProtocolClient& c) { c.close(); });
    ASSERT_TRUE(run.waitForClosed());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.closedCount(), 1);
    EXPECT_TRUE(run.connectResults().empty());
    EXPECT_EQ(run.tickCount(), 0);
    EXPECT_EQ(run.endSeen().kind, Zuno::ConnectionEnd::Stopped);
    EXPECT_EQ(run.client->state, ProtocolClient::kClosed);
    EXPECT_FALSE(run.client->is_open());
}

TEST(Connect, CallbackExceptionsDoNotStopTheClient) {
    zt::TestPlatform platform;
    zt::LogCapture log;
    zt::ClientRun run;
    run.client->message_factory = zt::testMessageOf;
    std::atomic<int> delivered{0};
    run.connect(platform);
    run.onIo([&](ProtocolClient& c) {
        c.on_packet = [&](const std::error_code&, const MoPack&, std::unique_ptr<Zuno::ZunoMSG>) {
            if (++delivered == 1) throw std::runtime_error("owner failed");
        };
    });
    platform.send(zt::makeReply(0x01, 1));
    platform.send(zt::makeReply(0x01, 2));
    ASSERT_TRUE(log.waitFor("owner failed"));
    ASSERT_TRUE(platform.waitUntil([&] { return delivered == 2; }));
    EXPECT_TRUE(run.client->is_open());
}

} // namespace
