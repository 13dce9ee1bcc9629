#pragma once
// Files nobody meant the program to read: JSON nested without end, FIFOs
// that nobody writes, and a deadline for the code that reads them, so that
// a read that blocks or never ends fails the test instead of hanging it.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace zt {

// `depth` JSON objects, each the only member of the one around it.
std::string nestedObjects(int depth);

// Makes a FIFO at `path`; false when the system refuses.
bool makeFifo(const std::string& path);

// While it lives, watches the clock: still alive `limit` after it was made,
// it says that `what` did not end and ends the test program with a failure.
class Deadline {
public:
    explicit Deadline(std::string what, std::chrono::seconds limit = std::chrono::seconds(30));
    ~Deadline();
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace zt
