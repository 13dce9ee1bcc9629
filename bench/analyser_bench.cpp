// The analyser's Parse over 1000 typed lines, beside decoding the same frames
// directly: what line preparation, class choice and the report text cost.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <QStringList>

#include "connection/analyser.h"
#include "protocol/helpers.h"

namespace {

constexpr int kLines = 1000;

// The input box's sample frames, typed with blanks between the bytes.
const char* const kSamples[] = {
    "78 78 22 22 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 00 01 00 08 20 86 0D 0A",
    "78 78 0B 23 C0 01 22 04 00 01 00 08 18 72 0D 0A",
    "78 78 11 01 07 52 53 36 78 90 02 42 70 00 32 01 00 05 12 79 0D 0A",
    ("78 78 3B 28 10 01 0D 02 02 02 01 CC 00 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 28 7D 00 1E 23 2D 28 7D 00 1F 40 18 "
     "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF 00 02 00 05 B1 4B 0D 0A"),
};

const QStringList& typedLines() {
    static const QStringList lines = [] {
        QStringList l;
        for (int i = 0; i < kLines; ++i)
            l << QString::fromLatin1(kSamples[i % 4]);
        return l;
    }();
    return lines;
}

void BM_ParseTypedLines(benchmark::State& state) {
    const QStringList& lines = typedLines();
    for (auto _ : state) {
        std::string report = Zuno::parseReport(Zuno::prepareLines(lines));
        benchmark::DoNotOptimize(report.data());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ParseTypedLines)->Unit(benchmark::kMillisecond);

void BM_DecodeSameFramesDirectly(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < kLines; ++i) {
        std::string hex = kSamples[i % 4];
        Zuno::replaceAll(hex, " ", "");
        frames.push_back(*Zuno::hexToBytes(hex));
    }
    for (auto _ : state) {
        for (const auto& f : frames) {
            auto msg = Zuno::makeTypedMessage(f[3], f[2]);
            benchmark::DoNotOptimize(msg->decode(f));
        }
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_DecodeSameFramesDirectly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
