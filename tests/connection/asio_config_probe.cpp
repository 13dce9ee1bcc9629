// Asio first, before any standard header: what it then sees of the standard
// library is only what it includes itself.
#include <asio.hpp>

#include "connection/asio_config_probe.h"

namespace zt {
std::string asioHandlerMemoryAsioFirst() { return asioHandlerMemory(); }
} // namespace zt
