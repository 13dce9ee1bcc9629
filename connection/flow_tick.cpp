#include "connection/flow_tick.h"

#include "connection/report_block.h"
#include "protocol/helpers.h"
#include "render/exception.h"

namespace Zuno {

int64_t steadyNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

TaskTick taskTick(int64_t lastSent, int16_t delaySeconds, int64_t now) {
    if (lastSent / kNanosPerSecond == 0)
        return TaskTick::Start;
    const int64_t elapsed = (now - lastSent) / kNanosPerSecond;
    return elapsed > delaySeconds ? TaskTick::Due : TaskTick::Wait;
}

std::string encodeErrorBlock(int result, const std::string& dump) {
    const ZunoException error(result, ZunoException::messageOf(result));
    return reportSeparator() + "\n" + error.toString() + "\n" + dump + "\n";
}

Outgoing prepareSending(const ZunoMSG& source, SerialCounter& serials) {
    Outgoing out;
    out.message = source.clone();
    out.message->seq = serials.take();
    out.result = out.message->encode(out.frame);
    if (out.ok() && out.frame.empty())
        out.result = kErrTooShort; // nothing to write
    if (out.ok()) {
        out.hex = toHex(out.frame, 0, out.frame.size(), " ");
        out.block = reportBlock(">> ", out.frame, out.message.get());
    } else {
        out.frame.clear();
        out.block = encodeErrorBlock(out.result, out.message->toString());
    }
    return out;
}

} // namespace Zuno
