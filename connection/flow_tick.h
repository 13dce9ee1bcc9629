#pragma once
// The automatic send flow's timing, the serial counter, and messages made
// ready to go out with the block the report pane shows for them (the block's
// layout: report_block.h).
//
// A task's clock starts at the first tick that finds the terminal logged in
// with automatic sending on; from then on the task is due once more whole
// seconds than its interval have passed since its last sending. The clocks
// survive reconnection and start again only when the flow is loaded anew.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "connection/send_flow.h"
#include "protocol/message.h"

namespace Zuno {

constexpr int64_t kNanosPerSecond = 1000000000;

// Nanoseconds of a monotonic clock; the window uses steadyNanos, tests their own.
using FlowClock = std::function<int64_t()>;
int64_t steadyNanos();

enum class TaskTick {
    Wait,  // not yet due
    Start, // the clock is not running: it starts now, nothing is sent
    Due,   // send now
};

// What a tick does with a task last sent at `lastSent` (0: clock not running)
// whose step's delay is `delaySeconds`: the flow file's value cut to 16 bits
// and read as signed, so a negative delay makes the task due at every tick.
TaskTick taskTick(int64_t lastSent, int16_t delaySeconds, int64_t now);

// The 16-bit serial counter shared by the login, the flow and command
// replies; any thread may take a number, and no two takers get the same one
// before the counter wraps from 65535 to 0.
class SerialCounter {
public:
    static constexpr uint16_t kFirst = 1;
    explicit SerialCounter(uint16_t first = kFirst) : next_(first) {}
    uint16_t take() { return next_.fetch_add(1); }
    uint16_t peek() const { return next_.load(); }

private:
    std::atomic<uint16_t> next_;
};

// A message made ready to go out: its own copy with the next serial number,
// encoded here, once, so that the frame is shown and a message the codec
// cannot write is refused before it is queued. The frame goes to the client
// with the copy (WriteItem), so the bytes written are the bytes shown.
struct Outgoing {
    std::unique_ptr<ZunoMSG> message;
    int result = 0;            // of encode; nothing is shown as sent or queued unless 0
    std::vector<uint8_t> frame; // empty unless result is 0
    std::string hex;           // the frame as upper-case pairs, one blank between them
    std::string block;         // the sent-frame report block, or the error's block

    bool ok() const { return result == 0; }
};

Outgoing prepareSending(const ZunoMSG& source, SerialCounter& serials);

// A message that could not be encoded: separator, the error object and the
// dump, in place of the sent-frame block (connection/report_block.h).
std::string encodeErrorBlock(int result, const std::string& dump);

// One tick over a flow (a list of SendTask). `send(task)` sends one due task
// and returns whether its clock restarts (false when nothing could be offered
// to the connection, so the task stays due). Login steps (isLoginProtocol)
// are never sent here.
template <class Tasks, class Send>
void runFlowTick(Tasks& tasks, const FlowClock& clock, Send&& send) {
    for (auto& task : tasks) {
        if (!task.message || isLoginProtocol(task.message->command))
            continue;
        switch (taskTick(task.lastSent, task.task.delay, clock())) {
        case TaskTick::Wait:
            break;
        case TaskTick::Start:
            task.lastSent = clock();
            break;
        case TaskTick::Due:
            if (send(task))
                task.lastSent = clock();
            break;
        }
    }
}

} // namespace Zuno
