#pragma once
// "MSG" blocks of the address requests and replies.

#include <ostream>

#include "protocol/address.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoGeocoding17& m);
std::ostream& operator<<(std::ostream& os, const ZunoGeocodingA7& m);
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding1A& m);
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding2A& m);
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding17Resp& m);
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding97Resp& m);

} // namespace Zuno
