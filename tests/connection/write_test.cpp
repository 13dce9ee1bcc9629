// Write queues, the login gate and the raw frame check.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "connection/client_harness.h"
#include "render/exception.h"
#include "support/frame_fixture.h"
#include "support/test_util.h"

namespace {

using zt::Bytes;

std::unique_ptr<Zuno::ZunoMSG> loginMessage(uint16_t serial) {
    auto m = std::make_unique<zt::BlobMessage>();
    m->command = 0x01;
    m->content = {0x01, 0x23, 0x45, 0x67, 0x89, 0x01, 0x23, 0x45};
    m->seq = serial;
    return m;
}

std::unique_ptr<zt::BlobMessage> blob(uint16_t serial, std::vector<uint8_t> content = {0xAB}) {
    auto m = std::make_unique<zt::BlobMessage>();
    m->content = std::move(content);
    m->seq = serial;
    return m;
}

WriteItem item(std::unique_ptr<Zuno::ZunoMSG> m) { return WriteItem{std::move(m), nullptr}; }

RawWriteItem rawItem(const Bytes& frame) { return RawWriteItem{std::make_unique<Bytes>(frame), nullptr}; }

// Serials of the frames the platform received after the first `skip`.
std::vector<uint16_t> serialsAfter(const zt::TestPlatform& platform, std::size_t skip) {
    std::vector<uint16_t> s;
    const auto frames = platform.frames();
    for (std::size_t i = skip; i < frames.size(); ++i) s.push_back(zt::serialOf(frames[i]));
    return s;
}

// A client that offers its login on connecting; the platform answers it.
struct LoggedIn : ::testing::Test {
    zt::TestPlatform platform;
    zt::ClientRun run;
    zt::LogCapture log;

    void SetUp() override {
        run.client->message_factory = zt::testMessageOf;
        run.whenConnected = [](ProtocolClient& c) { c.send(item(loginMessage(0))); };
        run.connect(platform);
        ASSERT_TRUE(run.waitForPackets(1));
        ASSERT_EQ(run.client->state, ProtocolClient::kLoggedIn);
        ASSERT_EQ(platform.frames().size(), 1u);
    }
};

TEST(Gate, OnlyOneLoginPassesBeforeTheLoginReply) {
    zt::TestPlatform platform;
    platform.silence(0x01);
    zt::ClientRun run;
    run.client->message_factory = zt::testMessageOf;
    EXPECT_FALSE(run.client->send(item(loginMessage(0)))) << "not connected";
    EXPECT_FALSE(run.client->send(rawItem(zt::makeFrame(0x01, {}, 0))));

    std::vector<bool> offered;
    run.whenConnected = [&](ProtocolClient& c) {
        offered.push_back(c.send(item(loginMessage(1))));
        offered.push_back(c.send(item(loginMessage(2))));           // one already waits
        offered.push_back(c.send(item(blob(3))));                   // not a login
        offered.push_back(c.send(rawItem(zt::makeFrame(0x99, {}, 4)))); // not a login
        offered.push_back(c.send(rawItem(zt::makeFrame(0x01, {}, 5)))); // raw login, own queue
    };
    run.connect(platform);
    ASSERT_TRUE(platform.waitForFrames(2));
    std::vector<bool> seen;
    run.onIo([&](ProtocolClient&) { seen = offered; });
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(serialsAfter(platform, 0), (std::vector<uint16_t>{5, 1})); // raw first

    // Still waiting for the reply: nothing but a login passes.
    EXPECT_FALSE(run.client->send(item(blob(6))));
    platform.send(zt::makeReply(0x01, 1));
    ASSERT_TRUE(run.waitForPackets(1));
    for (uint16_t s = 10; s < 15; ++s) EXPECT_TRUE(run.client->send(item(blob(s))));
    ASSERT_TRUE(platform.waitForFrames(7));
    EXPECT_EQ(serialsAfter(platform, 2), (std::vector<uint16_t>{10, 11, 12, 13, 14}));
}

TEST_F(LoggedIn, MessagesAreWrittenOnceEachInOrderWithTheirDone) {
    std::atomic<int> doneCount{0};
    std::vector<uint16_t> doneSerials; // io thread only until the final onIo
    for (uint16_t s = 1; s <= 40; ++s) {
        WriteItem w = item(blob(s, std::vector<uint8_t>(s, 0x5A)));
        w.done = [&](const std::error_code& ec, std::unique_ptr<Zuno::ZunoMSG> m) {
            if (!ec && m) doneSerials.push_back(m->seq);
            ++doneCount;
        };
        ASSERT_TRUE(run.client->send(std::move(w)));
    }
    ASSERT_TRUE(platform.waitForFrames(41));
    ASSERT_TRUE(platform.waitUntil([&] { return doneCount == 40; }));
    std::vector<uint16_t> expected;
    for (uint16_t s = 1; s <= 40; ++s) expected.push_back(s);
    EXPECT_EQ(serialsAfter(platform, 1), expected);
    std::vector<uint16_t> seen;
    run.onIo([&](ProtocolClient&) { seen = doneSerials; });
    EXPECT_EQ(seen, expected);
}

TEST_F(LoggedIn, RawFrameWaitingGoesBeforeWaitingMessage) {
    std::vector<uint16_t> rawDone;
    run.onIo([&](ProtocolClient& c) {
        c.send(item(blob(10)));
        RawWriteItem r = rawItem(zt::makeFrame(0x70, {1, 2}, 11));
        r.done = [&](const std::error_code& ec, std::unique_ptr<Bytes> b) {
            if (!ec && b) rawDone.push_back(zt::serialOf(*b));
        };
        c.send(std::move(r));
    });
    ASSERT_TRUE(platform.waitForFrames(3));
    EXPECT_EQ(serialsAfter(platform, 1), (std::vector<uint16_t>{11, 10}));
    std::vector<uint16_t> seen;
    run.onIo([&](ProtocolClient&) { seen = rawDone; });
    EXPECT_EQ(seen, std::vector<uint16_t>{11});
}

// Refused when offered, never accepted to be dropped later: what waits to be
// written is never a message that cannot be.
TEST_F(LoggedIn, MessageThatDoesNotEncodeIsRefused) {
    std::atomic<int> doneCount{0};
    auto counting = [&](std::unique_ptr<Zuno::ZunoMSG> m) {
        WriteItem w = item(std::move(m));
        w.done = [&](const std::error_code&, std::unique_ptr<Zuno::ZunoMSG>) { ++doneCount; };
        return w;
    };
    auto failing = blob(20, {1, 2, 3, 4});
    failing->failWith = -4; // fails after writing part of its content
    EXPECT_EQ(run.client->offer(counting(std::move(failing))), ProtocolClient::Offer::Refused);
    EXPECT_TRUE(log.contains("encode error"));
    EXPECT_TRUE(log.contains(Zuno::ZunoException::messageOf(-4)));
    auto empty = std::make_unique<Zuno::ZunoMSG>(0x13); // encodes to nothing
    EXPECT_EQ(run.client->offer(counting(std::move(empty))), ProtocolClient::Offer::Refused);
    EXPECT_EQ(run.client->waiting_bytes(), 0u);
    ASSERT_TRUE(run.client->send(counting(blob(21))));
    ASSERT_TRUE(platform.waitForFrames(2));
    ASSERT_TRUE(platform.waitUntil([&] { return doneCount == 1; }));
    EXPECT_EQ(serialsAfter(platform, 1), std::vector<uint16_t>{21});
    // The bytes received are exactly the login frame and the good frame.
    const auto frames = platform.frames();
    EXPECT_EQ(platform.received().size(), frames[0].size() + frames[1].size());
}

// A frame encoded by the sender (who shows it) is the one written, as given.
TEST_F(LoggedIn, FrameGivenWithTheMessageIsWrittenAsGiven) {
    const Bytes shown = zt::makeFrame(0x99, {7, 7}, 31);
    ASSERT_TRUE(run.client->send(WriteItem(blob(30), nullptr, shown)));
    ASSERT_TRUE(platform.waitForFrames(2));
    EXPECT_EQ(platform.frames()[1], shown);
}

TEST_F(LoggedIn, ClosedClientRefusesEverything) {
    run.onIo([](ProtocolClient& c) {
        c.close();
        c.close(); // both post a closing step: still one on_closed
    });
    ASSERT_TRUE(run.waitForClosed());
    EXPECT_FALSE(run.client->send(item(blob(1))));
    EXPECT_FALSE(run.client->send(rawItem(zt::makeFrame(0x70, {}, 2))));
    EXPECT_FALSE(run.client->is_open());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.closedCount(), 1);
}

// A platform that stops reading: what waits to be written never passes the
// bound; what would pass it is not queued but counted and logged, until the
// platform reads again and the queues empty.
TEST(WriteBound, PlatformThatStopsReadingLeavesFramesUnsentUntilItReadsAgain) {
    constexpr std::size_t kBound = 2000;
    zt::TestPlatform platform;
    platform.receiveBuffer(4096); // the system holds little for the terminal
    zt::ClientRun run;
    zt::LogCapture log;
    run.client->message_factory = zt::testMessageOf;
    run.client->write_bound = kBound;
    run.client->send_buffer_bytes = 4096;
    std::atomic<int> told{0};
    run.client->on_unsent = [&] { ++told; };
    run.whenConnected = [](ProtocolClient& c) { c.send(item(loginMessage(0))); };
    run.connect(platform);
    ASSERT_TRUE(run.waitForPackets(1));
    ASSERT_EQ(run.client->state, ProtocolClient::kLoggedIn);
    platform.stopReading();

    // Frames of 50 bytes, then a raw one of its own: each refused one is
    // given a moment to find room, until none comes.
    std::vector<uint16_t> accepted;
    std::vector<Bytes> refused;
    std::size_t mostWaiting = 0;
    bool stuck = false;
    for (uint16_t serial = 1; serial < 4000 && !stuck; ++serial) {
        const bool raw = serial % 10 == 0;
        Bytes frame = zt::makeFrame(raw ? 0x13 : 0x99, Bytes(40, static_cast<uint8_t>(serial)), serial);
        const ProtocolClient::Offer r = raw ? run.client->offer(rawItem(frame))
                                            : run.client->offer(item(blob(serial, Bytes(40, static_cast<uint8_t>(serial)))));
        mostWaiting = std::max(mostWaiting, run.client->waiting_bytes());
        if (r == ProtocolClient::Offer::Accepted) {
            accepted.push_back(serial);
            continue;
        }
        ASSERT_EQ(r, ProtocolClient::Offer::QueueFull) << serial;
        refused.push_back(frame);
        stuck = !run.waitUntil([&] { return run.client->unsent() == 0; }, std::chrono::milliseconds(300));
    }
    ASSERT_TRUE(stuck) << "the platform reads nothing: the queue must stay full";
    EXPECT_LE(mostWaiting, kBound);
    EXPECT_GT(run.client->waiting_bytes(), 0u);
    EXPECT_GE(run.client->unsent(), 1u);
    EXPECT_GE(told.load(), 1);
    EXPECT_TRUE(run.client->is_open());
    EXPECT_LT(platform.frames().size(), accepted.size() + 1);
    // Each frame not sent is in the log with its name and bytes.
    EXPECT_EQ(log.count("平台未读取, 未发送:"), int(refused.size()));
    const std::vector<std::string> lines = log.lines();
    for (const Bytes& f : refused) {
        const std::string name = zt::protocolOf(f) == 0x13 ? "\"心跳包13\"" : "\"0x99\"";
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find("平台未读取, 未发送:") != std::string::npos && l.find(name) != std::string::npos &&
                   l.find(zt::hex(f)) != std::string::npos;
        })) << zt::hex(f);
    }
    // The gate's refusal is no full queue and counts as no frame not sent.
    ASSERT_TRUE(run.client->offer(rawItem(zt::withBadCrc(zt::makeFrame(0x13, {}, 1)))) ==
                ProtocolClient::Offer::Refused);

    // Read again: every frame accepted arrives, none refused, and the count goes.
    const int toldBefore = told;
    platform.resumeReading();
    ASSERT_TRUE(platform.waitForFrames(accepted.size() + 1));
    ASSERT_TRUE(run.waitUntil([&] { return run.client->unsent() == 0 && told > toldBefore; }));
    EXPECT_EQ(run.client->waiting_bytes(), 0u);
    std::vector<uint16_t> got = serialsAfter(platform, 1);
    std::sort(got.begin(), got.end()); // raw frames go before waiting messages
    EXPECT_EQ(got, accepted);
    EXPECT_EQ(run.client->offer(item(blob(9000))), ProtocolClient::Offer::Accepted);
    ASSERT_TRUE(platform.waitForFrames(accepted.size() + 2));
    EXPECT_EQ(zt::serialOf(platform.frames().back()), 9000);
}

// The user's end of the connection does not wait for what waits to be written.
TEST(WriteBound, ClosingWithAFullQueueEndsAtOnce) {
    zt::TestPlatform platform;
    platform.receiveBuffer(4096);
    zt::ClientRun run;
    run.client->message_factory = zt::testMessageOf;
    run.client->write_bound = 2000;
    run.client->send_buffer_bytes = 4096;
    run.whenConnected = [](ProtocolClient& c) { c.send(item(loginMessage(0))); };
    run.connect(platform);
    ASSERT_TRUE(run.waitForPackets(1));
    platform.stopReading();
    for (uint16_t serial = 1; serial < 2000; ++serial) {
        if (run.client->offer(item(blob(serial, Bytes(200, 0x11)))) == ProtocolClient::Offer::QueueFull &&
            !run.waitUntil([&] { return run.client->unsent() == 0; }, std::chrono::milliseconds(300)))
            break;
    }
    ASSERT_GT(run.client->unsent(), 0u);
    run.onIo([](ProtocolClient& c) { c.close(); });
    ASSERT_TRUE(run.waitForClosed());
    EXPECT_TRUE(run.waitForRunEnd());
    platform.resumeReading(); // and so sees the end
    EXPECT_TRUE(platform.waitForClosed(1));
}

} // namespace
