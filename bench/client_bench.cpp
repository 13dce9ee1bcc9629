// Loopback flood: frames per second that the network client reads, decodes
// and hands to its packet callback, beside a bare Asio reader that takes the
// same bytes header-then-body and does nothing else with them.
//
// Each iteration a writer thread accepts one connection, writes the whole
// flood in one go and shuts its side down; the reader runs until it sees the
// end of the stream. Debug output is filtered off, so the numbers hold the
// reading, not the log sink.
#include <benchmark/benchmark.h>

#include <QLoggingCategory>

#include <asio.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "connection/protocol_client.h"
#include "protocol/crc.h"

namespace {

constexpr std::size_t kFrames = 20000;

std::vector<uint8_t> frameOf(uint8_t protocol, const std::vector<uint8_t>& content, uint16_t serial) {
    std::vector<uint8_t> f{0x78, 0x78, static_cast<uint8_t>(content.size() + 5), protocol};
    f.insert(f.end(), content.begin(), content.end());
    f.push_back(static_cast<uint8_t>(serial >> 8));
    f.push_back(static_cast<uint8_t>(serial));
    const uint16_t crc = Zuno::crcItu(f, 2, f.size() - 2);
    f.push_back(static_cast<uint8_t>(crc >> 8));
    f.push_back(static_cast<uint8_t>(crc));
    f.push_back(0x0D);
    f.push_back(0x0A);
    return f;
}

// Arg 0: login replies (10 bytes each); arg 1: time-sync replies (17 bytes).
const std::vector<uint8_t>& flood(int64_t kind) {
    static const auto build = [](int64_t k) {
        std::vector<uint8_t> all;
        for (std::size_t i = 0; i < kFrames; ++i) {
            const auto f = k == 0 ? frameOf(0x01, {}, static_cast<uint16_t>(i))
                                  : frameOf(0x8A, {0x1A, 0x0C, 0x0A, 0x0C, 0x00, 0x00}, static_cast<uint16_t>(i));
            all.insert(all.end(), f.begin(), f.end());
        }
        return all;
    };
    static const std::vector<uint8_t> floods[2] = {build(0), build(1)};
    return floods[kind];
}

// Accepts one connection, writes `bytes`, shuts down its sending side and
// waits for the reader to close.
class Writer {
public:
    explicit Writer(const std::vector<uint8_t>& bytes)
        : acceptor_(io_, asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), 0)) {
        thread_ = std::thread([this, &bytes] {
            asio::ip::tcp::socket s(io_);
            std::error_code ec;
            acceptor_.accept(s, ec);
            if (ec) return;
            asio::write(s, asio::buffer(bytes), ec);
            s.shutdown(asio::ip::tcp::socket::shutdown_send, ec);
            uint8_t sink[256];
            while (!ec) s.read_some(asio::buffer(sink), ec);
        });
    }
    ~Writer() { thread_.join(); }
    asio::ip::tcp::endpoint endpoint() const { return acceptor_.local_endpoint(); }

private:
    asio::io_context io_;
    asio::ip::tcp::acceptor acceptor_;
    std::thread thread_;
};

void quietDebug() {
    static const bool once = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        return true;
    }();
    (void)once;
}

void BM_ClientReadsFlood(benchmark::State& state) {
    quietDebug();
    const auto& bytes = flood(state.range(0));
    std::size_t total = 0;
    for (auto _ : state) {
        Writer writer(bytes);
        asio::io_context io;
        // The writer's own address: no name server is asked, not even for its name.
        const auto endpoints = asio::ip::tcp::resolver::results_type::create(
            writer.endpoint(), "127.0.0.1", std::to_string(writer.endpoint().port()));
        ProtocolClient client(io, 4, 60000);
        std::size_t frames = 0;
        client.on_packet = [&](const std::error_code& ec, const MoPack&, std::unique_ptr<Zuno::ZunoMSG> msg) {
            if (!ec && msg) ++frames;
        };
        client.do_connect(endpoints);
        io.run(); // ends once the client has closed on the end of the stream
        if (frames != kFrames) state.SkipWithError("frames lost");
        total += frames;
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ClientReadsFlood)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Header, then body into the same buffer; counts frames and nothing more.
struct BareReader {
    explicit BareReader(asio::io_context& io) : socket(io) {}
    asio::ip::tcp::socket socket;
    std::vector<uint8_t> buffer;
    std::size_t frames = 0;

    void readHeader() {
        constexpr std::size_t head = Zuno::kFrameHeadBytes;
        buffer.resize(head);
        asio::async_read(socket, asio::buffer(buffer.data(), head), [this](const std::error_code& ec, std::size_t) {
            if (ec) return;
            const std::size_t size = Zuno::FrameHeader::read(buffer).frameSize();
            buffer.resize(size);
            asio::async_read(socket, asio::buffer(buffer.data() + head, size - head),
                             [this](const std::error_code& e, std::size_t) {
                                 if (e) return;
                                 ++frames;
                                 readHeader();
                             });
        });
    }
};

void BM_BareAsioReadsFlood(benchmark::State& state) {
    const auto& bytes = flood(state.range(0));
    std::size_t total = 0;
    for (auto _ : state) {
        Writer writer(bytes);
        asio::io_context io;
        BareReader reader(io);
        reader.socket.async_connect(writer.endpoint(), [&](const std::error_code& ec) {
            if (!ec) reader.readHeader();
        });
        io.run();
        std::error_code ignored;
        reader.socket.close(ignored);
        if (reader.frames != kFrames) state.SkipWithError("frames lost");
        total += reader.frames;
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_BareAsioReadsFlood)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
