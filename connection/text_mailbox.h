#pragma once
// Texts and status changes handed from the connection's worker thread to the
// GUI thread. The worker puts them in; the GUI thread takes them all out in
// order. Only plain values cross, under a lock that both threads (and the
// thread checker) can see; the GUI thread makes its Qt values of them itself
// and emits the window's signals.

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
        std::string text; // Inbox, Outbox
        int status = 0;   // Status
    };

    // True when the mailbox was empty, i.e. nobody has yet been asked to empty it.
    bool put(Box box, std::string text) { return add(Letter{box, std::move(text), 0}); }
    bool putStatus(int status) { return add(Letter{Box::Status, std::string(), status}); }

    std::deque<Letter> takeAll() {
        std::lock_guard<std::mutex> lock(mutex_);
        std::deque<Letter> out;
        out.swap(letters_);
        return out;
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
