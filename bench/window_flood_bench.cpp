// A burst of frames from the platform into the main window: how long the
// window's event loop stalls at most while the reports come in, and how long
// until the last report is shown.
//
// The window runs offscreen against the scripted platform, logs in, and then
// the platform writes the whole burst (heartbeat replies with serial numbers
// 1..N) in one go. A 1 ms precise timer on the GUI thread measures the gaps
// between its turns; the longest gap is the longest stall. Debug output is
// filtered off, so the figures hold the window, not the log sink.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/mainform.h"
#include "config/base_folder.h"
#include "protocol/helpers.h"
#include "support/test_platform.h"

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section('/', 0, -2));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Runs the event loop until `done` holds; false after `limit`.
bool spinUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limit.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// conf/ with a login-only flow and the platform's port.
void writeConf(const QString& root, uint16_t port) {
    writeFile(root + "/conf/conf.json", "{\"ip\":\"127.0.0.1\",\"port\":" + QByteArray::number(port) +
                                            ",\"duration\":1000,\"protocol\":0}");
    writeFile(root + "/conf/prop/flow.json",
              R"({"cmd":"Flow","protocol":"zuno","commands":[{"cmd":"LOGIN","isChecked":true,"delay":0}]})");
    writeFile(root + "/conf/model/login.json", readFile(QStringLiteral(ZUNO_SOURCE_DIR "/conf/model/login.json")));
}

int gFrames = 5000;

void BM_WindowFlood(benchmark::State& state) {
    const int frames = gFrames;
    zt::Bytes burst;
    std::string lastHex;
    for (int i = 1; i <= frames; ++i) {
        const zt::Bytes f = zt::makeReply(0x13, static_cast<uint16_t>(i));
        burst.insert(burst.end(), f.begin(), f.end());
        if (i == frames)
            lastHex = "<< " + Zuno::toHex(f, 0, f.size(), " ");
    }
    const QString lastLine = QString::fromStdString(lastHex);

    for (auto _ : state) {
        QTemporaryDir dir;
        zt::TestPlatform platform;
        writeConf(dir.path(), platform.port());
        Zuno::setBaseFolder(dir.path());
        auto w = std::make_unique<MainForm>();
        w->show();
        auto* connect = w->findChild<QAbstractButton*>("btnConnect");
        auto* out = w->findChild<QTextBrowser*>("tbOut");
        connect->click();
        if (!spinUntil([&] { return w->currentStatus() == CLIENT_LOGGED_IN; }, std::chrono::seconds(20))) {
            state.SkipWithError("no login");
            break;
        }
        spinUntil([] { return false; }, std::chrono::milliseconds(50)); // the login's report settles

        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        qint64 shown = -1;
        QEventLoop loop;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(1);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
            // The newest block is at the top: its second line is the frame's.
            if (out->document()->findBlockByNumber(1).text() == lastLine) {
                shown = now;
                loop.quit();
            }
        });
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        clock.start();
        probe.start();
        platform.send(burst);
        loop.exec();
        probe.stop();

        state.counters["longest_stall_ms"] = static_cast<double>(longest) / 1e6;
        state.counters["last_shown_ms"] = shown < 0 ? -1.0 : static_cast<double>(shown) / 1e6;
        if (shown < 0)
            state.SkipWithError("the last report was never shown");

        connect->click();
        spinUntil([&] { return w->currentStatus() == CLIENT_DISCONNECTED; }, std::chrono::seconds(20));
        w->waitForConnectionEnd(std::chrono::seconds(10));
        w.reset();
        Zuno::setBaseFolder(QString());
    }
}
BENCHMARK(BM_WindowFlood)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // --frames=N: the size of the burst (default 5000).
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--frames=", 9) == 0) {
            gFrames = std::max(1, std::atoi(argv[i] + 9));
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            --i;
        }
    }
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    MainForm::registerSignalTypes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
