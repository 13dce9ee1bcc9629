#pragma once
// "MSG" blocks of the command messages 0x21, 0x80 (both directions) and 0x81.

#include <ostream>

#include "protocol/command.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoAction21& m);
std::ostream& operator<<(std::ostream& os, const ZunoAction80& m);
std::ostream& operator<<(std::ostream& os, const ZunoAction81& m);
std::ostream& operator<<(std::ostream& os, const ZunoAction80Resp& m);

} // namespace Zuno
