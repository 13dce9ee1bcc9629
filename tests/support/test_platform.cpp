#include "support/test_platform.h"

#include <algorithm>
#include <array>
#include <deque>
#include <future>
#include <string>
#include <utility>

#include "protocol/frame_header.h"
#include "support/test_util.h"

namespace zt {

// ------------------------------------------------------------ frame helpers

Bytes makeFrame(uint8_t protocol, const Bytes& content, uint16_t serial, bool longFrame) {
    return frameAround(protocol, content, serial, longFrame);
}

Bytes makeReply(uint8_t protocol, uint16_t serial) { return makeFrame(protocol, {}, serial); }

Bytes withBadCrc(Bytes frame) {
    if (frame.size() >= 4) frame[frame.size() - 3] ^= 0xFF;
    return frame;
}

Bytes withBadStop(Bytes frame) {
    if (frame.size() >= 2) frame[frame.size() - 1] = 0x0B;
    return frame;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

uint16_t serialOf(const Bytes& frame) {
    if (frame.size() < 6) return 0;
    return static_cast<uint16_t>(frame[frame.size() - 6] << 8 | frame[frame.size() - 5]);
}

uint8_t protocolOf(const Bytes& frame) {
    if (frame.size() < 5) return 0;
    return frame[Zuno::FrameHeader::read(frame).protocolPos()];
}

bool waitNotified(std::mutex& mutex, std::condition_variable& changed, const std::function<bool()>& condition,
                  std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait_until(lock, std::min(deadline, now + std::chrono::milliseconds(20)));
    }
}

// ------------------------------------------------------------ platform

struct TestPlatform::Connection {
    explicit Connection(asio::io_context& io) : socket(io), pause(io) {}
    asio::ip::tcp::socket socket;
    asio::steady_timer pause;
    std::array<uint8_t, 4096> buffer{};
    Bytes inbox;
    std::deque<Action> actions;
    bool writing = false;
    bool reading = false; // a read is under way
    bool closed = false;
};

TestPlatform::TestPlatform(std::chrono::milliseconds lifetime)
    : acceptor_(io_, asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), 0)), lifetime_(io_) {
    port_ = acceptor_.local_endpoint().port();
    for (uint8_t p : {0x01, 0x13, 0x23, 0x26, 0x2D, 0x2E, 0x32, 0x33}) responders_[p] = &TestPlatform::standardReply;
    lifetime_.expires_after(lifetime);
    lifetime_.async_wait([this](const std::error_code& ec) {
        if (ec) return;
        std::error_code ignored;
        acceptor_.close(ignored);
        if (current_) finish(current_);
    });
    accept();
    thread_ = std::thread([this] { io_.run(); });
}

TestPlatform::~TestPlatform() {
    asio::post(io_, [this] {
        std::error_code ignored;
        acceptor_.close(ignored);
        lifetime_.cancel();
        if (current_) finish(current_);
        io_.stop();
    });
    thread_.join();
}

asio::ip::tcp::endpoint TestPlatform::endpoint() const {
    return {asio::ip::address_v4::loopback(), port_};
}

asio::ip::tcp::resolver::results_type TestPlatform::resolve(asio::io_context& io) const {
    asio::ip::tcp::resolver resolver(io);
    return resolver.resolve(asio::ip::tcp::v4(), "127.0.0.1", std::to_string(port_),
                            asio::ip::resolver_base::numeric_host | asio::ip::resolver_base::numeric_service);
}

Bytes TestPlatform::standardReply(const Bytes& frame) { return makeReply(protocolOf(frame), serialOf(frame)); }

void TestPlatform::answer(uint8_t protocol, Responder responder) {
    std::lock_guard<std::mutex> lock(mutex_);
    responders_[protocol] = std::move(responder);
}

void TestPlatform::silence(uint8_t protocol) { answer(protocol, nullptr); }

void TestPlatform::send(Bytes bytes) { push(Action{Action::Write, std::move(bytes), false}); }

void TestPlatform::sendSplit(Bytes bytes, std::vector<std::size_t> cuts) {
    std::size_t from = 0;
    cuts.push_back(bytes.size());
    for (std::size_t cut : cuts) {
        if (cut <= from || cut > bytes.size()) continue;
        push(Action{Action::Write, Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                         bytes.begin() + static_cast<std::ptrdiff_t>(cut)),
                    from != 0});
        from = cut;
    }
}

void TestPlatform::closeConnection() { push(Action{Action::Close, {}, false}); }

void TestPlatform::sendTruncated(const Bytes& frame, std::size_t keep) {
    send(Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(std::min(keep, frame.size()))));
    closeConnection();
}

void TestPlatform::flood(Bytes pattern) {
    floodStop_ = false;
    push(Action{Action::Flood, std::move(pattern), false});
}

void TestPlatform::stopFlood() { floodStop_ = true; }

void TestPlatform::sendBuffer(int bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    sendBuffer_ = bytes;
}

uint64_t TestPlatform::floodWrites() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return floodWrites_;
}

void TestPlatform::floodStep(const std::shared_ptr<Connection>& c, const std::shared_ptr<Bytes>& pattern) {
    if (floodStop_ || c->closed) {
        c->writing = false;
        pump(c);
        return;
    }
    asio::async_write(c->socket, asio::buffer(*pattern), [this, c, pattern](const std::error_code& ec, std::size_t) {
        if (ec) {
            c->writing = false;
            finish(c);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++floodWrites_;
        }
        floodStep(c, pattern);
    });
}

void TestPlatform::stopReading() {
    std::lock_guard<std::mutex> lock(mutex_);
    reading_ = false;
}

void TestPlatform::resumeReading() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        reading_ = true;
    }
    asio::post(io_, [this] {
        if (current_ && !current_->closed && !current_->reading) startRead(current_);
    });
}

void TestPlatform::receiveBuffer(int bytes) {
    std::promise<void> done;
    asio::post(io_, [this, bytes, &done] {
        // Accepted sockets take the listener's size, and with it the window
        // they offer the peer.
        std::error_code ignored;
        acceptor_.set_option(asio::socket_base::receive_buffer_size(bytes), ignored);
        done.set_value();
    });
    done.get_future().wait_for(kNetWait);
}

void TestPlatform::closeOnAccept(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    closeOnAccept_ = on;
}

void TestPlatform::refuse() {
    std::promise<void> done;
    asio::post(io_, [this, &done] {
        std::error_code ignored;
        acceptor_.close(ignored);
        done.set_value();
    });
    done.get_future().wait_for(kNetWait);
}

Bytes TestPlatform::received() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::vector<Bytes> TestPlatform::frames() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_;
}

int TestPlatform::connections() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

int TestPlatform::closedConnections() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
}

bool TestPlatform::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) const {
    return waitNotified(mutex_, changed_, condition, timeout);
}

bool TestPlatform::waitForConnections(int n, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return connections() >= n; }, timeout);
}

bool TestPlatform::waitForFrames(std::size_t n, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return frames().size() >= n; }, timeout);
}

bool TestPlatform::waitForClosed(int n, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return closedConnections() >= n; }, timeout);
}

void TestPlatform::notify() { changed_.notify_all(); }

void TestPlatform::accept() {
    auto c = std::make_shared<Connection>(io_);
    acceptor_.async_accept(c->socket, [this, c](const std::error_code& ec) {
        if (ec) return; // the acceptor was closed
        bool closeNow = false;
        int sendBuffer = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++connections_;
            closeNow = closeOnAccept_;
            sendBuffer = sendBuffer_;
        }
        notify();
        std::error_code ignored;
        c->socket.set_option(asio::ip::tcp::no_delay(true), ignored);
        if (sendBuffer > 0)
            c->socket.set_option(asio::socket_base::send_buffer_size(sendBuffer), ignored);
        if (closeNow) {
            finish(c);
        } else {
            current_ = c;
            for (Action& a : waiting_) c->actions.push_back(std::move(a));
            waiting_.clear();
            startRead(c);
            pump(c);
        }
        accept();
    });
}

void TestPlatform::startRead(const std::shared_ptr<Connection>& c) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!reading_) return;
    }
    c->reading = true;
    c->socket.async_read_some(asio::buffer(c->buffer), [this, c](const std::error_code& ec, std::size_t n) {
        c->reading = false;
        if (n) onBytes(c, c->buffer.data(), n);
        if (ec) {
            finish(c);
            return;
        }
        if (!c->closed) startRead(c);
    });
}

void TestPlatform::onBytes(const std::shared_ptr<Connection>& c, const uint8_t* data, std::size_t n) {
    c->inbox.insert(c->inbox.end(), data, data + n);
    std::vector<Bytes> complete;
    std::size_t pos = 0;
    Bytes& in = c->inbox;
    while (in.size() - pos >= Zuno::kFrameHeadBytes) {
        const Zuno::FrameHeader head = Zuno::FrameHeader::read(in.data() + pos);
        if (!head.knownStart()) {
            ++pos; // not a frame start: look again one byte on
            continue;
        }
        const std::size_t size = head.frameSize();
        if (in.size() - pos < size) break;
        complete.emplace_back(in.begin() + static_cast<std::ptrdiff_t>(pos),
                              in.begin() + static_cast<std::ptrdiff_t>(pos + size));
        pos += size;
    }
    in.erase(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(pos));

    std::vector<Responder> answers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.insert(received_.end(), data, data + n);
        for (const Bytes& f : complete) {
            frames_.push_back(f);
            auto it = responders_.find(protocolOf(f));
            answers.push_back(it == responders_.end() ? Responder() : it->second);
        }
    }
    notify();
    for (std::size_t i = 0; i < complete.size(); ++i) {
        if (!answers[i]) continue;
        Bytes reply = answers[i](complete[i]);
        if (!reply.empty()) c->actions.push_back(Action{Action::Write, std::move(reply), false});
    }
    pump(c);
}

void TestPlatform::push(Action a) {
    asio::post(io_, [this, a = std::move(a)]() mutable {
        if (current_ && !current_->closed) {
            current_->actions.push_back(std::move(a));
            pump(current_);
        } else if (!current_) {
            waiting_.push_back(std::move(a));
        }
    });
}

void TestPlatform::pump(const std::shared_ptr<Connection>& c) {
    if (c->writing || c->closed || c->actions.empty()) return;
    Action a = std::move(c->actions.front());
    c->actions.pop_front();
    if (a.kind == Action::Close) {
        finish(c);
        return;
    }
    c->writing = true;
    if (a.kind == Action::Flood) {
        floodStep(c, std::make_shared<Bytes>(std::move(a.bytes)));
        return;
    }
    auto bytes = std::make_shared<Bytes>(std::move(a.bytes));
    auto write = [this, c, bytes] {
        asio::async_write(c->socket, asio::buffer(*bytes), [this, c, bytes](const std::error_code& ec, std::size_t) {
            c->writing = false;
            if (ec) {
                finish(c);
                return;
            }
            pump(c);
        });
    };
    if (!a.pauseBefore) {
        write();
        return;
    }
    // A pause lets the piece before leave as a segment of its own.
    c->pause.expires_after(std::chrono::milliseconds(2));
    c->pause.async_wait([c, write](const std::error_code& ec) {
        if (ec || c->closed) {
            c->writing = false;
            return;
        }
        write();
    });
}

void TestPlatform::finish(const std::shared_ptr<Connection>& c) {
    if (c->closed) return;
    c->closed = true;
    std::error_code ignored;
    c->socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    c->socket.close(ignored);
    c->pause.cancel();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++closed_;
    }
    notify();
}

} // namespace zt
