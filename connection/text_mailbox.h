#pragma once
// Texts handed from the connection's worker thread to the GUI thread. The
// worker puts them in; the GUI thread takes them all out in order. Only
// plain strings cross, under a lock that both threads (and the thread
// checker) can see; the GUI thread makes its Qt strings of them itself.

#include <deque>
#include <mutex>
#include <string>
#include <utility>

namespace Zuno {

class TextMailbox {
public:
    enum class Box { Inbox, Outbox };
    using Letter = std::pair<Box, std::string>;

    // True when the mailbox was empty, i.e. nobody has yet been asked to empty it.
    bool put(Box box, std::string text) {
        std::lock_guard<std::mutex> lock(mutex_);
        const bool wasEmpty = letters_.empty();
        letters_.emplace_back(box, std::move(text));
        return wasEmpty;
    }

    std::deque<Letter> takeAll() {
        std::lock_guard<std::mutex> lock(mutex_);
        std::deque<Letter> out;
        out.swap(letters_);
        return out;
    }

private:
    std::mutex mutex_;
    std::deque<Letter> letters_;
};

} // namespace Zuno
