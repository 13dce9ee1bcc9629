// Cost of the frame CRC against decoding and encoding whole frames.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "protocol/crc.h"
#include "protocol/gps.h"
#include "protocol/helpers.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
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

// Frames of the catalogue: the CRC pass over each frame's checked bytes beside
// its whole decode and encode, so a decode's cost reads against the CRC's.
struct Sample {
    const char* hex;
    std::unique_ptr<Zuno::ZunoMSG> (*make)();
};

template <class T>
std::unique_ptr<Zuno::ZunoMSG> makeOne() {
    return std::make_unique<T>();
}

const Sample kSamples[] = {
    {"78781101075253367890024270003201000512790D0A", &makeOne<Zuno::ZunoLogin>},
    {"78780B23C00122040001000818720D0A", &makeOne<Zuno::ZunoPing23>},
    {"787822220F0C1D023305C9027AC8180C46586000140001CC00287D001F71000001000820860D0A",
     &makeOne<Zuno::ZunoGpsLoc22>},
    {"78783B2810010D02020201CC00287D001F713E287D001F7231287D001E232D287D001F4018"
     "000000000000000000000000000000000000FF00020005B14B0D0A",
     &makeOne<Zuno::ZunoLbsInfo28>},
};

std::vector<uint8_t> sampleFrame(size_t i) {
    std::string hex = kSamples[i].hex;
    Zuno::replaceAll(hex, " ", "");
    return *Zuno::hexToBytes(hex);
}

void BM_CatalogueCrc(benchmark::State& state) {
    const auto frame = sampleFrame(static_cast<size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Zuno::crcItu(frame, 2, frame.size() - 6));
}
BENCHMARK(BM_CatalogueCrc)->DenseRange(0, 3);

void BM_CatalogueDecode(benchmark::State& state) {
    const size_t i = static_cast<size_t>(state.range(0));
    const auto frame = sampleFrame(i);
    if (kSamples[i].make()->decode(frame) != 0) {
        state.SkipWithError("sample frame does not decode");
        return;
    }
    for (auto _ : state) {
        auto m = kSamples[i].make();
        benchmark::DoNotOptimize(m->decode(frame));
    }
}
BENCHMARK(BM_CatalogueDecode)->DenseRange(0, 3);

void BM_CatalogueEncode(benchmark::State& state) {
    const size_t i = static_cast<size_t>(state.range(0));
    auto m = kSamples[i].make();
    if (m->decode(sampleFrame(i)) != 0) {
        state.SkipWithError("sample frame does not decode");
        return;
    }
    for (auto _ : state) {
        std::vector<uint8_t> out;
        benchmark::DoNotOptimize(m->encode(out));
    }
}
BENCHMARK(BM_CatalogueEncode)->DenseRange(0, 3);

} // namespace

BENCHMARK_MAIN();
