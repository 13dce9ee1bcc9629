#pragma once
// "MSG" blocks of the alarm messages: the GPS alarms 0x16, 0x26, 0x27, 0xA3,
// 0xA4 with the 0x26 reply, and the cell and short alarms 0x19, 0xA5, 0x95.

#include <ostream>

#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoAlert16& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlert26& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlert27& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlertA3& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlertA4& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlertResp& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlert19& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlertA5& m);
std::ostream& operator<<(std::ostream& os, const ZunoAlert95& m);

} // namespace Zuno
