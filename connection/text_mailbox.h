#pragma once
// Texts and status changes handed from the connection's worker thread to the
// GUI thread. The worker puts them in; the GUI thread takes them out in
// order, all at once or some at a time. Only plain values cross, under a lock that both threads (and the
// thread checker) can see; the GUI thread makes its Qt values of them itself
// and emits the window's signals.

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <utility>

namespace Zuno {

class TextMailbox {
public:
    enum class Box { Inbox, Outbox, Status };
    struct Letter {
        Box box;
        std::string text; // Inbox, Outbox; for Status, a note on it (may be empty)
        int status = 0;   // Status
    };

    // True when the mailbox was empty, i.e. nobody has yet been asked to empty it.
    bool put(Box box, std::string text) { return add(Letter{box, std::move(text), 0}); }
    bool putStatus(int status, std::string note = std::string()) {
        return add(Letter{Box::Status, std::move(note), status});
    }

    // Moves up to `max` of the oldest letters to the end of `out`; true when
    // letters remain. While any remain, `put` reports the mailbox as not empty,
    // so whoever leaves them must ask for them again.
    bool take(std::size_t max, std::deque<Letter>& out) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (std::size_t i = 0; i < max && !letters_.empty(); ++i) {
            out.push_back(std::move(letters_.front()));
            letters_.pop_front();
        }
        return !letters_.empty();
    }

private:
    bool add(Letter letter) {
        std::lock_guard<std::mutex> lock(mutex_);
        const bool wasEmpty = letters_.empty();
        letters_.push_back(std::move(letter));
        return wasEmpty;
    }

    std::mutex mutex_;
    std::deque<Letter> letters_;
};

} // namespace Zuno
