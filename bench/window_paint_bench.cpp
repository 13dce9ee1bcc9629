// The main window's first paint with a flow whose name a file made huge.
//
// BM_FirstPaintWithFlowName/<characters>: conf/ holds the shipped files and
// one more flow, selected, whose "cmd" is that many characters long (16, a
// usual name, and 1 MB). Each iteration builds the window, shows it and
// paints it whole once; the time of an iteration is that of all three.
// Figures:
//   build_ms   building the window (settings, flow list, send flow, fitting)
//   paint_ms   showing it and painting it whole
//
// The window runs offscreen. A name is drawn cut past a few hundred
// characters, so the two cases take about as long.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryDir>

#include <memory>

#include "app/mainform.h"
#include "app/message_boxes.h"
#include "config/base_folder.h"
#include "window_bench.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The shipped conf/ under `root`, with a flow named `name` selected.
void writeConf(const QString& root, const QByteArray& name) {
    const QString shipped = QStringLiteral(ZUNO_SOURCE_DIR "/conf");
    QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(f.fileName()));
        writeFile(root + "/conf/" + QDir(shipped).relativeFilePath(f.fileName()), f.readAll());
    }
    // Flows are listed by name, from the last: "~" comes after every
    // shipped name, so the huge flow is the first, the one selected.
    writeFile(root + "/conf/prop/named.json",
              R"({"cmd":"~)" + name + R"(","protocol":"标准协议","commands":[{"cmd":"LOGIN","isChecked":true,"delay":0}]})");
    writeFile(root + "/conf/conf.json", R"({"ip":"127.0.0.1","port":8080,"duration":1000,"protocol":0})");
}

void BM_FirstPaintWithFlowName(benchmark::State& state) {
    QTemporaryDir dir;
    writeConf(dir.path(), QByteArray(static_cast<int>(state.range(0)) - 1, 'n'));
    Zuno::setBaseFolder(dir.path());
    double buildMs = 0;
    double paintMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto w = std::make_unique<MainForm>();
        const qint64 built = clock.nsecsElapsed();
        w->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w->grab());
        const qint64 painted = clock.nsecsElapsed();
        state.SetIterationTime(painted / 1e9);
        buildMs += built / 1e6;
        paintMs += (painted - built) / 1e6;
        w.reset();
    }
    state.counters["build_ms"] = buildMs / state.iterations();
    state.counters["paint_ms"] = paintMs / state.iterations();
    Zuno::setBaseFolder(QString());
}
BENCHMARK(BM_FirstPaintWithFlowName)->Arg(16)->Arg(1 << 20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    Zuno::MessageBoxes::setUnattended(true);
    return zbench::runWindowBenchmarks(argc, argv);
}
