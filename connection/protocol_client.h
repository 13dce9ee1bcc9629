#pragma once
// The terminal's TCP connection with the tracking platform.
//
// One client per connection attempt. Every handler runs on the one thread
// that runs the client's io_context (the io thread); `send` and `is_open` may
// be called from any thread. The owner stops the io_context before it drops
// the client, so no handler ever runs on a destroyed client.
//
// Reading: a fixed four-byte header (start mark, length, and in a short frame
// the protocol number), then the rest of the frame into the same buffer. The
// frame is decoded into the platform's class of its protocol number and
// length and handed to `on_packet`.
//
// Writing: two queues (raw frames first, then messages), one write in
// progress at a time, started through the strand. Until the login reply only
// the login passes the gate. What waits to be written is bounded in bytes
// (`write_bound`, beyond what the system holds for the socket): a platform
// that stops reading fills it, and what would pass it is not queued but
// logged and counted (`unsent`) until the queues are empty again.

#include <asio.hpp>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "connection/client_status.h"
#include "protocol/message.h"

// Results of the codec carried as network results: the value is the negative
// code of `encode` or `decode`, the message its text in the error table; and
// the unknown frame below.
const std::error_category& frame_error_category();
std::error_code make_frame_error(int codecResult);

// The system's own read result, value 3 of the frame category: a frame whose
// protocol number and length select no class. The connection stays open.
std::error_code unknown_frame_error();

using FrameCallback =
    std::function<void(const std::error_code&, const struct MoPack&, std::unique_ptr<Zuno::ZunoMSG>)>;

// One received frame.
struct MoPack {
    uint16_t begin = 0;    // 0x7878 short frame, 0x7979 long frame
    uint8_t protocol = 0;  // protocol number
    uint16_t length = 0;   // value of the length field
    std::unique_ptr<std::vector<uint8_t>> data; // the whole frame, start to stop bytes
    FrameCallback callback;
};

struct WriteItem {
    using Done = std::function<void(const std::error_code&, std::unique_ptr<Zuno::ZunoMSG>)>;
    WriteItem() = default;
    WriteItem(std::unique_ptr<Zuno::ZunoMSG> m, Done d, std::vector<uint8_t> encoded = {})
        : message(std::move(m)), done(std::move(d)), frame(std::move(encoded)) {}

    std::unique_ptr<Zuno::ZunoMSG> message;
    Done done;
    // The message encoded once: by its sender, who shows these bytes (the
    // window's flow, replies and typed frames), or else by `offer`. What is
    // written, and what counts against write_bound while it waits.
    std::vector<uint8_t> frame;
};

struct RawWriteItem {
    std::unique_ptr<std::vector<uint8_t>> data;
    std::function<void(const std::error_code&, std::unique_ptr<std::vector<uint8_t>>)> done;
};

class ProtocolClient {
public:
    using MessageFactory = std::function<std::unique_ptr<Zuno::ZunoMSG>(uint8_t protocol, uint16_t length)>;

    static constexpr uint8_t kClosed = 0;
    static constexpr uint8_t kConnected = 1;
    static constexpr uint8_t kLoggedIn = 2;
    // Frames with a length field below this cannot hold protocol number,
    // serial number and CRC.
    static constexpr uint16_t kMinLengthField = Zuno::kLengthOverhead;
    // The socket's receive buffer: bytes the system holds for the reader.
    static constexpr int kReceiveBufferBytes = 64 * 1024;
    // What may wait to be written by default (write_bound).
    static constexpr std::size_t kWriteBoundBytes = 4 * 1024 * 1024;

    // What `offer` made of an item.
    enum class Offer : uint8_t {
        Accepted,  // queued
        Refused,   // by the gate, the frame check or the encoder: not logged in, or not a frame
        QueueFull, // what waits to be written would pass write_bound: not queued
    };

    std::atomic<uint8_t> state{kClosed};
    std::size_t header_length;
    int64_t tick_interval_ms;
    asio::ip::tcp::socket socket;
    std::shared_ptr<asio::steady_timer> login_timer;
    std::shared_ptr<asio::steady_timer> ms_timer;
    std::shared_ptr<asio::io_context::strand> strand;
    // Called with true after a successful connect, with false after a failed one.
    std::function<void(bool)> on_connected;
    // Called once per client, on the io thread, when a login reply logs the
    // client in (`state` from kConnected to kLoggedIn), before `on_packet`
    // gets that reply. The client alone decides it: a further login reply
    // reaches `on_packet` only.
    std::function<void()> on_logged_in;
    // Called once per client, after the socket was closed or the connect failed.
    std::function<void()> on_closed;
    // Every received frame that selects a class, in order of arrival, on the
    // io thread. The code is success for a frame that decoded cleanly; for a
    // frame that did not (too short, stop bytes, CRC, section length) it is a
    // frame_error_category() code and the message holds what was decoded
    // before the failure. A login reply logs in either way.
    FrameCallback on_packet;
    std::function<void()> on_tick;
    std::deque<WriteItem> write_queue;
    std::deque<RawWriteItem> raw_write_queue;
    // Waiting time for the login reply; set before `start_login_timer`.
    std::chrono::milliseconds login_timeout{std::chrono::seconds(60)};
    // The choice of a received frame's class; makePlatformMessage by default.
    MessageFactory message_factory;
    // Bytes that may wait to be written: the entries accepted and not yet
    // written, the one being written included, never pass it. Set before
    // connecting.
    std::size_t write_bound = kWriteBoundBytes;
    // The socket's send buffer, bytes; 0 leaves it to the system, which grows
    // it to megabytes. Set before connecting.
    int send_buffer_bytes = 0;
    // Called whenever unsent() changes, on the thread that changed it: the one
    // whose offer found the queue full, or the io thread once the queues are
    // empty again. Set before connecting; it must not call back into the client.
    std::function<void()> on_unsent;

    // A header_length below 4 is taken as 4: the header analysis reads bytes 0 to 3.
    ProtocolClient(asio::io_context& io, std::size_t header_length, std::size_t tick_interval_ms);
    ProtocolClient(const ProtocolClient&) = delete;
    ProtocolClient& operator=(const ProtocolClient&) = delete;
    ~ProtocolClient();

    void do_connect(const asio::ip::tcp::resolver::results_type& endpoints);

    // True when accepted; a refused item is dropped without its `done`. A
    // message that does not encode (into at least one byte) is refused and
    // logged.
    bool send(WriteItem item);
    // The frame must pass Zuno::checkRawFrame and the gate.
    bool send(RawWriteItem item);
    // `send` that tells a full queue from the other refusals. An item that
    // finds the queue full is dropped too, and logged with its bytes.
    Offer offer(WriteItem item);
    Offer offer(RawWriteItem item);
    bool is_open() const;
    // Items refused for a full queue since the queues were last empty.
    std::size_t unsent() const;
    // Bytes accepted and not yet written.
    std::size_t waiting_bytes() const;

    void start_ms_timer(std::size_t milliseconds);
    void start_login_timer();
    // Stops the client; may be called repeatedly, on the io thread.
    void close();
    // Why the client closed: what ended it first. Stopped when the owner
    // closed it, or while it is open. Read on the io thread (in `on_closed`).
    const Zuno::ConnectionEnd& end_reason() const { return end_; }

    // The message a complete frame decodes into, or null when its protocol
    // number and length select no class. `result` (when given) receives the
    // result of decode.
    std::unique_ptr<Zuno::ZunoMSG> decode_frame(const std::shared_ptr<MoPack>& pack, int* result = nullptr);

private:
    void handle_connect(const std::error_code& ec);
    void do_read_header();
    void handle_read_header(const std::error_code& ec, const std::shared_ptr<MoPack>& pack);
    void do_read_body(const std::shared_ptr<MoPack>& pack);
    void handle_read_body(const std::error_code& ec, const std::shared_ptr<MoPack>& pack);
    void on_frame(const std::error_code& ec, const MoPack& pack, std::unique_ptr<Zuno::ZunoMSG> msg);
    // Closes the client for `kind`, remembered unless an end came first.
    void close_for(Zuno::ConnectionEnd::Kind kind, std::string detail = std::string());
    // Closes the client after a failed read or write.
    void close_after(const std::error_code& ec);
    // Logs why reading stops and closes the client.
    void refuse_frame(const std::string& reason, const std::vector<uint8_t>& bytes, std::size_t count);

    // What the gate and the bound know of one of the two queues: its entries
    // accepted and not yet written or dropped.
    struct Lane {
        std::size_t pending = 0;
    };
    Offer admit(Lane& lane, uint8_t protocol, std::size_t bytes);
    // An entry of `bytes` leaves `lane`: written, dropped or never queued.
    void release(Lane& lane, std::size_t bytes);
    void refuse_full(uint8_t protocol, const std::vector<uint8_t>& frame);
    template <class Item>
    void queue_item(std::deque<Item>& queue, Lane& lane, Item item);
    template <class Item, class Payload>
    void complete_write(std::deque<Item>& queue, Lane& lane, Payload Item::*payload, const std::error_code& ec);
    void enqueue(WriteItem item);
    void enqueue_raw(RawWriteItem item);
    void post_write();
    void do_write();
    void handle_write(const std::error_code& ec);
    void handle_raw_write(const std::error_code& ec);

    void handle_ms_timer(const std::error_code& ec, std::size_t milliseconds);
    void handle_login_timer(const std::error_code& ec);
    void do_close();

    asio::io_context& io_;
    // Set by close(): every handler tests it first.
    std::atomic<bool> stopped_{false};
    std::atomic<bool> socket_open_{false};
    bool closed_reported_ = false;
    Zuno::ConnectionEnd end_;
    // The gate's and the bound's accounting, read and changed from any thread
    // under accounting_ (the queues themselves are the io thread's).
    mutable std::mutex accounting_;
    Lane messages_;
    Lane raw_;
    std::size_t waiting_bytes_ = 0;
    std::size_t unsent_ = 0;
};
