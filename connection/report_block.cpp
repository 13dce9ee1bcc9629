#include "connection/report_block.h"

#include "protocol/helpers.h"

namespace Zuno {

const std::string& reportSeparator() {
    static const std::string line(124, '/');
    return line;
}

std::string reportBlock(const std::string& marker, const std::vector<uint8_t>& frame, ZunoMSG* message) {
    std::string block = reportSeparator() + "\n" + marker + toHex(frame, 0, frame.size(), " ") + "\n";
    if (message)
        block += message->toString() + "\n";
    return block;
}

} // namespace Zuno
