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

// Runs a timer of `after` on the client's io thread and waits for its
// handler. Timers run in the order of their expiry, so every timer of the
// client due no later than it has run its handler by then.
bool waitPastTimers(zt::ClientRun& run, std::chrono::milliseconds after) {
    auto fired = std::make_shared<std::atomic<bool>>(false);
    run.onIo([&](ProtocolClient&) {
        auto probe = std::make_shared<asio::steady_timer>(run.io, after);
        probe->async_wait([probe, fired](const std::error_code& ec) { *fired = !ec; });
    });
    return run.waitUntil([&] { return fired->load(); });
}

TEST(Timers, MissingLoginReplyTimesOut) {
    zt::TestPlatform platform;
    platform.silence(0x01);
    zt::LogCapture log;
    zt::ClientRun run;
    run.whenConnected = [](ProtocolClient& c) { c.send(login()); };
    run.connect(platform);
    // Armed once the login has reached the platform: however slow the
    // machine, the login goes out before its time runs.
    ASSERT_TRUE(platform.waitForFrames(1));
    run.onIo([](ProtocolClient& c) {
        c.login_timeout = 30ms;
        c.start_login_timer();
    });
    ASSERT_TRUE(log.waitFor("登录超时"));
    ASSERT_TRUE(run.waitForClosed());
    ASSERT_TRUE(run.waitForRunEnd());
    EXPECT_EQ(run.closedCount(), 1);
    EXPECT_EQ(run.endSeen().kind, Zuno::ConnectionEnd::LoginTimeout);
    EXPECT_EQ(run.endSeen().loginTimeout, 30ms);
    EXPECT_TRUE(platform.waitForClosed(1));
    EXPECT_EQ(platform.frames().size(), 1u);
}

// The login timer's expiry after the login reply changes nothing: its
// handler finds the client logged in. (The reply does not disarm the timer;
// the wait that runs out here is armed anew after the reply.)
TEST(Timers, LoginTimerRunningOutAfterTheReplyChangesNothing) {
    zt::TestPlatform platform;
    zt::LogCapture log;
    zt::ClientRun run;
    run.client->message_factory = zt::testMessageOf;
    // Armed with the login, as the window arms it.
    run.whenConnected = [&](ProtocolClient& c) {
        c.send(login());
        c.start_login_timer();
    };
    run.connect(platform);
    ASSERT_TRUE(run.waitForPackets(1));
    EXPECT_EQ(run.client->state, ProtocolClient::kLoggedIn);
    // The reply is in: now the timer runs out, and its expiry must change nothing.
    run.onIo([](ProtocolClient& c) {
        c.login_timeout = 0ms;
        c.start_login_timer();
    });
    ASSERT_TRUE(waitPastTimers(run, 1ms));
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
