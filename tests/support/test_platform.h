#pragma once
// A scripted tracking platform on the loopback interface, for tests that run
// the network client (or the whole program) against a peer.
//
// It listens on 127.0.0.1 at a port of the system's choice, runs on a thread
// of its own and stops by itself when its lifetime ends. By default it
// answers as a platform does: the login, the heartbeats and the location and
// alarm frames that have a reply get the five-byte-length reply of their
// protocol number with the serial number echoed. Everything it receives is
// recorded. Actions (send, split, close) are run in the order they are asked
// for, on the connection that is current when they run; actions asked for
// before any client has connected wait for the first connection.
//
// Waits take a deadline and return whether the condition was met in time;
// they never sleep a fixed time.

#include <asio.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zt {

using Bytes = std::vector<uint8_t>;

constexpr std::chrono::milliseconds kNetWait{10000};

// Waits until `condition` holds or the deadline passes; `condition` runs
// without `mutex` held. Every notification of `changed` wakes the wait, and a
// short bound also covers conditions on state that notifies nobody.
bool waitNotified(std::mutex& mutex, std::condition_variable& changed, const std::function<bool()>& condition,
                  std::chrono::milliseconds timeout);

// A well-formed frame: start bytes, length field, protocol number, content,
// serial number, CRC and 0D 0A. A long frame has the 79 79 start and a
// two-byte length field.
Bytes makeFrame(uint8_t protocol, const Bytes& content, uint16_t serial, bool longFrame = false);
// The platform's reply of five-byte length: protocol number and serial only.
Bytes makeReply(uint8_t protocol, uint16_t serial);
// The same frame with its CRC, or its stop bytes, spoilt.
Bytes withBadCrc(Bytes frame);
Bytes withBadStop(Bytes frame);
Bytes concat(std::initializer_list<Bytes> parts);
// The serial number and the protocol number of a well-formed frame.
uint16_t serialOf(const Bytes& frame);
uint8_t protocolOf(const Bytes& frame);

class TestPlatform {
public:
    // Bytes to write back for a received frame; empty writes nothing.
    using Responder = std::function<Bytes(const Bytes& frame)>;

    explicit TestPlatform(std::chrono::milliseconds lifetime = std::chrono::seconds(120));
    ~TestPlatform();
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    uint16_t port() const { return port_; }
    asio::ip::tcp::endpoint endpoint() const;
    // The endpoint as a resolver result, for ProtocolClient::do_connect.
    asio::ip::tcp::resolver::results_type resolve(asio::io_context& io) const;

    // ----- answers (take effect for frames received afterwards)
    void answer(uint8_t protocol, Responder responder);
    void silence(uint8_t protocol);
    // The default answer: makeReply(protocol, serial) for the protocols listed above.
    static Bytes standardReply(const Bytes& frame);

    // ----- actions, in order
    void send(Bytes bytes);
    // Writes the bytes in pieces cut at the given offsets (ascending), each
    // piece its own write after a short pause.
    void sendSplit(Bytes bytes, std::vector<std::size_t> cuts);
    // Closes the current connection after the writes asked for before.
    void closeConnection();
    // Writes the first `keep` bytes of `frame`, then closes: a frame cut short.
    void sendTruncated(const Bytes& frame, std::size_t keep);
    // Reads nothing more from now on (this connection and later ones); a
    // read already under way still takes what has arrived.
    void stopReading();
    // Reads again, the current connection at once.
    void resumeReading();
    // The socket receive buffer of connections accepted from now on. Small,
    // it lets a peer fill what the system holds for it quickly.
    void receiveBuffer(int bytes);
    // Stops listening: later connects are refused. Returns once done.
    void refuse();
    // Connections accepted from now on are closed at once.
    void closeOnAccept(bool on);
    // Writes `pattern` again and again, each time as soon as the last write
    // is done, until stopFlood(); actions asked for afterwards wait for its
    // end. For measuring a window under load.
    void flood(Bytes pattern);
    void stopFlood();
    // Patterns written whole by floods so far.
    uint64_t floodWrites() const;
    // The socket send buffer of connections accepted from now on (0: the
    // system's own, which grows to megabytes under a flood).
    void sendBuffer(int bytes);

    // ----- record
    Bytes received() const;
    std::vector<Bytes> frames() const; // received bytes cut into frames
    int connections() const;
    int closedConnections() const; // connections that have ended

    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kNetWait) const;
    bool waitForConnections(int n, std::chrono::milliseconds timeout = kNetWait) const;
    bool waitForFrames(std::size_t n, std::chrono::milliseconds timeout = kNetWait) const;
    bool waitForClosed(int n, std::chrono::milliseconds timeout = kNetWait) const;

private:
    struct Connection;
    struct Action {
        enum Kind { Write, Close, Flood } kind = Write;
        Bytes bytes;
        bool pauseBefore = false;
    };

    void accept();
    void startRead(const std::shared_ptr<Connection>& c);
    void onBytes(const std::shared_ptr<Connection>& c, const uint8_t* data, std::size_t n);
    void push(Action a);
    void pump(const std::shared_ptr<Connection>& c);
    void floodStep(const std::shared_ptr<Connection>& c, const std::shared_ptr<Bytes>& pattern);
    void finish(const std::shared_ptr<Connection>& c);
    void notify();

    asio::io_context io_;
    asio::ip::tcp::acceptor acceptor_;
    asio::steady_timer lifetime_;
    uint16_t port_ = 0;

    // Platform thread only.
    std::shared_ptr<Connection> current_;
    std::vector<Action> waiting_; // actions asked for before the first connection
    std::map<uint8_t, Responder> responders_;
    bool reading_ = true;
    bool closeOnAccept_ = false;
    int sendBuffer_ = 0;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Bytes received_;
    std::vector<Bytes> frames_;
    int connections_ = 0;
    int closed_ = 0;
    uint64_t floodWrites_ = 0;
    std::atomic<bool> floodStop_{false};

    std::thread thread_;
};

} // namespace zt
