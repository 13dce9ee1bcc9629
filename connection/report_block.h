#pragma once
// The block that every frame sent or received leaves in the report pane.

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/message.h"

namespace Zuno {

// The line that opens every block: 124 '/' characters.
const std::string& reportSeparator();

// Separator line; `marker` (">> " sent, "<< " received) and the frame as
// upper-case byte pairs; then, when there is a message, its text dump. Each
// of the three ends with a line feed.
std::string reportBlock(const std::string& marker, const std::vector<uint8_t>& frame, ZunoMSG* message);

} // namespace Zuno
