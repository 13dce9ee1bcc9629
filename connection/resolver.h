#pragma once
// How a connection finds the endpoints of its platform's address.

#include <functional>
#include <string>
#include <system_error>

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>

namespace Zuno {

using ResolveDone = std::function<void(const std::error_code&, const asio::ip::tcp::resolver::results_type&)>;

// Looks up `host` (empty: this machine) and `service` (the port as decimal
// text) without blocking its caller. `done` runs once, on the thread that
// runs `io`, unless `io` is stopped first; until then the lookup keeps `io`
// at work, as an asynchronous operation on it does.
using Resolver =
    std::function<void(asio::io_context& io, const std::string& host, const std::string& service, ResolveDone done)>;

// The system's resolver (any address family, TCP, no flags), on a thread of
// its own: an io_context that ends before the answer comes ends at once, and
// the answer is dropped.
void systemResolve(asio::io_context& io, const std::string& host, const std::string& service, ResolveDone done);

} // namespace Zuno
