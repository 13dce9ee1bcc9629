// The analyser's Parse over 1000 typed lines, beside decoding the same frames
// directly: what line preparation, class choice and the report text cost, up
// to the text the window puts into its report pane.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <QStringList>

#include "app/traffic_pane.h"
#include "connection/analyser.h"
#include "protocol/helpers.h"
#include "support/sample_frames.h"

namespace {

constexpr int kLines = 1000;

const QStringList& typedLines() {
    static const QStringList lines = [] {
        QStringList l;
        for (int i = 0; i < kLines; ++i)
            l << QString::fromLatin1(zt::kSampleFrames[i % 4]);
        return l;
    }();
    return lines;
}

void BM_ParseTypedLines(benchmark::State& state) {
    const QStringList& lines = typedLines();
    for (auto _ : state) {
        const QString report = Zuno::pressText(Zuno::parsePress(Zuno::prepareLines(lines)).shown);
        benchmark::DoNotOptimize(report.data());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ParseTypedLines)->Unit(benchmark::kMillisecond);

void BM_DecodeSameFramesDirectly(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < kLines; ++i) {
        std::string hex = zt::kSampleFrames[i % 4];
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
