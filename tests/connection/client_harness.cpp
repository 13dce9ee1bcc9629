#include "connection/client_harness.h"

#include <future>

#include "connection/io_thread.h"
#include "connection/reply_select.h"
#include "support/frame_fixture.h"

namespace zt {

ClientRun::ClientRun(std::size_t tickMs) : client(std::make_shared<ProtocolClient>(io, 4, tickMs)) {}

ClientRun::~ClientRun() { stop(); }

void ClientRun::note(const std::function<void()>& change) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        change();
    }
    changed_.notify_all();
}

void ClientRun::connect(const TestPlatform& platform, const std::function<void(ProtocolClient&)>& beforeRun) {
    ProtocolClient* c = client.get();
    client->on_connected = [this, c](bool ok) {
        note([&] { connected_.push_back(ok); });
        if (ok && whenConnected) whenConnected(*c);
    };
    client->on_closed = [this] {
        note([&] {
            ++closed_;
            end_ = client->end_reason();
        });
    };
    client->on_logged_in = [this] { note([&] { ++logins_; }); };
    client->on_tick = [this] { note([&] { ticks_.push_back(std::chrono::steady_clock::now()); }); };
    client->on_packet = [this, c](const std::error_code& ec, const MoPack& pack, std::unique_ptr<Zuno::ZunoMSG> msg) {
        Received r;
        r.ec = ec;
        r.frame = *pack.data;
        r.protocol = pack.protocol;
        r.length = pack.length;
        r.begin = pack.begin;
        r.stateSeen = c->state;
        r.msg = std::move(msg);
        note([&] {
            r.loginsSeen = logins_;
            packets_.push_back(std::move(r));
        });
    };
    client->do_connect(platform.resolve(io));
    if (beforeRun) beforeRun(*client);
    thread_ = std::thread([this] {
        Zuno::run_io_context(io);
        note([&] { runEnded_ = true; });
    });
}

void ClientRun::onIo(const std::function<void(ProtocolClient&)>& f) {
    std::promise<void> done;
    asio::post(io, [&] {
        f(*client);
        done.set_value();
    });
    done.get_future().wait_for(kNetWait);
}

void ClientRun::stop() {
    if (thread_.joinable()) {
        ProtocolClient* c = client.get();
        asio::post(io, [this, c] {
            io.stop();
            c->close();
        });
        thread_.join();
    }
}

bool ClientRun::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) const {
    return waitNotified(mutex_, changed_, condition, timeout);
}

bool ClientRun::waitForPackets(std::size_t n, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return packetCount() >= n; }, timeout);
}

bool ClientRun::waitForClosed(std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return closedCount() > 0; }, timeout);
}

bool ClientRun::waitForRunEnd(std::chrono::milliseconds timeout) const {
    return waitUntil(
        [&] {
            std::lock_guard<std::mutex> lock(mutex_);
            return runEnded_;
        },
        timeout);
}

std::size_t ClientRun::packetCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return packets_.size();
}

std::vector<Received> ClientRun::takePackets() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::move(packets_);
}

std::vector<bool> ClientRun::connectResults() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return connected_;
}

Zuno::ConnectionEnd ClientRun::endSeen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return end_;
}

int ClientRun::closedCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
}

int ClientRun::tickCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(ticks_.size());
}

std::vector<std::chrono::steady_clock::time_point> ClientRun::tickTimes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return ticks_;
}

std::unique_ptr<Zuno::ZunoMSG> testMessageOf(uint8_t protocol, uint16_t length) {
    if (protocol == 0x99) return std::make_unique<BlobMessage>();
    return makePlatformMessage(protocol, length);
}

} // namespace zt
