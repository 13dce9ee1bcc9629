#pragma once
// "MSG" blocks of the bike reports 0x32 and 0x33 and of their replies.

#include <ostream>

#include "protocol/bike.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoBikeLoc32& m);
std::ostream& operator<<(std::ostream& os, const ZunoBikeAlert33& m);
std::ostream& operator<<(std::ostream& os, const ZunoBikeLoc32Resp& m);
std::ostream& operator<<(std::ostream& os, const ZunoBikeAlert33Resp& m);

} // namespace Zuno
