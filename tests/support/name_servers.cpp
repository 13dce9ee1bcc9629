#include "support/name_servers.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <string>

namespace zt {

namespace {

std::mutex lookupsMutex;
QStringList lookups;

void asked(const std::string& host, const std::string& service) {
    std::lock_guard<std::mutex> lock(lookupsMutex);
    lookups << QString::fromStdString(host + " " + service);
}

} // namespace

void silentNameServer(asio::io_context& io, const std::string& host, const std::string& service,
                      Zuno::ResolveDone done) {
    asked(host, service);
    auto wait = std::make_shared<asio::steady_timer>(io, std::chrono::hours(24));
    wait->async_wait([wait, done = std::move(done)](const std::error_code& ec) {
        if (!ec)
            done(asio::error::timed_out, {});
    });
}

void loopbackNameServer(asio::io_context& io, const std::string& host, const std::string& service,
                        Zuno::ResolveDone done) {
    asked(host, service);
    const asio::ip::tcp::endpoint loopback(asio::ip::address_v4::loopback(),
                                           static_cast<unsigned short>(std::stoul(service)));
    asio::post(io, [done = std::move(done), host, service, loopback] {
        done({}, asio::ip::tcp::resolver::results_type::create(loopback, host, service));
    });
}

void unknownName(asio::io_context& io, const std::string& host, const std::string& service, Zuno::ResolveDone done) {
    asked(host, service);
    asio::post(io, [done = std::move(done)] { done(asio::error::host_not_found, {}); });
}

QStringList lookupsAsked() {
    std::lock_guard<std::mutex> lock(lookupsMutex);
    return lookups;
}

void forgetLookups() {
    std::lock_guard<std::mutex> lock(lookupsMutex);
    lookups.clear();
}

} // namespace zt
