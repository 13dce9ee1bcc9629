// The system's resolver as the window uses it: asked on a connection's loop,
// answered there, and never after the loop has gone. Numeric addresses
// only: no test asks the machine's name server.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "connection/resolver.h"
#include "support/test_platform.h"

namespace {

TEST(SystemResolve, AnswersOnTheLoopThatAsked) {
    struct Case {
        std::string host;
        const char* address; // nullptr: any loopback address
    };
    for (const Case& c : {Case{"127.0.0.1", "127.0.0.1"}, Case{"", nullptr}}) {
        SCOPED_TRACE(c.host);
        asio::io_context io;
        std::error_code ec = asio::error::would_block;
        std::vector<asio::ip::tcp::endpoint> found;
        std::thread::id answeredOn;
        Zuno::systemResolve(io, c.host, "8000", [&](const std::error_code& e, const auto& results) {
            ec = e;
            for (const auto& r : results) found.push_back(r.endpoint());
            answeredOn = std::this_thread::get_id();
        });
        // The lookup keeps the loop at work until its answer has run.
        io.run();
        EXPECT_FALSE(ec) << ec.message();
        EXPECT_EQ(answeredOn, std::this_thread::get_id());
        ASSERT_FALSE(found.empty());
        for (const auto& e : found) {
            EXPECT_EQ(e.port(), 8000);
            if (c.address)
                EXPECT_EQ(e.address().to_string(), c.address);
            else
                EXPECT_TRUE(e.address().is_loopback()) << e.address().to_string();
        }
    }
}

// Loops that end before their lookups answer: no answer runs, and none
// touches a loop that has gone (the sanitizers watch), whichever comes first.
TEST(SystemResolve, NoAnswerAfterTheLoopHasGone) {
    constexpr int kLoops = 50;
    auto answered = std::make_shared<std::atomic<int>>(0);
    auto dropped = std::make_shared<std::atomic<int>>(0);
    for (int i = 0; i < kLoops; ++i) {
        asio::io_context io;
        // Counts the answer's end, wherever it is dropped.
        std::shared_ptr<void> drop(nullptr, [dropped](void*) { ++*dropped; });
        Zuno::systemResolve(io, "127.0.0.1", "8000",
                            [answered, drop](const std::error_code&, const auto&) { ++*answered; });
    }
    std::mutex m;
    std::condition_variable cv;
    EXPECT_TRUE(zt::waitNotified(m, cv, [&] { return dropped->load() == kLoops; }, zt::kNetWait));
    EXPECT_EQ(answered->load(), 0);
}

} // namespace
