#include "support/hostile_files.h"

#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>

namespace zt {

std::string nestedObjects(int depth) {
    std::string text;
    text.reserve(static_cast<size_t>(depth) * 7 + 1);
    for (int i = 0; i < depth; ++i)
        text += "{\"a\": ";
    text += "1";
    text.append(static_cast<size_t>(depth), '}');
    return text;
}

bool makeFifo(const std::string& path) { return ::mkfifo(path.c_str(), 0600) == 0; }

Deadline::Deadline(std::string what, std::chrono::seconds limit) {
    thread_ = std::thread([this, what = std::move(what), limit] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (wake_.wait_for(lock, limit, [this] { return done_; }))
            return;
        std::fprintf(stderr, "FAIL: %s did not end within %lld s\n", what.c_str(),
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    });
}

Deadline::~Deadline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

} // namespace zt
