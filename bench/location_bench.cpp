// Decoding and rendering the location reports that a platform receives most:
// the 0x22 GPS report and the 0x28 multi-cell LBS report.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "protocol/gps.h"
#include "protocol/helpers.h"
#include "protocol/lbs.h"

namespace {

const std::vector<uint8_t>& gps22Frame() {
    static const auto f = *Zuno::hexToBytes(
        "78782222" "0F0C1D023305" "C9027AC8180C46586000" "1400" "01CC00287D001F71" "000001" "0008" "2086" "0D0A");
    return f;
}

const std::vector<uint8_t>& lbs28Frame() {
    static const auto f = *Zuno::hexToBytes(
        "78783B28" "10010D020202" "01CC00" "287D001F713E" "287D001F7231" "287D001E232D" "287D001F4018"
        "000000000000" "000000000000" "000000000000" "FF" "0002" "0005" "B14B" "0D0A");
    return f;
}

template <class M>
bool decodesCleanly(benchmark::State& state, const std::vector<uint8_t>& frame) {
    M probe;
    if (probe.decode(frame) == 0) return true;
    state.SkipWithError("sample frame does not decode");
    return false;
}

template <class M>
void decodeOnly(benchmark::State& state, const std::vector<uint8_t>& frame) {
    if (!decodesCleanly<M>(state, frame)) return;
    for (auto _ : state) {
        M m;
        benchmark::DoNotOptimize(m.decode(frame));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}

template <class M>
void decodeAndRender(benchmark::State& state, const std::vector<uint8_t>& frame) {
    if (!decodesCleanly<M>(state, frame)) return;
    for (auto _ : state) {
        M m;
        m.decode(frame);
        std::string text = m.toString();
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_DecodeGps22(benchmark::State& state) { decodeOnly<Zuno::ZunoGpsLoc22>(state, gps22Frame()); }
BENCHMARK(BM_DecodeGps22);

void BM_DecodeAndRenderGps22(benchmark::State& state) { decodeAndRender<Zuno::ZunoGpsLoc22>(state, gps22Frame()); }
BENCHMARK(BM_DecodeAndRenderGps22);

void BM_DecodeLbs28(benchmark::State& state) { decodeOnly<Zuno::ZunoLbsInfo28>(state, lbs28Frame()); }
BENCHMARK(BM_DecodeLbs28);

void BM_DecodeAndRenderLbs28(benchmark::State& state) { decodeAndRender<Zuno::ZunoLbsInfo28>(state, lbs28Frame()); }
BENCHMARK(BM_DecodeAndRenderLbs28);

} // namespace

BENCHMARK_MAIN();
