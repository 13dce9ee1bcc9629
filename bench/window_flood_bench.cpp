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
// BM_PlatformStopsReading: a logged-in window plays a fast flow (a 1 ms tick
// that finds every task due: heartbeat, location, LBS, WiFi and alarm
// reports, some 6 frames a millisecond) to a platform that reads nothing
// from the login on, for --stalled-seconds (under ctest one second). What
// waits to be written is bounded: once the system's buffers and the
// client's bound are full the flow's frames are not sent. Figures:
//   rss_growth_mb      as above; stays within the bound and the panes' own
//   longest_stall_ms   as above, while the flow plays and "断开" is pressed
//   frames_unsent      the count of the note beside the connection state
//                      at the end (0 while the bound is not reached)
//   rss_growth_late_mb the growth over the run's second half: nothing
//                      grows once the bound is full
//   disconnect_ms      from pressing "断开" with the queue full until the
//                      window is disconnected
//
// BM_PressSendAndParse/<frames>/<kind>: the input box holds <frames> frames
// (1000 or 2000) of one kind: 0 the first sample frame (a GPS report, its
// block some 1200 characters), 1 the fourth (LBS, the largest sample block,
// some 1700), 2 a 10-byte heartbeat reply (some 370); or a single frame of
// kind 3, the longest there is (65541 bytes, length field 0xFFFF: a command
// of 0x80), typed as one line of 131082 digits without blanks, whose block
// shows cut as that of a received frame of its size (app/traffic_pane.h). "发送" is
// pressed --presses times while logged in to a platform that reads nothing,
// then "解析" as often once disconnected. Each press shows all its blocks up
// to the press's character bound (app/traffic_pane.h); past its limits, the pane
// is emptied before a press, so the last press takes no longer than the
// first. Figures:
//   send_first_ms, send_last_ms, send_longest_ms    the presses of "发送"
//   parse_first_ms, parse_last_ms, parse_longest_ms the presses of "解析"
//   send_stall_ms, parse_stall_ms  the longest gap between two turns of the
//                      event loop from a press to the --press-settle-ms
//                      (default 500) after it: the press itself and what
//                      the window lays out after it
//   press_chars        the characters the last press of "解析" put into the pane
//   pane_lines         the report pane's lines after the last press
//
// The window runs offscreen against the scripted platform of the tests; a
// 1 ms precise timer on the GUI thread measures the gaps between its turns
// (ZUNO_BENCH_STALLS=1 lists every gap above 30 ms on stderr).
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
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
#include "app/traffic_pane.h"
#include "connection/flow_tick.h"
#include "config/base_folder.h"
#include "protocol/helpers.h"
#include "support/test_platform.h"
#include "support/test_util.h"
#include "window_bench.h"

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

// conf/ with a flow of the login and `tasks` (shipped models, each due at
// every second), the platform's port and a tick of `tickMs`.
void writeConf(const QString& root, uint16_t port, const QStringList& tasks = {}, int tickMs = 1000) {
    writeFile(root + "/conf/conf.json", "{\"ip\":\"127.0.0.1\",\"port\":" + QByteArray::number(port) +
                                            ",\"duration\":" + QByteArray::number(tickMs) + ",\"protocol\":0}");
    QByteArray commands = R"({"cmd":"LOGIN","isChecked":true,"delay":0})";
    for (const QString& cmd : QStringList{"LOGIN"} + tasks) {
        if (cmd != "LOGIN")
            commands += R"(,{"cmd":")" + cmd.toUtf8() + R"(","isChecked":true,"delay":0})";
        const QString model = cmd.toLower() + ".json";
        writeFile(root + "/conf/model/" + model, readFile(QStringLiteral(ZUNO_SOURCE_DIR "/conf/model/") + model));
    }
    writeFile(root + "/conf/prop/flow.json", R"({"cmd":"Flow","protocol":"zuno","commands":[)" + commands + "]}");
}

// A window on conf/ under `root`, logged in to the platform at `port`; null
// when the login does not come.
std::unique_ptr<MainForm> loggedInWindow(const QString& root, uint16_t port, const QStringList& tasks = {},
                                         int tickMs = 1000) {
    writeConf(root, port, tasks, tickMs);
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
int gStalledSeconds = 3;
int gPresses = 10;
int gPressSettleMs = 500;
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

// The program's own log handler writes the log of a run into `root`/logs
// (console lines to /dev/null) while it lives, with the program's own
// filter: its debug messages on, Qt's own off.
class ProgramLog {
public:
    explicit ProgramLog(const QString& root) {
        QLoggingCategory::setFilterRules(QString());
        QDir().mkpath(root + "/logs");
        Zuno::setLogFolder(root + "/logs");
        Zuno::setLogDate(QStringLiteral("bench"));
        previous_ = qInstallMessageHandler(&Zuno::messageOutput);
    }
    ~ProgramLog() {
        qInstallMessageHandler(previous_);
        Zuno::closeLogFile();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

private:
    QuietStdout quiet_;
    QtMessageHandler previous_ = nullptr;
};

// The gaps between the turns of the GUI thread's event loop, seen by a 1 ms
// precise timer, and the loop run until a condition holds.
class TurnProbe {
public:
    TurnProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { turn(); });
        clock_.start();
    }
    // Measures from now on (a pause in between does not count).
    void start() {
        last_ = clock_.nsecsElapsed();
        timer_.start();
    }
    void stop() { timer_.stop(); }
    qint64 now() const { return clock_.nsecsElapsed(); }
    qint64 longest() const { return longest_; }
    // Runs the event loop until `done` holds (tested at every turn) or
    // `limit` has passed; whether it holds.
    bool runUntil(std::function<bool()> done, std::chrono::milliseconds limit) {
        until_ = std::move(done);
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &loop_, &QEventLoop::quit);
        guard.start(int(limit.count()));
        loop_.exec();
        const bool met = until_ ? until_() : true;
        until_ = nullptr;
        return met;
    }
    void runFor(std::chrono::milliseconds time) {
        runUntil([] { return false; }, time);
    }

private:
    void turn() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        if (now - last_ > 30000000 && std::getenv("ZUNO_BENCH_STALLS"))
            std::fprintf(stderr, "stall %lld ms at %lld ms\n", (long long)(now - last_) / 1000000,
                         (long long)now / 1000000);
        last_ = now;
        if (until_ && until_())
            loop_.quit();
    }

    QElapsedTimer clock_;
    QTimer timer_;
    QEventLoop loop_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
    std::function<bool()> until_;
};

void runSustained(benchmark::State& state, const Sustained& c) {
    const std::string lastHex = "<< " + Zuno::toHex(c.last, 0, std::min<std::size_t>(c.last.size(), 40), " ");
    const QString lastLine = QString::fromStdString(lastHex);

    for (auto _ : state) {
        QTemporaryDir dir;
        zt::TestPlatform platform(std::chrono::seconds(c.seconds + 600));
        platform.sendBuffer(gPlatformSendBuffer);
        ProgramLog programLog(dir.path());
        RssSampler rss;

        auto w = loggedInWindow(dir.path(), platform.port());
        if (!w) {
            state.SkipWithError("no login");
            break;
        }
        auto* connect = w->findChild<QAbstractButton*>("btnConnect");
        auto* out = w->findChild<QTextBrowser*>("tbOut");
        spinUntil([] { return false; }, std::chrono::milliseconds(200)); // the login's report settles
        const long rssAtLogin = RssSampler::currentKb();
        rss.resetPeak();

        TurnProbe probe;
        probe.start();

        // The flood, then the newest frame once it has ended.
        platform.flood(c.pattern);
        probe.runFor(std::chrono::seconds(c.seconds));
        platform.stopFlood();
        platform.send(c.last);
        const qint64 floodEnd = probe.now();
        const bool shown = probe.runUntil(
            [&] { return out->document()->findBlockByNumber(1).text().startsWith(lastLine); },
            std::chrono::seconds(120));
        const qint64 newestShown = probe.now() - floodEnd;
        // The newest came after every pattern: the flood is over.
        const uint64_t written = platform.floodWrites() * uint64_t(c.framesPerPattern) + 1;
        // Every frame read makes one record holding "<< " and its hexadecimal
        // text, written before its report is handed to the window; with the
        // login reply, one more.
        probe.stop();
        const uint64_t logged = countInFile(Zuno::logFilePath(), "<< 7");
        probe.start();

        // Disconnect in the middle of a further flood.
        platform.flood(c.pattern);
        probe.runFor(std::chrono::seconds(std::min(3, c.seconds)));
        const qint64 longestBeforeClick = probe.longest();
        const qint64 pressed = probe.now();
        connect->click();
        const qint64 clickTook = probe.now() - pressed;
        const bool disconnected =
            probe.runUntil([&] { return w->currentStatus() == CLIENT_DISCONNECTED; }, std::chrono::seconds(120));
        const qint64 disconnectTook = probe.now() - pressed;
        probe.stop();
        platform.stopFlood();
        w->waitForConnectionEnd(std::chrono::seconds(10));
        const long peak = rss.peakKb();
        w.reset();

        state.counters["rss_growth_mb"] = double(peak - rssAtLogin) / 1024.0;
        state.counters["longest_stall_ms"] = double(probe.longest()) / 1e6;
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

// ---------------------------------------------------------------- not read

void BM_PlatformStopsReading(benchmark::State& state) {
    // Each task due at every tick: the flow's clock is two seconds on at every reading.
    static std::atomic<int64_t> racing{1000 * Zuno::kNanosPerSecond};
    const QStringList tasks{"PING13", "GPS22", "LBS28", "WIFI2C", "ALERT26", "GPS12"};
    const QRegularExpression unsentNote(QStringLiteral("(\\d+) 帧未发送"));

    for (auto _ : state) {
        QTemporaryDir dir;
        zt::TestPlatform platform(std::chrono::seconds(gStalledSeconds + 600));
        ProgramLog programLog(dir.path());
        RssSampler rss;

        auto w = loggedInWindow(dir.path(), platform.port(), tasks, 1);
        if (!w) {
            state.SkipWithError("no login");
            break;
        }
        auto* connect = w->findChild<QAbstractButton*>("btnConnect");
        auto* note = w->findChild<QLabel*>("lbSendState");
        spinUntil([] { return false; }, std::chrono::milliseconds(200)); // the login's report settles
        platform.stopReading();
        w->setFlowClock([] { return racing += 2 * Zuno::kNanosPerSecond; });
        const long rssAtLogin = RssSampler::currentKb();
        rss.resetPeak();

        TurnProbe probe;
        probe.start();
        w->findChild<QCheckBox*>("cbAuto")->setChecked(true);
        probe.runFor(std::chrono::milliseconds(gStalledSeconds * 500));
        const long peakFirstHalf = rss.peakKb();
        probe.runFor(std::chrono::milliseconds(gStalledSeconds * 500));
        const long peakBeforeClick = rss.peakKb();
        const QRegularExpressionMatch unsent = unsentNote.match(note->text());
        const double framesUnsent = !note->isHidden() && unsent.hasMatch() ? unsent.captured(1).toDouble() : 0.0;

        const qint64 pressed = probe.now();
        connect->click();
        const bool disconnected =
            probe.runUntil([&] { return w->currentStatus() == CLIENT_DISCONNECTED; }, std::chrono::seconds(120));
        const qint64 disconnectTook = probe.now() - pressed;
        probe.stop();
        w->waitForConnectionEnd(std::chrono::seconds(10));
        w.reset();

        state.counters["rss_growth_mb"] = double(peakBeforeClick - rssAtLogin) / 1024.0;
        state.counters["rss_growth_late_mb"] = double(peakBeforeClick - peakFirstHalf) / 1024.0;
        state.counters["longest_stall_ms"] = double(probe.longest()) / 1e6;
        state.counters["frames_unsent"] = framesUnsent;
        state.counters["disconnect_ms"] = disconnected ? double(disconnectTook) / 1e6 : -1.0;
        if (!disconnected)
            state.SkipWithError("Disconnect was not done");
        Zuno::setBaseFolder(QString());
    }
}
BENCHMARK(BM_PlatformStopsReading)->Iterations(1)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- presses

zt::Bytes pressFrame(int kind, uint16_t serial) {
    switch (kind) {
    case 0:
        return zt::makeFrame(0x22, zt::sampleGpsContent(), serial);
    case 1:
        return zt::makeFrame(0x28, zt::sampleLbsContent(), serial);
    case 3: // the longest frame: a 65541-byte command, length field 0xFFFF
        return zt::makeFrame(0x80, zt::Bytes(65530, 0x31), serial, true);
    default: // a heartbeat reply of 10 bytes
        return zt::makeReply(0x13, serial);
    }
}

void BM_PressSendAndParse(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    const int kind = static_cast<int>(state.range(1));
    QString lines;
    for (int i = 0; i < frames; ++i) {
        const zt::Bytes f = pressFrame(kind, static_cast<uint16_t>(i));
        lines += QString::fromStdString(Zuno::toHex(f, 0, f.size(), kind == 3 ? "" : " ")) + '\n';
    }
    for (auto _ : state) {
        QTemporaryDir dir;
        zt::TestPlatform platform;
        auto w = loggedInWindow(dir.path(), platform.port());
        if (!w) {
            state.SkipWithError("no login");
            break;
        }
        platform.stopReading();
        // The login's status reaches the controls a turn after the state.
        spinUntil([&] { return w->findChild<QAbstractButton*>("btnSend")->isEnabled(); }, std::chrono::seconds(20));
        auto* out = w->findChild<QTextBrowser*>("tbOut");
        w->findChild<QTextEdit*>("teIn")->setPlainText(lines);
        // Milliseconds of each press, the events it leaves behind included,
        // and the longest stall of the event loop after it.
        int pressChars = 0;
        const auto presses = [&](const char* button, const char* name) {
            auto* b = w->findChild<QAbstractButton*>(button);
            qint64 first = 0, last = 0, longest = 0, stall = 0;
            for (int i = 0; i < std::max(gPresses, 1); ++i) {
                // What the pane keeps under the press: nothing when it is
                // past its limits.
                const int kept = Zuno::PaneBatch(Zuno::PaneBatch::AtStart, Zuno::paneState(out)).clearFirst()
                                     ? 0
                                     : out->document()->characterCount() - 1;
                // The press is a wait of the event loop too: the probe runs
                // from before it.
                TurnProbe probe;
                probe.start();
                QElapsedTimer t;
                t.start();
                b->click();
                QCoreApplication::processEvents();
                last = t.nsecsElapsed();
                first = i == 0 ? last : first;
                longest = std::max(longest, last);
                probe.runFor(std::chrono::milliseconds(gPressSettleMs));
                probe.stop();
                stall = std::max(stall, probe.longest());
                pressChars = out->document()->characterCount() - 1 - kept;
            }
            state.counters[std::string(name) + "_first_ms"] = double(first) / 1e6;
            state.counters[std::string(name) + "_last_ms"] = double(last) / 1e6;
            state.counters[std::string(name) + "_longest_ms"] = double(longest) / 1e6;
            state.counters[std::string(name) + "_stall_ms"] = double(stall) / 1e6;
        };
        presses("btnSend", "send");
        w->findChild<QAbstractButton*>("btnConnect")->click();
        spinUntil([&] { return w->currentStatus() == CLIENT_DISCONNECTED; }, std::chrono::seconds(20));
        w->waitForConnectionEnd(std::chrono::seconds(10));
        presses("btnParse", "parse");
        state.counters["press_chars"] = pressChars;
        state.counters["pane_lines"] = out->document()->blockCount();
        w.reset();
        Zuno::setBaseFolder(QString());
    }
}
BENCHMARK(BM_PressSendAndParse)
    ->ArgsProduct({{1000, 2000}, {0, 1, 2}})
    ->Args({1, 3})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // --frames=N: the size of the burst (default 5000); --small-seconds=N,
    // --long-seconds=N: the length of the sustained floods (default 3 s;
    // the measured runs take 300 and 60); --stalled-seconds=N: the flow to a
    // platform that reads nothing (default 3 s; the measured run takes 120);
    // --presses=N: presses of "发送" and of "解析" (default 10);
    // --press-settle-ms=N: the time watched after each press (default 500);
    // --platform-send-buffer=N (bytes, default 65536, 0 the system's).
    const struct {
        const char* name;
        int* value;
    } options[] = {{"--frames=", &gFrames},
                   {"--small-seconds=", &gSmallSeconds},
                   {"--long-seconds=", &gLongSeconds},
                   {"--stalled-seconds=", &gStalledSeconds},
                   {"--presses=", &gPresses},
                   {"--press-settle-ms=", &gPressSettleMs},
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
    return zbench::runWindowBenchmarks(argc, argv);
}
