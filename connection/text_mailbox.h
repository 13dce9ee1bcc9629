#pragma once
// Texts and status changes handed from the connection's worker thread to the
// GUI thread. The worker puts them in; the GUI thread takes them out in
// order, a slice at a time. Only plain values cross, under a lock that both
// threads (and the thread checker) can see; the GUI thread makes its Qt values
// of them itself and emits the window's signals.
//
// What waits is bounded per pane, in bytes and in texts, by bounds the window
// sets at least as large as what each pane holds (app/traffic_pane.h): only
// when the worker puts texts faster than the window can show do the oldest
// waiting texts go, counted.
// The count reaches the GUI thread as a letter of its own (`notShown`), ahead
// of the newer texts of the same pane. A status change is never dropped and
// never waits: every slice takes all waiting statuses, while the texts go on
// into the panes in their order, a slice at a time, whatever the status says.

#include <cstddef>
#include <cstdint>
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
        std::string text;       // Inbox, Outbox; for Status, a note on it (may be empty)
        int status = 0;         // Status
        uint64_t notShown = 0;  // Inbox, Outbox: texts dropped here, older than the ones that follow
    };
    struct Slice {
        std::size_t letters;
        std::size_t bytes; // of texts
    };

    // At most `waitingBytes` bytes and `waitingTexts` texts wait for each
    // pane; one text larger than the bytes waits alone.
    TextMailbox(std::size_t waitingBytes, std::size_t waitingTexts)
        : maxBytes_(waitingBytes), maxTexts_(waitingTexts) {}

    // True when the mailbox was empty, i.e. nobody has yet been asked to empty it.
    bool put(Box box, std::string text) {
        std::lock_guard<std::mutex> lock(mutex_);
        const bool wasEmpty = emptyLocked();
        Texts& t = texts(box);
        t.bytes += text.size();
        t.queue.push_back(Entry{nextSeq_++, std::move(text), 0});
        while (t.queue.size() > 1 && (t.bytes > maxBytes_ || t.queue.size() > maxTexts_))
            dropOldest(t);
        return wasEmpty;
    }
    bool putStatus(int status, std::string note = std::string()) {
        std::lock_guard<std::mutex> lock(mutex_);
        const bool wasEmpty = emptyLocked();
        statuses_.push_back(Entry{nextSeq_++, std::move(note), status});
        return wasEmpty;
    }

    // Moves the oldest letters to the end of `out`, in order: every waiting
    // status, and texts while they fit into `slice` (at least one). The texts
    // after the slice stay for the next one; a status newer than them comes
    // now all the same, after the slice's texts. True when texts remain;
    // while any remain, `put` reports the mailbox as not empty, so whoever
    // leaves them must ask for them again.
    bool take(Slice slice, std::deque<Letter>& out) {
        std::lock_guard<std::mutex> lock(mutex_);
        putGaps(out);
        std::size_t letters = 0;
        std::size_t bytes = 0;
        bool sliceFull = false;
        for (;;) {
            Texts* t = nullptr;
            uint64_t seq = UINT64_MAX;
            if (!sliceFull)
                for (Texts* c : {&inbox_, &outbox_})
                    if (!c->queue.empty() && c->queue.front().seq < seq) {
                        t = c;
                        seq = c->queue.front().seq;
                    }
            if (!statuses_.empty() && statuses_.front().seq < seq) {
                Entry& e = statuses_.front();
                out.push_back(Letter{Box::Status, std::move(e.text), e.status, 0});
                statuses_.pop_front();
                continue;
            }
            if (t == nullptr)
                break;
            Entry& e = t->queue.front();
            if (letters > 0 && (letters >= slice.letters || bytes + e.text.size() > slice.bytes)) {
                sliceFull = true;
                continue;
            }
            ++letters;
            bytes += e.text.size();
            t->bytes -= e.text.size();
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
        std::size_t bytes = 0;
        uint64_t gap = 0; // dropped since the last take, all older than `queue`
        uint64_t droppedTotal = 0;
    };

    Texts& texts(Box box) { return box == Box::Inbox ? inbox_ : outbox_; }
    bool emptyLocked() const { return inbox_.queue.empty() && outbox_.queue.empty() && statuses_.empty(); }

    static void dropOldest(Texts& t) {
        t.bytes -= t.queue.front().text.size();
        t.queue.pop_front();
        ++t.gap;
        ++t.droppedTotal;
    }
    void putGaps(std::deque<Letter>& out) {
        for (Texts* t : {&inbox_, &outbox_}) {
            if (t->gap == 0)
                continue;
            out.push_back(Letter{t == &inbox_ ? Box::Inbox : Box::Outbox, std::string(), 0, t->gap});
            t->gap = 0;
        }
    }

    const std::size_t maxBytes_;
    const std::size_t maxTexts_;
    mutable std::mutex mutex_;
    uint64_t nextSeq_ = 0;
    Texts inbox_;
    Texts outbox_;
    std::deque<Entry> statuses_;
};

} // namespace Zuno
