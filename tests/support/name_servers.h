#pragma once
// Name servers for the window's resolver seam (MainForm::setResolver), so
// that no test asks the machine's own: each records the lookup it was asked
// for ("host service") and answers, or not, on the connection's worker. And
// one for the system resolver's blocking lookup (Zuno::systemResolver).

#include <chrono>
#include <memory>
#include <string>

#include <QStringList>

#include "connection/resolver.h"

namespace zt {

// Never answers: the lookup waits a day on the connection's worker and
// ends only with it.
void silentNameServer(asio::io_context& io, const std::string& host, const std::string& service,
                      Zuno::ResolveDone done);
// Knows every name as this machine's loopback address, 127.0.0.1.
void loopbackNameServer(asio::io_context& io, const std::string& host, const std::string& service,
                        Zuno::ResolveDone done);
// Knows no name: answers "host not found".
void unknownName(asio::io_context& io, const std::string& host, const std::string& service, Zuno::ResolveDone done);

// The lookups asked for since the last forgetLookups(), in order.
QStringList lookupsAsked();
void forgetLookups();

// A name server as the system's lookup meets it: each lookup blocks its
// thread until the test answers it (every name: 127.0.0.1), as a silent one
// would until the system's time-out. Lookups still held when it goes are
// answered "timed out".
class HeldNameServer {
public:
    HeldNameServer();
    ~HeldNameServer();
    HeldNameServer(const HeldNameServer&) = delete;
    HeldNameServer& operator=(const HeldNameServer&) = delete;

    // The blocking lookup, for Zuno::systemResolver.
    Zuno::BlockingLookup lookup() const;
    // Answers the lookups held now.
    void answer();
    // The lookups asked for ("host service"), in order.
    QStringList asked() const;
    // The most lookups that were held at once.
    int mostAtOnce() const;
    bool waitForAsked(int n, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace zt
