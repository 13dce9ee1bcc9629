// The worker threads of the connections and the bounded wait for their end.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>

#include <asio.hpp>

#include "connection/io_thread.h"
#include "support/log_capture.h"

namespace {

TEST(IoThreads, WaitEndsOnlyOnceEveryThreadHasDroppedItsLoop) {
    auto threads = std::make_shared<Zuno::IoThreads>();
    EXPECT_TRUE(threads->waitIdle(std::chrono::milliseconds(0)));

    auto io = std::make_shared<asio::io_context>();
    std::weak_ptr<asio::io_context> watch = io;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    asio::post(*io, [released] { released.wait(); });
    Zuno::IoThreads::start(threads, std::move(io));

    EXPECT_EQ(threads->running(), 1);
    EXPECT_FALSE(threads->waitIdle(std::chrono::milliseconds(20)));
    release.set_value();
    ASSERT_TRUE(threads->waitIdle(std::chrono::seconds(10)));
    EXPECT_EQ(threads->running(), 0);
    // The thread held the last reference: the loop is gone with it.
    EXPECT_TRUE(watch.expired());
}

TEST(IoThreads, RunKeepsGoingAfterAnException) {
    zt::LogCapture log;
    asio::io_context io;
    bool after = false;
    asio::post(io, [] { throw std::runtime_error("handler failed"); });
    asio::post(io, [&] { after = true; });
    Zuno::run_io_context(io);
    EXPECT_TRUE(after);
    EXPECT_TRUE(log.contains("handler failed"));
}

} // namespace
