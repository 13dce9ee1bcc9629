#include "support/name_servers.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
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

struct HeldNameServer::State {
    std::mutex mutex;
    std::condition_variable changed;
    QStringList asked;
    int held = 0;
    int most = 0;
    uint64_t answers = 0; // answer() calls so far
    bool closing = false;
};

HeldNameServer::HeldNameServer() : state_(std::make_shared<State>()) {}

HeldNameServer::~HeldNameServer() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->closing = true;
    }
    state_->changed.notify_all();
}

Zuno::BlockingLookup HeldNameServer::lookup() const {
    return [state = state_](const std::string& host, const std::string& service, std::error_code& ec) {
        std::unique_lock<std::mutex> lock(state->mutex);
        state->asked << QString::fromStdString(host + " " + service);
        state->most = std::max(state->most, ++state->held);
        state->changed.notify_all();
        const uint64_t answers = state->answers;
        state->changed.wait(lock, [&] { return state->answers != answers || state->closing; });
        --state->held;
        if (state->answers == answers) {
            ec = asio::error::timed_out;
            return asio::ip::tcp::resolver::results_type();
        }
        const asio::ip::tcp::endpoint loopback(asio::ip::address_v4::loopback(),
                                               static_cast<unsigned short>(std::stoul(service)));
        return asio::ip::tcp::resolver::results_type::create(loopback, host, service);
    };
}

void HeldNameServer::answer() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        ++state_->answers;
    }
    state_->changed.notify_all();
}

QStringList HeldNameServer::asked() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->asked;
}

int HeldNameServer::mostAtOnce() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->most;
}

bool HeldNameServer::waitForAsked(int n, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(state_->mutex);
    return state_->changed.wait_for(lock, timeout, [&] { return state_->asked.size() >= n; });
}

} // namespace zt
