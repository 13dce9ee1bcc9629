#pragma once
// A client on its own io thread, recording what its callbacks see, and a
// capture of the debug messages, for the tests of the network client.

#include <QString>
#include <QtGlobal>

#include <asio.hpp>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "connection/protocol_client.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

namespace zt {

struct Received {
    std::error_code ec;
    Bytes frame;
    uint8_t protocol = 0;
    uint16_t length = 0;
    uint16_t begin = 0;
    uint8_t stateSeen = 0; // the client's state when on_packet ran
    int loginsSeen = 0;    // on_logged_in calls before on_packet ran
    std::unique_ptr<Zuno::ZunoMSG> msg;
};

class ClientRun {
public:
    explicit ClientRun(std::size_t tickMs = 60000);
    ~ClientRun();

    asio::io_context io;
    std::shared_ptr<ProtocolClient> client;

    // Called in on_connected(true), on the io thread (the owner's login step).
    std::function<void(ProtocolClient&)> whenConnected;

    // Installs the recording callbacks, connects and starts the io thread;
    // `beforeRun` runs between the two, while no handler can run yet.
    void connect(const TestPlatform& platform, const std::function<void(ProtocolClient&)>& beforeRun = nullptr);
    // Runs `f` on the io thread and waits for it.
    void onIo(const std::function<void(ProtocolClient&)>& f);
    // The owner's clean-up: stop the io_context, close the client; then join.
    void stop();

    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kNetWait) const;
    bool waitForPackets(std::size_t n, std::chrono::milliseconds timeout = kNetWait) const;
    bool waitForClosed(std::chrono::milliseconds timeout = kNetWait) const;
    // The io thread's run has returned by itself: nothing is pending any more.
    bool waitForRunEnd(std::chrono::milliseconds timeout = kNetWait) const;

    // Thread-safe views of the record.
    std::size_t packetCount() const;
    std::vector<Received> takePackets();
    std::vector<bool> connectResults() const;
    int closedCount() const;
    // The client's end_reason() as on_closed saw it.
    Zuno::ConnectionEnd endSeen() const;
    int tickCount() const;
    std::vector<std::chrono::steady_clock::time_point> tickTimes() const;

private:
    void note(const std::function<void()>& change);

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Received> packets_;
    std::vector<bool> connected_;
    int logins_ = 0;
    std::vector<std::chrono::steady_clock::time_point> ticks_;
    int closed_ = 0;
    Zuno::ConnectionEnd end_;
    bool runEnded_ = false;
    std::thread thread_;
};

// The platform's classes, and zt::BlobMessage for protocol 0x99: a frame of
// any content and length that decodes.
std::unique_ptr<Zuno::ZunoMSG> testMessageOf(uint8_t protocol, uint16_t length);

} // namespace zt
