#pragma once
// Collects every Qt message while it lives, from any thread (one capture at a
// time).

#include <chrono>
#include <string>
#include <vector>

namespace zt {

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    bool contains(const std::string& text) const;
    int count(const std::string& text) const;
    // Waits up to `timeout` (10 s, the network tests' deadline) for a line holding `text`.
    bool waitFor(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // Waits the same way until at least `n` lines hold `text`.
    bool waitForCount(const std::string& text, int n, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
};

} // namespace zt
