// The tick timer and the login timer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "connection/client_harness.h"
#include "support/frame_fixture.h"

namespace {

using namespace std::chrono_literals;

WriteItem login() { return WriteItem{std::make_unique<zt::BareMessage>(0x01), nullptr}; }

TEST(Timers, DefaultLoginTimeoutIsSixtySeconds) {
    asio::io_context io;
    ProtocolClient client(io, 4, 1000);
    EXPECT_EQ(client.login_timeout, std::chrono::milliseconds(60000));
    EXPECT_EQ(client.tick_interval_ms, 1000);
    EXPECT_EQ(client.header_length, 4u);
}

TEST(Timers, TickRunsUntilTheClientCloses) {
    zt::TestPlatform platform;
    zt::ClientRun run(1);
    run.connect(platform);
    ASSERT_TRUE(run.waitUntil([&] { return run.tickCount() >= 5; }));
    platform.closeConnection();
    ASSERT_TRUE(run.waitForClosed());
    // The io thread's run returns by itself only when no timer waits any more.
    ASSERT_TRUE(run.waitForRunEnd());
    const auto times = run.tickTimes();
    for (std::size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], 1ms);
}

TEST(Timers, MissingLoginReplyTimesOut) {
    zt::TestPlatform platform;
    platform.silence(0x01);
    zt::LogCapture log;
    zt::ClientRun run;
    run.client->login_timeout = 30ms;
    run.whenConnected = [](ProtocolClient& c) {
        c.send(login());
        c.start_login_timer();
    };
    run.connect(platform);
    ASSERT_TRUE(log.waitFor("登录超时"));
    ASSERT_TRUE(run.waitForClosed());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.closedCount(), 1);
    EXPECT_EQ(run.endSeen().kind, Zuno::ConnectionEnd::LoginTimeout);
    EXPECT_EQ(run.endSeen().loginTimeout, 30ms);
    EXPECT_EQ(platform.frames().size(), 1u);
    EXPECT_TRUE(platform.waitForClosed(1));
}

TEST(Timers, LoginReplyInTimeDisarmsTheTimeout) {
    zt::TestPlatform platform;
    zt::LogCapture log;
    zt::ClientRun run(1);
    run.client->message_factory = zt::testMessageOf;
    run.client->login_timeout = 40ms;
    std::atomic<int64_t> armedAt{0};
    run.whenConnected = [&](ProtocolClient& c) {
        c.send(login());
        c.start_login_timer();
        armedAt = std::chrono::steady_clock::now().time_since_epoch().count();
    };
    run.connect(platform);
    ASSERT_TRUE(run.waitForPackets(1));
    // Timers fire in order of expiry on the one io thread: a tick well after
    // the login timer's expiry means that its handler has run.
    const auto expiry = std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(armedAt.load())) +
                        run.client->login_timeout + 10ms;
    ASSERT_TRUE(run.waitUntil([&] {
        const auto t = run.tickTimes();
        return !t.empty() && t.back() > expiry;
    }));
    EXPECT_EQ(run.client->state, ProtocolClient::kLoggedIn);
    EXPECT_TRUE(run.client->is_open());
    EXPECT_EQ(run.closedCount(), 0);
    EXPECT_FALSE(log.contains("登录超时"));
}

TEST(Timers, ClosingEndsBothTimersSilently) {
    zt::TestPlatform platform;
    platform.silence(0x01);
    zt::LogCapture log;
    zt::ClientRun run(1);
    run.whenConnected = [](ProtocolClient& c) {
        c.send(login());
        c.start_login_timer();
    };
    run.connect(platform);
    ASSERT_TRUE(platform.waitForFrames(1));
    run.onIo([](ProtocolClient& c) { c.close(); });
    ASSERT_TRUE(run.waitForClosed());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.closedCount(), 1);
    EXPECT_FALSE(log.contains("登录超时"));
}

} // namespace
