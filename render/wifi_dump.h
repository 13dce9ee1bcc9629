#pragma once
// "MSG" blocks of the WiFi location reports, and the WiFi list lines that
// the bike dumps write the same way.

#include <ostream>

#include "protocol/wifi.h"

namespace Zuno {

// "wifiCount" line and "wifiArray" array of the 0x2C and 0xA2 dumps: each
// MAC as its text and its whole value in at least 6 hexadecimal digits.
void writeWifiCountLine(std::ostream& os, size_t count);
void writeWifiArrayLines(std::ostream& os, const WifiList& list);

std::ostream& operator<<(std::ostream& os, const ZunoWifiLoc2C& m);
std::ostream& operator<<(std::ostream& os, const ZunoWifiInfoA2& m);
std::ostream& operator<<(std::ostream& os, const ZunoWifiLocC3& m);

} // namespace Zuno
