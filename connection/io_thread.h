#pragma once
// The worker threads that run the connections' io_contexts. Each connection
// gets one detached thread; closing the window waits, bounded, for all of them
// to end, so that each logs its end before the program does.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include <asio.hpp>

namespace Zuno {

// The body of a worker thread: runs `io` until it is stopped or out of work.
// An exception that escapes a handler is logged and the loop goes on, so none
// ends the program.
void run_io_context(asio::io_context& io);

class IoThreads {
public:
    // Starts a detached thread that runs `io` until it is stopped or out of
    // work, logs the time and "io_context runloop is finished!", then drops
    // its reference to `io` and counts itself as ended.
    static void start(const std::shared_ptr<IoThreads>& threads, std::shared_ptr<asio::io_context> io);

    // True once every thread started here has ended, false after `timeout`.
    bool waitIdle(std::chrono::milliseconds timeout);
    int running() const;

private:
    void ended();

    mutable std::mutex mutex_;
    std::condition_variable idle_;
    int running_ = 0;
};

} // namespace Zuno
