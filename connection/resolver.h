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

// The lookup itself, blocking: the system's (any address family, TCP, no
// flags) unless a test gives its own name server.
using BlockingLookup = std::function<asio::ip::tcp::resolver::results_type(
    const std::string& host, const std::string& service, std::error_code& ec)>;

// A Resolver of the system's name service, for the connections of one window:
// one lookup at a time, on a thread of its own.
//
// Not asio's own asynchronous resolve: that runs the lookup on a thread that
// belongs to the io_context, and the io_context's end joins that thread. The
// system's lookup cannot be cancelled, and a name server that never answers
// holds it for the system's time-out (many seconds), so the end of the
// connection (断开, its worker, the window's end) would wait as long.
//
// Here the lookup runs on a detached thread that reaches an io_context only
// through the io_context's own service, which closes when the io_context's end
// shuts its services down. That is safe at the end: an io_context shuts its
// services down in the reverse order of their making and destroys none
// before all have shut down; the service is made after the io_context's
// scheduler, so while it is open the scheduler takes posts, and an answer
// posted just before it closed is destroyed by the scheduler's shutdown,
// never run. After it closed, the thread touches nothing of that io_context.
//
// The bound: a second lookup never runs beside the first. A request for the
// address being looked up takes the same answer; a request for another
// address waits until the lookup out has ended, and is dropped unasked when
// its connection has ended meanwhile (its io_context stopped or gone). So
// every 连接 against a silent name server holds one thread at most, and each
// connection still open one waiting request at most.
Resolver systemResolver(BlockingLookup lookup = BlockingLookup());

} // namespace Zuno
