// Cost of the frame CRC against decoding and encoding whole frames.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "protocol/crc.h"
#include "protocol/helpers.h"
#include "protocol/message.h"
#include "support/frame_fixture.h"

namespace {

std::vector<uint8_t> frameOf(const std::string& hex) { return *Zuno::hexToBytes(hex); }

const std::vector<uint8_t>& loginReply() {
    static const auto f = frameOf("787805010001D9DC0D0A");
    return f;
}

std::vector<uint8_t> blobFrame(size_t contentBytes) {
    zt::BlobMessage m;
    m.content.assign(contentBytes, 0x42);
    std::vector<uint8_t> out;
    m.encode(out);
    return out;
}

void BM_CrcOverFrame(benchmark::State& state) {
    const auto frame = blobFrame(static_cast<size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Zuno::crcItu(frame, 2, frame.size() - 6));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (frame.size() - 6)));
}
BENCHMARK(BM_CrcOverFrame)->Arg(0)->Arg(32)->Arg(250);

void BM_DecodeFrame(benchmark::State& state) {
    const auto frame = blobFrame(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        zt::BlobMessage m;
        benchmark::DoNotOptimize(m.decode(frame));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(BM_DecodeFrame)->Arg(0)->Arg(32)->Arg(250);

void BM_EncodeFrame(benchmark::State& state) {
    zt::BlobMessage m;
    m.content.assign(static_cast<size_t>(state.range(0)), 0x42);
    for (auto _ : state) {
        std::vector<uint8_t> out;
        benchmark::DoNotOptimize(m.encode(out));
    }
}
BENCHMARK(BM_EncodeFrame)->Arg(0)->Arg(32)->Arg(250);

void BM_DecodeLoginReply(benchmark::State& state) {
    for (auto _ : state) {
        zt::BareMessage m;
        benchmark::DoNotOptimize(m.decode(loginReply()));
    }
}
BENCHMARK(BM_DecodeLoginReply);

} // namespace

BENCHMARK_MAIN();
