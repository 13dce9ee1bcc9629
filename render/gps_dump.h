#pragma once
// "MSG" blocks of the GPS location reports and the location reply. The 0x70
// message writes its own block in its toString and has no operator.

#include <ostream>

#include "protocol/gps.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc10& m);
std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc12& m);
std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc22& m);
std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc2D& m);
std::ostream& operator<<(std::ostream& os, const ZunoGpsLocA0& m);
std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc24& m);
std::ostream& operator<<(std::ostream& os, const ZunoGpsLocResp& m);

} // namespace Zuno
