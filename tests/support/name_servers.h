#pragma once
// Name servers for the window's resolver seam (MainForm::setResolver), so
// that no test asks the machine's own: each records the lookup it was asked
// for ("host service") and answers, or not, on the connection's worker.

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

} // namespace zt
