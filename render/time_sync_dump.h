#pragma once
// "MSG" blocks of the time request and time synchronisation packets.

#include <ostream>

#include "protocol/time_sync.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoSyncTime& m);
std::ostream& operator<<(std::ostream& os, const ZunoSyncTimeResp& m);
std::ostream& operator<<(std::ostream& os, const ZunoSyncTime1F& m);
std::ostream& operator<<(std::ostream& os, const ZunoSyncTime1FResp& m);

} // namespace Zuno
