#pragma once
// Texts and status changes handed from the connection's worker thread to the
// GUI thread. The worker puts them in; the GUI thread takes them out in
// order, a slice at a time. Only plain values cross, under a lock that both
// threads (and the thread checker) can see; the GUI thread makes its Qt values
// of them itself and emits the window's signals.
//
// What waits is bounded per pane, in characters and in texts: a pane shows no
// more than its limit anyway, so when the worker puts texts faster than the
// window takes them, the oldest waiting texts go and are counted. The count
// reaches the GUI thread as a letter of its own (`notShown`), ahead of the
// newer texts of the same pane. A status change is never dropped, and never
// waits behind more texts than one slice: the texts before it that do not fit
// into the slice that takes it are dropped and counted too.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <utility>

namespace Zuno {

// The texts waiting for one pane, at most.
constexpr std::size_t kWaitingChars = 64 * 1024;
constexpr std::size_t kWaitingTexts = 1000;

class TextMailbox {
public:
    enum class Box { Inbox, Outbox, Status };
    struct Letter {
        Box box;
        std::string text;       // Inbox, Outbox; for Status, a note on it (may be empty)
        int status = 0;         // Status
        uint64_t notShown = 0;  // Inbox, Outbox: texts dropped here, older than the ones that follow
    };
    struct Slice {
        std::size_t letters;
        std::size_t chars; // of texts
    };

    explicit TextMailbox(std::size_t waitingChars = kWaitingChars, std::size_t waitingTexts = kWaitingTexts)
        : maxChars_(waitingChars), maxTexts_(waitingTexts) {}

    // True when the mailbox was empty, i.e. nobody has yet been asked to empty it.
    bool put(Box box, std::string text) {
        std::lock_guard<std::mutex> lock(mutex_);
        const bool wasEmpty = emptyLocked();
        Texts& t = texts(box);
        t.chars += text.size();
        t.queue.push_back(Entry{nextSeq_++, std::move(text), 0});
        while (t.queue.size() > 1 && (t.chars > maxChars_ || t.queue.size() > maxTexts_))
            dropOldest(t);
        return wasEmpty;
    }
    bool putStatus(int status, std::string note = std::string()) {
        std::lock_guard<std::mutex> lock(mutex_);
        const bool wasEmpty = emptyLocked();
        statuses_.push_back(Entry{nextSeq_++, std::move(note), status});
        return wasEmpty;
    }

    // Moves the oldest letters to the end of `out`: texts while they fit into
    // `slice` (at least one letter). While a status waits, the slice reaches
    // the last waiting status: of the texts before it only the newest that fit
    // into `slice` are taken, the others are counted as not shown. True when
    // letters remain; while any remain, `put` reports the mailbox as not
    // empty, so whoever leaves them must ask for them again.
    bool take(Slice slice, std::deque<Letter>& out) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!statuses_.empty()) {
            const uint64_t last = statuses_.back().seq;
            std::size_t letters = 0;
            std::size_t chars = 0;
            for (const Texts* t : {&inbox_, &outbox_})
                for (const Entry& e : t->queue)
                    if (e.seq < last) {
                        ++letters;
                        chars += e.text.size();
                    }
            while (letters > slice.letters || chars > slice.chars) {
                Texts& t = olderFront(last);
                --letters;
                chars -= t.queue.front().text.size();
                dropOldest(t);
            }
        }
        putGaps(out);
        std::size_t letters = 0;
        std::size_t chars = 0;
        bool statusSeen = statuses_.empty();
        while (!emptyLocked()) {
            Texts* t = nullptr;
            uint64_t seq = UINT64_MAX;
            for (Texts* c : {&inbox_, &outbox_})
                if (!c->queue.empty() && c->queue.front().seq < seq) {
                    t = c;
                    seq = c->queue.front().seq;
                }
            if (!statuses_.empty() && statuses_.front().seq < seq) {
                Entry& e = statuses_.front();
                out.push_back(Letter{Box::Status, std::move(e.text), e.status, 0});
                statuses_.pop_front();
                statusSeen = statusSeen || statuses_.empty();
                continue;
            }
            // Only texts remain before the next status (or none waits).
            Entry& e = t->queue.front();
            if (statusSeen && letters > 0 && (letters >= slice.letters || chars + e.text.size() > slice.chars))
                break;
            ++letters;
            chars += e.text.size();
            t->chars -= e.text.size();
            out.push_back(Letter{t == &inbox_ ? Box::Inbox : Box::Outbox, std::move(e.text), 0, 0});
            t->queue.pop_front();
        }
        return !emptyLocked();
    }

    // Texts dropped so far for `box`, in all.
    uint64_t dropped(Box box) const {
        std::lock_guard<std::mutex> lock(mutex_);
        return box == Box::Inbox ? inbox_.droppedTotal : outbox_.droppedTotal;
    }

private:
    struct Entry {
        uint64_t seq;
        std::string text;
        int status;
    };
    struct Texts {
        std::deque<Entry> queue;
        std::size_t chars = 0;
        uint64_t gap = 0; // dropped since the last take, all older than `queue`
        uint64_t droppedTotal = 0;
    };

    Texts& texts(Box box) { return box == Box::Inbox ? inbox_ : outbox_; }
    bool emptyLocked() const { return inbox_.queue.empty() && outbox_.queue.empty() && statuses_.empty(); }

    static void dropOldest(Texts& t) {
        t.chars -= t.queue.front().text.size();
        t.queue.pop_front();
        ++t.gap;
        ++t.droppedTotal;
    }
    // The queue whose front is the oldest text before `seq`.
    Texts& olderFront(uint64_t seq) {
        const bool in = !inbox_.queue.empty() && inbox_.queue.front().seq < seq;
        const bool out = !outbox_.queue.empty() && outbox_.queue.front().seq < seq;
        if (in && out)
            return inbox_.queue.front().seq < outbox_.queue.front().seq ? inbox_ : outbox_;
        return in ? inbox_ : outbox_;
    }
    void putGaps(std::deque<Letter>& out) {
        for (Texts* t : {&inbox_, &outbox_}) {
            if (t->gap == 0)
                continue;
            out.push_back(Letter{t == &inbox_ ? Box::Inbox : Box::Outbox, std::string(), 0, t->gap});
            t->gap = 0;
        }
    }

    const std::size_t maxChars_;
    const std::size_t maxTexts_;
    mutable std::mutex mutex_;
    uint64_t nextSeq_ = 0;
    Texts inbox_;
    Texts outbox_;
    std::deque<Entry> statuses_;
};

} // namespace Zuno
