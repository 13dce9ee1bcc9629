// The main window under a platform that floods it.
//
// BM_WindowFlood: a burst of frames (heartbeat replies with serial numbers
// 1..N, written in one go): how long the window's event loop stalls at most
// while the reports come in, and how long until the last report is shown.
// Debug output is filtered off, so the figures hold the window, not the log.
//
// BM_SustainedSmallFrames / BM_SustainedLongFrames: the platform writes, as
// fast as it can, small frames of every platform class with login replies
// among them, or 65541-byte 0x80 frames, for a given time (--small-seconds,
// --long-seconds; under ctest a few seconds). The program's own log handler
// writes the log (console lines to /dev/null). Figures per case:
//   rss_growth_mb      the largest resident size while logged in, less the
//                      size at the login
//   longest_stall_ms   the longest gap between two turns of the event loop
//   longest_stall_flood_ms  the same before "断开" is pressed
//   newest_shown_ms    from the flood's end until the report of the frame the
//                      platform wrote last is at the top of the report pane
//   disconnect_ms      from pressing "断开" during a further flood until the
//                      window is disconnected
//   click_ms           of which the press itself (it saves conf.json, durably)
//   log_complete       1 when the log holds every frame the platform wrote
//                      before the end of the flood, in a record of its own
//   frames_per_s       frames the window's connection read, per second
//
// The window runs offscreen against the scripted platform of the tests; a
// 1 ms precise timer on the GUI thread measures the gaps between its turns
// (ZUNO_BENCH_STALLS=1 lists every gap above 30 ms on stderr).
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

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "app/mainform.h"
#include "app/message_log.h"
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

// A window on conf/ under `root`, logged in to the platform at `port`; null
// when the login does not come.
std::unique_ptr<MainForm> loggedInWindow(const QString& root, uint16_t port) {
    writeConf(root, port);
    Zuno::setBaseFolder(root);
    auto w = std::make_unique<MainForm>();
    w->show();
    w->findChild<QAbstractButton*>("btnConnect")->click();
    if (!spinUntil([&] { return w->currentStatus() == CLIENT_LOGGED_IN; }, std::chrono::seconds(20)))
        return nullptr;
    return w;
}

int gFrames = 5000;
int gSmallSeconds = 3;
int gLongSeconds = 3;
// The platform's socket send buffer, bytes; 0 leaves it to the system, which
// lets it grow to megabytes: what waits there is the platform's, and the
// newest frame is then shown only once the terminal has read all of it.
int gPlatformSendBuffer = 64 * 1024;

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
        auto w = loggedInWindow(dir.path(), platform.port());
        if (!w) {
            state.SkipWithError("no login");
            break;
        }
        auto* connect = w->findChild<QAbstractButton*>("btnConnect");
        auto* out = w->findChild<QTextBrowser*>("tbOut");
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

// ---------------------------------------------------------------- sustained

// Resident size of this process, sampled on a thread of its own so that a
// stalled GUI thread hides no peak.
class RssSampler {
public:
    RssSampler() : thread_([this] { run(); }) {}
    ~RssSampler() {
        stop_ = true;
        thread_.join();
    }
    static long currentKb() {
        std::FILE* f = std::fopen("/proc/self/statm", "r");
        long pages = 0, resident = 0;
        if (f) {
            if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
                resident = 0;
            std::fclose(f);
        }
        return resident * (sysconf(_SC_PAGESIZE) / 1024);
    }
    void resetPeak() { peak_ = currentKb(); }
    long peakKb() const { return peak_; }

private:
    void run() {
        while (!stop_) {
            const long now = currentKb();
            long seen = peak_.load();
            while (now > seen && !peak_.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    std::atomic<bool> stop_{false};
    std::atomic<long> peak_{0};
    std::thread thread_;
};

// Console lines of the log handler go to /dev/null while it lives.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);
        saved_ = dup(1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
    }

private:
    int saved_;
};

// Occurrences of `needle` in the file at `path`, read in pieces.
uint64_t countInFile(const QString& path, const QByteArray& needle) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    uint64_t n = 0;
    QByteArray carry;
    while (!f.atEnd()) {
        QByteArray piece = carry + f.read(16 << 20);
        for (int at = piece.indexOf(needle); at >= 0; at = piece.indexOf(needle, at + needle.size()))
            ++n;
        carry = piece.right(needle.size() - 1);
    }
    return n;
}

// Small frames of every class the platform sends, a login reply among each
// round of them, serial numbers 1 to `rounds` x 13.
zt::Bytes smallFrames(int rounds) {
    zt::Bytes all;
    uint16_t serial = 1;
    const auto add = [&](uint8_t protocol, std::size_t contentSize, bool longFrame = false) {
        const zt::Bytes f = zt::makeFrame(protocol, zt::Bytes(contentSize, 0x01), serial++, longFrame);
        all.insert(all.end(), f.begin(), f.end());
    };
    for (int r = 0; r < rounds; ++r) {
        add(0x01, 0);
        for (uint8_t p : {0x13, 0x23, 0x26, 0x2D, 0x2E, 0x32, 0x33})
            add(p, 0);
        add(0x1F, 6);
        add(0x8A, 6);
        add(0x17, 32);
        add(0x97, 45, true);
        add(0x80, 12);
    }
    return all;
}
constexpr int kSmallPerRound = 13;

zt::Bytes longFrame(uint8_t fill) {
    return zt::makeFrame(0x80, zt::Bytes(65530, fill), 0x0101, true);
}

struct Sustained {
    zt::Bytes pattern;  // what the platform writes again and again
    int framesPerPattern;
    zt::Bytes last;     // written once after the flood: the newest frame
    int seconds;
};

void runSustained(benchmark::State& state, const Sustained& c) {
    // The program's own filter: its debug messages on, Qt's own off.
    QLoggingCategory::setFilterRules(QString());
    const std::string lastHex = "<< " + Zuno::toHex(c.last, 0, std::min<std::size_t>(c.last.size(), 40), " ");
    const QString lastLine = QString::fromStdString(lastHex);

    for (auto _ : state) {
        QTemporaryDir dir;
        zt::TestPlatform platform(std::chrono::seconds(c.seconds + 600));
        platform.sendBuffer(gPlatformSendBuffer);
        QDir().mkpath(dir.path() + "/logs");
        Zuno::setLogFolder(dir.path() + "/logs");
        Zuno::setLogDate(QStringLiteral("bench"));
        QuietStdout quiet;
        const QtMessageHandler previous = qInstallMessageHandler(&Zuno::messageOutput);
        RssSampler rss;

        auto w = loggedInWindow(dir.path(), platform.port());
        if (!w) {
            state.SkipWithError("no login");
            qInstallMessageHandler(previous);
            break;
        }
        auto* connect = w->findChild<QAbstractButton*>("btnConnect");
        auto* out = w->findChild<QTextBrowser*>("tbOut");
        spinUntil([] { return false; }, std::chrono::milliseconds(200)); // the login's report settles
        const long rssAtLogin = RssSampler::currentKb();
        rss.resetPeak();

        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(1);
        std::function<bool()> until;
        QEventLoop loop;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            if (now - last > 30000000 && std::getenv("ZUNO_BENCH_STALLS"))
                std::fprintf(stderr, "stall %lld ms at %lld ms\n", (long long)(now - last) / 1000000,
                             (long long)now / 1000000);
            last = now;
            if (until && until())
                loop.quit();
        });
        const auto runUntil = [&](std::function<bool()> done, std::chrono::milliseconds limit) {
            until = std::move(done);
            QTimer guard;
            guard.setSingleShot(true);
            QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
            guard.start(int(limit.count()));
            loop.exec();
            const bool met = until ? until() : true;
            until = nullptr;
            return met;
        };
        clock.start();
        probe.start();

        // The flood, then the newest frame once it has ended.
        platform.flood(c.pattern);
        runUntil([] { return false; }, std::chrono::seconds(c.seconds));
        platform.stopFlood();
        platform.send(c.last);
        const qint64 floodEnd = clock.nsecsElapsed();
        const bool shown = runUntil(
            [&] { return out->document()->findBlockByNumber(1).text().startsWith(lastLine); },
            std::chrono::seconds(120));
        const qint64 newestShown = clock.nsecsElapsed() - floodEnd;
        // The newest came after every pattern: the flood is over.
        const uint64_t written = platform.floodWrites() * uint64_t(c.framesPerPattern) + 1;
        // Every frame read makes one record holding "<< " and its hexadecimal
        // text, written before its report is handed to the window; with the
        // login reply, one more.
        probe.stop();
        const uint64_t logged = countInFile(Zuno::logFilePath(), "<< 7");
        last = clock.nsecsElapsed();
        probe.start();

        // Disconnect in the middle of a further flood.
        platform.flood(c.pattern);
        runUntil([] { return false; }, std::chrono::seconds(std::min(3, c.seconds)));
        const qint64 longestBeforeClick = longest;
        const qint64 pressed = clock.nsecsElapsed();
        connect->click();
        const qint64 clickTook = clock.nsecsElapsed() - pressed;
        const bool disconnected =
            runUntil([&] { return w->currentStatus() == CLIENT_DISCONNECTED; }, std::chrono::seconds(120));
        const qint64 disconnectTook = clock.nsecsElapsed() - pressed;
        probe.stop();
        platform.stopFlood();
        w->waitForConnectionEnd(std::chrono::seconds(10));
        const long peak = rss.peakKb();
        w.reset();
        qInstallMessageHandler(previous);
        Zuno::closeLogFile();

        state.counters["rss_growth_mb"] = double(peak - rssAtLogin) / 1024.0;
        state.counters["longest_stall_ms"] = double(longest) / 1e6;
        state.counters["longest_stall_flood_ms"] = double(longestBeforeClick) / 1e6;
        state.counters["newest_shown_ms"] = shown ? double(newestShown) / 1e6 : -1.0;
        state.counters["disconnect_ms"] = disconnected ? double(disconnectTook) / 1e6 : -1.0;
        state.counters["click_ms"] = double(clickTook) / 1e6;
        state.counters["frames_written"] = double(written);
        state.counters["frames_logged"] = double(logged);
        state.counters["log_complete"] = logged == written + 1 ? 1.0 : 0.0;
        state.counters["frames_per_s"] = double(written) / c.seconds;
        if (!shown)
            state.SkipWithError("the newest frame was never shown");
        if (!disconnected)
            state.SkipWithError("Disconnect was not done");
        Zuno::setBaseFolder(QString());
    }
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
}

void BM_SustainedSmallFrames(benchmark::State& state) {
    Sustained c;
    c.pattern = smallFrames(200);
    c.framesPerPattern = 200 * kSmallPerRound;
    c.last = zt::makeReply(0x13, 0xFFFF);
    c.seconds = gSmallSeconds;
    runSustained(state, c);
}
BENCHMARK(BM_SustainedSmallFrames)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SustainedLongFrames(benchmark::State& state) {
    Sustained c;
    c.pattern = longFrame(0x00);
    c.framesPerPattern = 1;
    c.last = longFrame(0xEE);
    c.seconds = gLongSeconds;
    runSustained(state, c);
}
BENCHMARK(BM_SustainedLongFrames)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // --frames=N: the size of the burst (default 5000); --small-seconds=N,
    // --long-seconds=N: the length of the sustained floods (default 3 s;
    // the measured runs take 300 and 60); --platform-send-buffer=N (bytes,
    // default 65536, 0 the system's).
    const struct {
        const char* name;
        int* value;
    } options[] = {{"--frames=", &gFrames},
                   {"--small-seconds=", &gSmallSeconds},
                   {"--long-seconds=", &gLongSeconds},
                   {"--platform-send-buffer=", &gPlatformSendBuffer}};
    for (int i = 1; i < argc; ++i) {
        for (const auto& o : options) {
            const std::size_t n = std::strlen(o.name);
            if (std::strncmp(argv[i], o.name, n) != 0)
                continue;
            *o.value = std::max(0, std::atoi(argv[i] + n));
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            --i;
            break;
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
