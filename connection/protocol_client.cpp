#include "connection/protocol_client.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QString>

#include <algorithm>
#include <utility>

#include "connection/guarded.h"
#include "connection/raw_frame.h"
#include "connection/reply_select.h"
#include "protocol/helpers.h"
#include "protocol/login.h"
#include "render/exception.h"

namespace {

constexpr std::size_t kHeaderAnalysed = Zuno::kFrameHeadBytes;

// The read result of a frame whose protocol number and length select no
// class; the codec's codes are all negative.
constexpr int kUnknownFrame = 3;

class FrameErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "frame"; }
    std::string message(int code) const override {
        if (code == kUnknownFrame) return "no message class for the frame's protocol number and length";
        std::string text = Zuno::ZunoException::messageOf(code);
        return text.empty() ? "frame error " + std::to_string(code) : text;
    }
};

QString qText(const std::string& s) { return QString::fromStdString(s); }

bool debugEnabled() {
    const QLoggingCategory* category = QLoggingCategory::defaultCategory();
    return category == nullptr || category->isDebugEnabled();
}

// The owner's callbacks run guarded: an exception from one is logged and
// the client's own loop (reading, writing, ticking) carries on as if the
// callback had returned.
using Zuno::guarded;

std::string hexOf(const std::vector<uint8_t>& data, std::size_t count) {
    return Zuno::toHex(data, 0, std::min(count, data.size()), " ");
}

// What a queued entry counts against write_bound: the bytes it writes.
std::size_t bytesOf(const WriteItem& item) { return item.frame.size(); }
std::size_t bytesOf(const RawWriteItem& item) { return item.data->size(); }

} // namespace

const std::error_category& frame_error_category() {
    static const FrameErrorCategory category;
    return category;
}

std::error_code make_frame_error(int codecResult) { return {codecResult, frame_error_category()}; }

std::error_code unknown_frame_error() { return {kUnknownFrame, frame_error_category()}; }

ProtocolClient::ProtocolClient(asio::io_context& io, std::size_t headerLength, std::size_t tickIntervalMs)
    : header_length(std::max(headerLength, kHeaderAnalysed)),
      tick_interval_ms(static_cast<int64_t>(tickIntervalMs)),
      socket(io),
      io_(io) {}

ProtocolClient::~ProtocolClient() = default;

// ---------------------------------------------------------------- connect

void ProtocolClient::do_connect(const asio::ip::tcp::resolver::results_type& endpoints) {
    asio::async_connect(socket, endpoints,
                        [this](const std::error_code& ec, const asio::ip::tcp::endpoint&) { handle_connect(ec); });
}

void ProtocolClient::handle_connect(const std::error_code& ec) {
    if (stopped_) {
        // Closed while connecting: whatever the outcome, the socket goes.
        do_close();
        return;
    }
    if (ec) {
        if (ec == asio::error::connection_refused)
            end_.kind = Zuno::ConnectionEnd::Refused;
        else
            end_ = Zuno::ConnectionEnd{Zuno::ConnectionEnd::ConnectFailed, ec.message(), {}};
        std::error_code ignored;
        socket.close(ignored);
        if (on_connected) guarded("on_connected", [&] { on_connected(false); });
        closed_reported_ = true;
        if (on_closed) guarded("on_closed", [&] { on_closed(); });
        return;
    }
    socket_open_ = true;
    // What the platform has sent and the terminal not yet read stays small,
    // so that the window never lags far behind a platform faster than it.
    std::error_code ignored;
    socket.set_option(asio::socket_base::receive_buffer_size(kReceiveBufferBytes), ignored);
    if (send_buffer_bytes > 0) socket.set_option(asio::socket_base::send_buffer_size(send_buffer_bytes), ignored);
    state = kConnected;
    if (!strand) strand = std::make_shared<asio::io_context::strand>(io_);
    if (on_connected) guarded("on_connected", [&] { on_connected(true); });
    if (stopped_) return;
    start_ms_timer(static_cast<std::size_t>(tick_interval_ms));
    do_read_header();
}

// ---------------------------------------------------------------- reading

void ProtocolClient::do_read_header() {
    auto pack = std::make_shared<MoPack>();
    pack->data = std::make_unique<std::vector<uint8_t>>(header_length, 0);
    pack->callback = [this](const std::error_code& ec, const MoPack& p, std::unique_ptr<Zuno::ZunoMSG> msg) {
        on_frame(ec, p, std::move(msg));
    };
    asio::async_read(socket, asio::buffer(*pack->data),
                     [this, pack](const std::error_code& ec, std::size_t) { handle_read_header(ec, pack); });
}

void ProtocolClient::refuse_frame(const std::string& reason, const std::vector<uint8_t>& bytes, std::size_t count) {
    qDebug() << qText(reason) << qText(hexOf(bytes, count));
    close_for(Zuno::ConnectionEnd::BadFrame, hexOf(bytes, count));
}

void ProtocolClient::handle_read_header(const std::error_code& ec, const std::shared_ptr<MoPack>& pack) {
    if (stopped_) return;
    if (ec) {
        qDebug() << ec.value();
        close_after(ec);
        return;
    }
    std::vector<uint8_t>& data = *pack->data;
    const Zuno::FrameHeader head = Zuno::FrameHeader::read(data);
    pack->begin = head.begin();
    if (!head.knownStart()) {
        // Nothing after unknown start bytes can be trusted to be a frame.
        refuse_frame("Header error", data, 2);
        return;
    }
    pack->length = head.length();
    // A short frame's protocol number came with the header; a long frame's
    // comes with the rest (handle_read_body).
    if (head.protocolPos() < header_length) pack->protocol = data[head.protocolPos()];
    const std::size_t frameSize = head.frameSize();
    if (!head.holdsOverhead() || frameSize < header_length) {
        refuse_frame("Data length error", data, header_length);
        return;
    }
    data.resize(frameSize, 0);
    if (debugEnabled()) qDebug() << qText(hexOf(data, data.size()));
    do_read_body(pack);
}

void ProtocolClient::do_read_body(const std::shared_ptr<MoPack>& pack) {
    std::vector<uint8_t>& data = *pack->data;
    asio::async_read(socket, asio::buffer(data.data() + header_length, data.size() - header_length),
                     [this, pack](const std::error_code& ec, std::size_t) { handle_read_body(ec, pack); });
}

void ProtocolClient::handle_read_body(const std::error_code& ec, const std::shared_ptr<MoPack>& pack) {
    if (stopped_) return;
    if (ec) {
        qDebug() << qText(ec.message());
        close_after(ec);
        return;
    }
    pack->protocol = (*pack->data)[Zuno::FrameHeader::read(*pack->data).protocolPos()];
    int result = 0;
    std::unique_ptr<Zuno::ZunoMSG> msg = decode_frame(pack, &result);
    std::error_code frameResult;
    if (!msg) {
        frameResult = unknown_frame_error();
    } else if (result != 0) {
        frameResult = make_frame_error(result);
    }
    pack->callback(frameResult, *pack, std::move(msg));
    if (!stopped_) do_read_header();
}

std::unique_ptr<Zuno::ZunoMSG> ProtocolClient::decode_frame(const std::shared_ptr<MoPack>& pack, int* result) {
    std::unique_ptr<Zuno::ZunoMSG> msg = message_factory ? message_factory(pack->protocol, pack->length)
                                                         : makePlatformMessage(pack->protocol, pack->length);
    const int rc = msg && pack->data ? msg->decode(*pack->data) : 0;
    if (result) *result = rc;
    return msg;
}

void ProtocolClient::on_frame(const std::error_code& ec, const MoPack& pack, std::unique_ptr<Zuno::ZunoMSG> msg) {
    if (ec == unknown_frame_error()) {
        // No report block shows it: the log keeps its bytes.
        qDebug() << qText(ec.message()) << qText(hexOf(*pack.data, pack.data->size()));
        qDebug() << QString::fromUtf8("收到未知协议, 暂不关闭连接");
        return;
    }
    // A frame of a known class that does not decode is passed on with its
    // error; a login reply logs in all the same, whatever its checks say.
    if (ec) qDebug() << qText(ec.message()) << qText(hexOf(*pack.data, pack.data->size()));
    if (msg && msg->command == Zuno::ZunoLogin::kProtocol) {
        // The login reply: it logs the client in once.
        uint8_t connected = kConnected;
        if (state.compare_exchange_strong(connected, kLoggedIn) && on_logged_in)
            guarded("on_logged_in", [&] { on_logged_in(); });
    }
    if (on_packet) guarded("on_packet", [&] { on_packet(ec, pack, std::move(msg)); });
}

// ---------------------------------------------------------------- writing

ProtocolClient::Offer ProtocolClient::admit(Lane& lane, uint8_t protocol, std::size_t bytes) {
    std::lock_guard<std::mutex> lock(accounting_);
    const uint8_t now = state;
    // Before the login reply only a login passes, and only while nothing waits.
    if (now != kLoggedIn && !(now == kConnected && protocol == Zuno::ZunoLogin::kProtocol && lane.pending == 0))
        return Offer::Refused;
    if (bytes > write_bound || waiting_bytes_ > write_bound - bytes) {
        ++unsent_;
        return Offer::QueueFull;
    }
    ++lane.pending;
    waiting_bytes_ += bytes;
    return Offer::Accepted;
}

void ProtocolClient::release(Lane& lane, std::size_t bytes) {
    bool drained = false;
    {
        std::lock_guard<std::mutex> lock(accounting_);
        --lane.pending;
        waiting_bytes_ -= bytes;
        if (messages_.pending == 0 && raw_.pending == 0 && unsent_ != 0) {
            unsent_ = 0;
            drained = true;
        }
    }
    if (drained && on_unsent) guarded("on_unsent", [&] { on_unsent(); });
}

void ProtocolClient::refuse_full(uint8_t protocol, const std::vector<uint8_t>& frame) {
    std::string name = Zuno::ZunoMSG::commandName(protocol);
    if (name.empty()) name = "0x" + Zuno::toHex(std::vector<uint8_t>{protocol}, 0, 1, "");
    qDebug() << QString::fromUtf8("平台未读取, 未发送:") << qText(name) << qText(hexOf(frame, frame.size()));
    if (on_unsent) guarded("on_unsent", [&] { on_unsent(); });
}

ProtocolClient::Offer ProtocolClient::offer(WriteItem item) {
    if (!item.message) return Offer::Refused;
    if (item.frame.empty()) {
        // Encoded here, once: measured and written as these bytes. Nothing of
        // a message that does not encode goes on the wire.
        const int encoded = item.message->encode(item.frame);
        if (encoded != 0 || item.frame.empty()) {
            const int code = encoded != 0 ? encoded : Zuno::kErrTooShort;
            qDebug() << QStringLiteral("encode error") << code << qText(Zuno::ZunoException::messageOf(code))
                     << qText(Zuno::ZunoMSG::commandName(item.message->command));
            return Offer::Refused;
        }
    }
    const Offer result = admit(messages_, item.message->command, item.frame.size());
    if (result == Offer::QueueFull) refuse_full(item.message->command, item.frame);
    if (result != Offer::Accepted) return result;
    asio::post(io_, [this, entry = std::move(item)]() mutable { enqueue(std::move(entry)); });
    return result;
}

ProtocolClient::Offer ProtocolClient::offer(RawWriteItem item) {
    if (!item.data || Zuno::checkRawFrame(*item.data) != 0) return Offer::Refused;
    const std::vector<uint8_t>& frame = *item.data;
    const uint8_t protocol = frame[Zuno::FrameHeader::read(frame).protocolPos()];
    const Offer result = admit(raw_, protocol, frame.size());
    if (result == Offer::QueueFull) refuse_full(protocol, frame);
    if (result != Offer::Accepted) return result;
    asio::post(io_, [this, entry = std::move(item)]() mutable { enqueue_raw(std::move(entry)); });
    return result;
}

bool ProtocolClient::send(WriteItem item) { return offer(std::move(item)) == Offer::Accepted; }

bool ProtocolClient::send(RawWriteItem item) { return offer(std::move(item)) == Offer::Accepted; }

bool ProtocolClient::is_open() const { return socket_open_; }

std::size_t ProtocolClient::unsent() const {
    std::lock_guard<std::mutex> lock(accounting_);
    return unsent_;
}

std::size_t ProtocolClient::waiting_bytes() const {
    std::lock_guard<std::mutex> lock(accounting_);
    return waiting_bytes_;
}

template <class Item>
void ProtocolClient::queue_item(std::deque<Item>& queue, Lane& lane, Item item) {
    if (stopped_) {
        release(lane, bytesOf(item));
        return;
    }
    const bool idle = write_queue.empty() && raw_write_queue.empty();
    queue.push_back(std::move(item));
    if (idle) post_write();
}

void ProtocolClient::enqueue(WriteItem item) { queue_item(write_queue, messages_, std::move(item)); }

void ProtocolClient::enqueue_raw(RawWriteItem item) { queue_item(raw_write_queue, raw_, std::move(item)); }

void ProtocolClient::post_write() {
    if (stopped_ || !strand) return;
    asio::post(*strand, [this] { do_write(); });
}

void ProtocolClient::do_write() {
    if (stopped_) return;
    if (!raw_write_queue.empty()) {
        const std::vector<uint8_t>& frame = *raw_write_queue.front().data;
        asio::async_write(socket, asio::buffer(frame),
                          [this](const std::error_code& ec, std::size_t) { handle_raw_write(ec); });
        return;
    }
    if (!write_queue.empty()) {
        // The frame stays in the entry until its write has completed.
        asio::async_write(socket, asio::buffer(write_queue.front().frame),
                          [this](const std::error_code& ec, std::size_t) { handle_write(ec); });
    }
}

template <class Item, class Payload>
void ProtocolClient::complete_write(std::deque<Item>& queue, Lane& lane, Payload Item::*payload,
                                    const std::error_code& ec) {
    if (ec) {
        // The entry keeps its place; the connection ends.
        if (!stopped_) close_after(ec);
        return;
    }
    Item item = std::move(queue.front());
    queue.pop_front();
    release(lane, bytesOf(item));
    if (item.done) guarded("done", [&] { item.done(std::error_code(), std::move(item.*payload)); });
    if (!stopped_ && !(write_queue.empty() && raw_write_queue.empty())) post_write();
}

void ProtocolClient::handle_write(const std::error_code& ec) {
    complete_write(write_queue, messages_, &WriteItem::message, ec);
}

void ProtocolClient::handle_raw_write(const std::error_code& ec) {
    complete_write(raw_write_queue, raw_, &RawWriteItem::data, ec);
}

// ---------------------------------------------------------------- timers

void ProtocolClient::start_ms_timer(std::size_t milliseconds) {
    if (stopped_) return;
    if (!ms_timer) ms_timer = std::make_shared<asio::steady_timer>(io_);
    ms_timer->expires_after(std::chrono::milliseconds(milliseconds));
    ms_timer->async_wait([this, milliseconds](const std::error_code& ec) { handle_ms_timer(ec, milliseconds); });
}

void ProtocolClient::handle_ms_timer(const std::error_code& ec, std::size_t milliseconds) {
    if (stopped_ || ec) return;
    if (on_tick) guarded("on_tick", [&] { on_tick(); });
    start_ms_timer(milliseconds);
}

void ProtocolClient::start_login_timer() {
    if (stopped_) return;
    if (!login_timer) login_timer = std::make_shared<asio::steady_timer>(io_);
    login_timer->expires_after(login_timeout);
    login_timer->async_wait([this](const std::error_code& ec) { handle_login_timer(ec); });
}

void ProtocolClient::handle_login_timer(const std::error_code& ec) {
    if (stopped_ || ec) return;
    if (state == kConnected) {
        qDebug() << QString::fromUtf8("登录超时");
        close_for(Zuno::ConnectionEnd::LoginTimeout);
    }
}

// ---------------------------------------------------------------- closing

void ProtocolClient::close() {
    stopped_ = true;
    state = kClosed;
    login_timer.reset();
    ms_timer.reset();
    strand.reset();
    if (socket.is_open()) asio::post(io_, [this] { do_close(); });
}

void ProtocolClient::close_for(Zuno::ConnectionEnd::Kind kind, std::string detail) {
    if (!stopped_)
        end_ = Zuno::ConnectionEnd{kind, std::move(detail), kind == Zuno::ConnectionEnd::LoginTimeout ? login_timeout
                                                                                                   : std::chrono::milliseconds(0)};
    close();
}

void ProtocolClient::close_after(const std::error_code& ec) {
    // The platform's orderly end of the stream; anything else is an error.
    if (ec == asio::error::eof)
        close_for(Zuno::ConnectionEnd::PeerClosed);
    else
        close_for(Zuno::ConnectionEnd::Failed, ec.message());
}

void ProtocolClient::do_close() {
    std::error_code ec;
    socket.close(ec);
    socket_open_ = false;
    if (ec) qDebug() << QStringLiteral("close") << qText(ec.message());
    if (closed_reported_) return;
    closed_reported_ = true;
    if (on_closed) guarded("on_closed", [&] { on_closed(); });
}
