// The system's resolver as the window uses it: asked on a connection's loop,
// answered there, never after the loop has gone, and one lookup at a time.
// Numeric addresses or a test's name server only: no test asks the
// machine's name server.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "connection/resolver.h"
#include "support/name_servers.h"
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
        Zuno::systemResolver()(io, c.host, "8000", [&](const std::error_code& e, const auto& results) {
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
    const Zuno::Resolver resolve = Zuno::systemResolver();
    for (int i = 0; i < kLoops; ++i) {
        asio::io_context io;
        // Counts the answer's end, wherever it is dropped.
        std::shared_ptr<void> drop(nullptr, [dropped](void*) { ++*dropped; });
        resolve(io, "127.0.0.1", "8000",
                            [answered, drop](const std::error_code&, const auto&) { ++*answered; });
    }
    std::mutex m;
    std::condition_variable cv;
    EXPECT_TRUE(zt::waitNotified(m, cv, [&] { return dropped->load() == kLoops; }, zt::kNetWait));
    EXPECT_EQ(answered->load(), 0);
}

// Against a name server that keeps silent, connections one after another:
// the lookup out is the only one. The same address takes its answer; another
// address waits for it to end; one whose connection ended meanwhile is never
// asked.
TEST(SystemResolve, OneLookupAtATime) {
    zt::HeldNameServer server;
    const Zuno::Resolver resolve = Zuno::systemResolver(server.lookup());
    struct Asker {
        asio::io_context io;
        std::error_code ec = asio::error::would_block;
        std::vector<asio::ip::tcp::endpoint> found;
        void ask(const Zuno::Resolver& resolve, const std::string& host) {
            resolve(io, host, "8000", [this](const std::error_code& e, const auto& results) {
                ec = e;
                for (const auto& r : results) found.push_back(r.endpoint());
            });
        }
    };
    auto first = std::make_unique<Asker>();
    first->ask(resolve, "a.example");
    ASSERT_TRUE(server.waitForAsked(1));
    first.reset(); // its connection ended, and its loop has gone
    Asker same, other, ended;
    same.ask(resolve, "a.example");
    other.ask(resolve, "b.example");
    ended.ask(resolve, "c.example");
    ended.io.stop();
    EXPECT_EQ(server.asked(), QStringList{"a.example 8000"});

    server.answer();
    same.io.run(); // ends once the answer has run
    EXPECT_FALSE(same.ec) << same.ec.message();
    ASSERT_EQ(same.found.size(), 1u);
    EXPECT_EQ(same.found[0].address().to_string(), "127.0.0.1");
    EXPECT_EQ(same.found[0].port(), 8000);
    ASSERT_TRUE(server.waitForAsked(2));
    server.answer();
    other.io.run();
    EXPECT_FALSE(other.ec) << other.ec.message();
    EXPECT_EQ(other.found.size(), 1u);
    EXPECT_EQ(server.asked(), (QStringList{"a.example 8000", "b.example 8000"}));
    EXPECT_EQ(server.mostAtOnce(), 1);
    EXPECT_EQ(ended.ec, asio::error::would_block); // never answered
}

} // namespace
