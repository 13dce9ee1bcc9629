#pragma once
// "MSG" blocks of the login and heartbeat packets and their replies.

#include <ostream>

#include "protocol/login.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoLogin& m);
std::ostream& operator<<(std::ostream& os, const ZunoLoginResp& m);
std::ostream& operator<<(std::ostream& os, const ZunoPing13& m);
std::ostream& operator<<(std::ostream& os, const ZunoPong13& m);
std::ostream& operator<<(std::ostream& os, const ZunoPing23& m);
std::ostream& operator<<(std::ostream& os, const ZunoPong23& m);

} // namespace Zuno
