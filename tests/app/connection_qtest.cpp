// The window against the scripted test platform: Connect, the login and its
// status sequence, the automatic flow, received frames, Disconnect and a new
// connection, the ways a connection ends, and the analyser's Parse and Send.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/mainform.h"
#include "app/message_boxes.h"
#include "app/traffic_pane.h"
#include "connection/analyser.h"
#include "config/base_folder.h"
#include "support/config_tree.h"
#include "support/name_servers.h"
#include "connection/reply_select.h"
#include "connection/report_block.h"
#include "gui_test_main.h"
#include "protocol/helpers.h"
#include "protocol/login.h"
#include "support/test_platform.h"
#include "support/test_util.h"
#include "window_support.h"

using Zuno::MessageBoxes;

namespace {

constexpr int64_t kSecond = 1000000000;

// The flow clock of every window of this test: moved on by the test alone.
std::atomic<int64_t> fakeNow{1000 * kSecond};
std::atomic<int> clockReads{0};
int64_t fakeClock() {
    ++clockReads;
    return fakeNow.load();
}

QByteArray shippedModel(const char* name) {
    QFile f(QString::fromUtf8(qgetenv("ZUNO_SOURCE_DIR")) + "/conf/model/" + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("no shipped model %s", name);
    return f.readAll();
}

QString hexText(const zt::Bytes& frame) { return QString::fromStdString(Zuno::toHex(frame, 0, frame.size(), " ")); }

int framesOf(const zt::TestPlatform& p, uint8_t protocol) {
    int n = 0;
    for (const zt::Bytes& f : p.frames())
        n += zt::protocolOf(f) == protocol ? 1 : 0;
    return n;
}

const QList<CLIENT_STATUS> kLoginSequence{CLIENT_CONNECTED, CLIENT_LOGGING_IN, CLIENT_LOGGING_IN, CLIENT_LOGGED_IN};

// Holds up, on any thread but the GUI thread, the writing of the first log
// record that holds `marker`, until released: a log write on a disk that
// hangs. Every other record goes on to the handler installed before.
class HeldLogRecord {
public:
    explicit HeldLogRecord(const std::string& marker) {
        std::lock_guard<std::mutex> lock(mutex);
        held = false;
        released = false;
        text = marker;
        previous = qInstallMessageHandler(&HeldLogRecord::handle);
    }
    ~HeldLogRecord() {
        release();
        qInstallMessageHandler(previous);
    }
    bool waitHeld() {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [] { return held; });
    }
    void release() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            released = true;
        }
        changed.notify_all();
    }
    bool wasReleased() {
        std::lock_guard<std::mutex> lock(mutex);
        return released;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        const bool worker = QThread::currentThread() != qApp->thread();
        QtMessageHandler next = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex);
            if (worker && !held && message.toStdString().find(text) != std::string::npos) {
                held = true;
                changed.notify_all();
                changed.wait(lock, [] { return released; });
            }
            next = previous;
        }
        next(type, context, message);
    }

    static inline std::mutex mutex;
    static inline std::condition_variable changed;
    static inline std::string text;
    static inline bool held = false;
    static inline bool released = false;
    static inline QtMessageHandler previous = nullptr;
};

} // namespace

class ConnectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<zt::ConfigTree> tree;
    std::unique_ptr<zt::TestPlatform> platform;
    // Outlives the window, whose worker thread may log until it is gone.
    std::unique_ptr<zt::LogCapture> log;
    std::unique_ptr<MainForm> w;
    QList<CLIENT_STATUS> statuses;

    template <class T>
    T* child(const char* name) {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    // conf/ with a flow of login, heartbeat (delay 1) and GPS (delay 3), a
    // 5 ms tick and the platform's port.
    void writeConf(const QByteArray& ip = "127.0.0.1") {
        tree->write("conf/conf.json", "{\"ip\":\"" + ip + "\",\"port\":" + QByteArray::number(platform->port()) +
                                          ",\"duration\":5,\"protocol\":0}");
        tree->write("conf/prop/flow.json",
                    R"({"cmd":"Flow","protocol":"zuno","commands":[
                        {"cmd":"LOGIN","isChecked":true,"delay":0},
                        {"cmd":"PING13","isChecked":true,"delay":1},
                        {"cmd":"GPS22","isChecked":true,"delay":3}]})");
        tree->write("conf/model/login.json", shippedModel("login.json"));
        tree->write("conf/model/ping13.json", shippedModel("ping13.json"));
        tree->write("conf/model/gps22.json", shippedModel("gps22.json"));
    }
    void makeWindow() {
        w = std::make_unique<MainForm>();
        w->setFlowClock(&fakeClock);
        statuses.clear();
        // The window as context: its queued calls go with it, never into the next test.
        connect(w.get(), &MainForm::signalSendButtonEnable, w.get(), [this](CLIENT_STATUS s) { statuses << s; });
    }
    void clickConnect() { child<QToolButton>("btnConnect")->click(); }
    bool loggedIn() { return w->currentStatus() == CLIENT_LOGGED_IN; }
    // Lets the flow's ticks run until they have surely started every clock.
    void letTicksRun() {
        const int from = clockReads.load();
        QTRY_VERIFY_WITH_TIMEOUT(clockReads.load() > from + 12, 10000);
    }
    QString out() { return child<QTextBrowser>("tbOut")->toPlainText(); }
    // The status bar's connection part, and its passing messages beside it.
    QString bar() { return child<QLabel>("lbConnState")->text(); }
    QString message() { return w->statusBar()->currentMessage(); }
    QString in() { return child<QTextEdit>("teIn")->toPlainText(); }
    void connectAndLogIn() {
        clickConnect();
        QTRY_VERIFY_WITH_TIMEOUT(statuses.size() >= kLoginSequence.size(), 10000);
        QCOMPARE(statuses, kLoginSequence);
    }
    void disconnectAndWait() {
        clickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
    }
    void expectDisconnectedControls() {
        QVERIFY(child<QToolButton>("btnConnect")->isEnabled());
        QCOMPARE(child<QToolButton>("btnConnect")->text(), QString("连接"));
        QVERIFY(child<QToolButton>("btnParse")->isEnabled());
        QVERIFY(!child<QToolButton>("btnSend")->isEnabled());
    }

private slots:
    void initTestCase() { MessageBoxes::setUnattended(true); }
    void init() {
        tree = std::make_unique<zt::ConfigTree>();
        Zuno::setBaseFolder(tree->root());
        MessageBoxes::reset();
        platform = std::make_unique<zt::TestPlatform>();
        writeConf();
        log = std::make_unique<zt::LogCapture>();
    }
    void cleanup() {
        w.reset();
        log.reset();
        platform.reset();
        Zuno::setBaseFolder(QString());
        tree.reset();
    }

    // conf.json that cannot be saved at Connect or Send: the note beside the
    // connection state stays through every state until a save succeeds.
    void failedSettingsSaveStaysShownUntilASaveSucceeds() {
        makeWindow();
        // A name of the test's own, answered without the machine's resolver.
        w->setResolver(&zt::loopbackNameServer);
        auto* note = child<QLabel>("lbConfState");
        QVERIFY(note->isHidden());
        const QByteArray before = tree->read("conf/conf.json");
        child<QLineEdit>("edtIp")->setText("platform.test");
        {
            zt::FullDisk full;
            connectAndLogIn();
        }
        QCOMPARE(tree->read("conf/conf.json"), before);
        QVERIFY(!note->isHidden());
        QCOMPARE(note->text(), QString("conf/conf.json 保存失败 (") + zt::FullDisk::kReason + ")");
        // Send (logged in, "自动" off) saves again: now it works.
        child<QToolButton>("btnSend")->click();
        QVERIFY(note->isHidden());
        QVERIFY(tree->read("conf/conf.json").contains("\"ip\": \"platform.test\""));
        // A file that holds the settings already is not written again, so a
        // full disk refuses nothing then.
        {
            zt::FullDisk full(true);
            child<QToolButton>("btnSend")->click();
            QVERIFY(note->isHidden());
        }
        // Changed behind the window's back: the next save must write, and fails.
        const QByteArray changed = "{}";
        tree->write("conf/conf.json", changed);
        {
            zt::FullDisk full(true);
            child<QToolButton>("btnSend")->click();
            QVERIFY(!note->isHidden());
            disconnectAndWait(); // "断开" saves too, and fails as well
        }
        QCOMPARE(tree->read("conf/conf.json"), changed);
        QVERIFY(!note->isHidden());
        QVERIFY(w->saveConfig());
        QVERIFY(note->isHidden());
    }

    void loginFlowDisconnectAndReconnect() {
        makeWindow();
        child<QCheckBox>("cbAuto")->setChecked(true);
        // The platform answers this login only when the test says so; until
        // the event loop runs, nothing but the window's own step is applied.
        platform->silence(0x01);
        clickConnect();
        QCOMPARE(w->currentStatus(), CLIENT_CONNECTING);
        QCOMPARE(bar(), "正在连接 127.0.0.1:" + QString::number(platform->port()) + "…");
        QVERIFY(child<QToolButton>("btnConnect")->isEnabled());
        QCOMPARE(child<QToolButton>("btnConnect")->text(), QString("断开"));
        QVERIFY(!child<QToolButton>("btnParse")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(framesOf(*platform, 0x01), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(statuses.size(), 3, 10000);
        QCOMPARE(bar(), QString("已发送登录, 等待回复…"));
        platform->answer(0x01, &zt::TestPlatform::standardReply);
        platform->send(zt::makeReply(0x01, zt::serialOf(platform->frames().front())));
        QTRY_COMPARE_WITH_TIMEOUT(statuses, kLoginSequence, 10000);
        QCOMPARE(bar(), QString("已登录"));
        QCOMPARE(child<QToolButton>("btnConnect")->text(), QString("断开"));
        QVERIFY(log->contains("Client is connected!"));
        QVERIFY(log->contains("Client is loginning!"));
        QVERIFY(log->contains("Client is logined!"));

        // The login takes the counter's first number; only its reply is shown.
        QVERIFY(!platform->frames().empty());
        const zt::Bytes login = platform->frames().front();
        QCOMPARE(int(zt::protocolOf(login)), 0x01);
        QCOMPARE(int(zt::serialOf(login)), 1);
        const zt::Bytes reply = zt::makeReply(0x01, 1);
        Zuno::ZunoLoginResp replyMsg;
        QCOMPARE(replyMsg.decode(reply), 0);
        QTRY_VERIFY(out().contains(QString::fromStdString(Zuno::reportBlock("<< ", reply, &replyMsg))));
        QVERIFY(!out().contains(">> " + hexText(login)));

        // Heartbeat at 2 whole seconds, GPS once 4 have passed.
        letTicksRun();
        QCOMPARE(framesOf(*platform, 0x13), 0);
        fakeNow += 2 * kSecond;
        QTRY_COMPARE_WITH_TIMEOUT(framesOf(*platform, 0x13), 1, 10000);
        letTicksRun();
        QCOMPARE(framesOf(*platform, 0x22), 0);
        QCOMPARE(framesOf(*platform, 0x13), 1);
        fakeNow += 2 * kSecond;
        QTRY_COMPARE_WITH_TIMEOUT(framesOf(*platform, 0x22), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(framesOf(*platform, 0x13), 2, 10000);

        // Each sent frame: its line in the input box and its block in the
        // report pane; the platform's reply to the heartbeat as "<< ".
        for (const zt::Bytes& f : platform->frames()) {
            if (zt::protocolOf(f) == 0x01)
                continue;
            QTRY_VERIFY(in().contains(hexText(f) + "\n"));
            QTRY_VERIFY(out().contains(">> " + hexText(f) + "\n\"MSG\""));
        }
        const zt::Bytes ping = [&] {
            for (const zt::Bytes& f : platform->frames())
                if (zt::protocolOf(f) == 0x13)
                    return f;
            return zt::Bytes();
        }();
        QCOMPARE(int(zt::serialOf(ping)), 2);
        QTRY_VERIFY(out().contains("<< " + hexText(zt::makeReply(0x13, 2)) + "\n\"MSG\""));

        clickConnect();
        QCOMPARE(bar(), QString("正在断开…"));
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QCOMPARE(statuses.last(), CLIENT_DISCONNECTED);
        QCOMPARE(bar(), QString("已断开")); // the user's own Disconnect
        expectDisconnectedControls();
        QVERIFY(child<QCheckBox>("cbAuto")->isChecked());
        QTRY_COMPARE_WITH_TIMEOUT(platform->closedConnections(), 1, 10000);
        QVERIFY(log->contains("io_context runloop is finished!"));

        // A new connection: the counter goes on, and the clocks kept from the
        // first one make the heartbeat due at once after 2 more seconds.
        const std::size_t before = platform->frames().size();
        statuses.clear();
        connectAndLogIn();
        QTRY_COMPARE_WITH_TIMEOUT(platform->connections(), 2, 10000);
        const zt::Bytes relogin = platform->frames().at(before);
        QCOMPARE(int(zt::protocolOf(relogin)), 0x01);
        QCOMPARE(int(zt::serialOf(relogin)), int(zt::serialOf(platform->frames().at(before - 1))) + 1);
        const int pings = framesOf(*platform, 0x13);
        fakeNow += 2 * kSecond;
        QTRY_COMPARE_WITH_TIMEOUT(framesOf(*platform, 0x13), pings + 1, 10000);

        disconnectAndWait();
    }

    void platformClosesTheConnection() {
        makeWindow();
        connectAndLogIn();
        // A frame without class leaves no block; one that does not decode
        // shows its error instead of fields it never read.
        const zt::Bytes noClass = zt::makeFrame(0x70, {0x01}, 7);
        const zt::Bytes badCrc = zt::withBadCrc(zt::makeReply(0x13, 8));
        platform->send(noClass);
        platform->send(badCrc);
        QTRY_VERIFY(out().contains("<< " + hexText(badCrc) + "\n\"exception\" : { \n     \"code\" : -3,"));
        QVERIFY(!out().contains(hexText(noClass)));
        QVERIFY(log->contains("收到未知协议, 暂不关闭连接"));
        QVERIFY(log->contains(hexText(noClass).toStdString())); // the log has every frame
        QCOMPARE(w->currentStatus(), CLIENT_LOGGED_IN);

        platform->closeConnection();
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(log->contains("Client is disconnected!"));
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QCOMPARE(bar(), QString("平台关闭了连接"));
        expectDisconnectedControls();
    }

    void platformSendsSomethingThatIsNoFrame() {
        makeWindow();
        connectAndLogIn();
        platform->send(zt::bytes("12 34 05 01 00 01 D9 DC 0D 0A"));
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QCOMPARE(bar(), QString("收到无法识别的帧, 已断开: 12 34"));
        expectDisconnectedControls();
    }

    // Frames faster than the window shows them: every one reaches the report
    // pane through the window's signal or is counted there as not shown, in
    // order, the newest on top; the log has every one; what waits for the
    // window stays bounded; and the status change that follows the burst
    // takes effect while the texts before it still go in.
    void burstOfFramesIsShownOrCountedInOrder() {
        makeWindow();
        connectAndLogIn();
        QTRY_VERIFY(out().contains(hexText(zt::makeReply(0x01, 1))));
        child<QAction>("actionClearAll")->trigger();
        QString emitted; // every text that went into the report pane, in order
        zt::watchTopInsertions(child<QTextBrowser>("tbOut"), [&](const QString& t) { emitted.prepend(t); });

        constexpr int kFrames = 6000;
        zt::Bytes burst;
        for (int i = 1; i <= kFrames; ++i) {
            const zt::Bytes f = zt::makeReply(0x13, static_cast<uint16_t>(i));
            burst.insert(burst.end(), f.begin(), f.end());
        }
        const QString last = "<< " + hexText(zt::makeReply(0x13, kFrames));
        platform->send(burst);
        platform->closeConnection();
        // The window takes nothing meanwhile: all of it waits for it.
        QVERIFY(log->waitFor(last.toStdString(), std::chrono::seconds(60)));
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 60000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QCOMPARE(log->count("<< 78 78 05 13"), kFrames);
        QTRY_VERIFY_WITH_TIMEOUT(out().startsWith(QString(124, '/') + "\n" + last + "\n"), 60000);
        int shown = 0;
        int notShown = 0;
        int newest = kFrames + 1;
        const QRegularExpression line("^(<< 78 78 05 13 ([0-9A-F]{2}) ([0-9A-F]{2}) .*|… (\\d+) 帧未显示, 详见日志)$",
                                      QRegularExpression::MultilineOption);
        for (auto it = line.globalMatch(emitted); it.hasNext();) {
            const auto m = it.next();
            if (!m.captured(4).isEmpty()) {
                notShown += m.captured(4).toInt();
                continue;
            }
            const int serial = (m.captured(2) + m.captured(3)).toInt(nullptr, 16);
            QVERIFY2(serial < newest, "newest first");
            newest = serial;
            ++shown;
        }
        QCOMPARE(shown + notShown, kFrames);
        QVERIFY2(notShown > 0, "a backlog of this size is bounded");
        QVERIFY(shown <= int(Zuno::kWaitingTexts) + 2 * 200);
        QCOMPARE(bar(), QString("平台关闭了连接"));
    }

    // A burst the panes can hold, then the end of the connection (the
    // platform closes, or the user presses 断开 while the burst waits for
    // the window): every block is shown, in order, and the end is shown at
    // once, while the blocks still go in.
    void aBurstBeforeTheEndIsShownWhole_data() {
        QTest::addColumn<bool>("userEnds");
        QTest::newRow("platform closes") << false;
        QTest::newRow("user presses 断开") << true;
    }
    void aBurstBeforeTheEndIsShownWhole() {
        QFETCH(bool, userEnds);
        makeWindow();
        connectAndLogIn();
        QTRY_VERIFY(out().contains(hexText(zt::makeReply(0x01, 1))));
        child<QAction>("actionClearAll")->trigger();
        constexpr int kFrames = 40;
        const zt::Bytes text(100, 'A');
        std::vector<zt::Bytes> frames;
        zt::Bytes burst;
        for (int i = 1; i <= kFrames; ++i) {
            zt::Bytes content{static_cast<uint8_t>(4 + text.size()), 0, 0, 0, static_cast<uint8_t>(i)};
            content.insert(content.end(), text.begin(), text.end());
            content.insert(content.end(), {0x00, 0x02});
            frames.push_back(zt::makeFrame(0x80, content, static_cast<uint16_t>(i)));
            burst.insert(burst.end(), frames.back().begin(), frames.back().end());
        }
        platform->send(burst);
        if (!userEnds)
            platform->closeConnection();
        // The window takes nothing meanwhile: the burst, and the end, wait for it.
        QVERIFY(log->waitFor("<< " + hexText(frames.back()).toStdString()));
        if (userEnds)
            clickConnect();
        else
            QVERIFY(log->waitFor("Client is disconnected!"));
        // The end takes effect in the next turns, before the blocks are all in.
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QCOMPARE(bar(), QString(userEnds ? "已断开" : "平台关闭了连接"));
        QTRY_COMPARE_WITH_TIMEOUT(out().count("<< 78 78 70 80"), kFrames, 10000);
        QVERIFY(!out().contains("未显示"));
        for (int i = 1; i < kFrames; ++i) // newest on top
            QVERIFY(out().indexOf(hexText(frames[i])) < out().indexOf(hexText(frames[i - 1])));
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
    }

    // A platform that stops reading while the flow plays fast: the frames
    // beyond what may wait are not queued; the note beside the connection
    // state counts them until the platform reads again, and each is in the
    // log; "断开" ends the connection at once with the queue full.
    void platformThatStopsReadingLeavesTheFlowsFramesUnsent() {
        platform->receiveBuffer(4096);
        makeWindow();
        w->setWriteLimits(4000, 4096);
        // Two seconds on at every reading: each tick finds every task due.
        static std::atomic<int64_t> racing{1000 * kSecond};
        w->setFlowClock([] { return racing += 2 * kSecond; });
        child<QCheckBox>("cbAuto")->setChecked(true);
        auto* note = child<QLabel>("lbSendState");
        QVERIFY(note->isHidden());
        connectAndLogIn();
        QTRY_VERIFY_WITH_TIMEOUT(framesOf(*platform, 0x22) > 2, 10000);
        QVERIFY(note->isHidden());

        platform->stopReading();
        const QRegularExpression count("^平台未读取, (\\d+) 帧未发送$");
        const auto unsent = [&] {
            const auto m = count.match(note->text());
            return !note->isHidden() && m.hasMatch() ? m.captured(1).toInt() : 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(unsent() >= 20, 30000);
        QCOMPARE(w->currentStatus(), CLIENT_LOGGED_IN);
        QCOMPARE(bar(), QString("已登录"));
        const int shown = unsent();
        QVERIFY(log->count("平台未读取, 未发送:") >= shown);

        // Read again: what waited arrives, the note goes, and none of the
        // frames the log names as not sent was written.
        platform->resumeReading();
        QTRY_VERIFY_WITH_TIMEOUT(note->isHidden(), 30000);
        const std::vector<zt::Bytes> received = platform->frames();
        int named = 0;
        for (const std::string& line : log->lines()) {
            const std::size_t at = line.find("平台未读取, 未发送:");
            if (at == std::string::npos)
                continue;
            const std::size_t from = line.rfind(" \"");
            const zt::Bytes frame = zt::bytes(line.substr(from + 2, line.size() - from - 3));
            QVERIFY(zt::protocolOf(frame) == 0x13 || zt::protocolOf(frame) == 0x22);
            QVERIFY(std::find(received.begin(), received.end(), frame) == received.end());
            ++named;
        }
        QVERIFY(named >= shown);

        // Full again, then "断开": the connection ends without waiting for it.
        platform->stopReading();
        QTRY_VERIFY_WITH_TIMEOUT(unsent() > 0, 30000);
        clickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QCOMPARE(bar(), QString("已断开"));
        QVERIFY(note->isHidden());
        platform->resumeReading();
        QTRY_COMPARE_WITH_TIMEOUT(platform->closedConnections(), 1, 10000);
    }

    // A frame of 65541 bytes: the pane shows its start and says so; the log
    // keeps it whole.
    void aLongFrameIsShownInPart() {
        makeWindow();
        connectAndLogIn();
        zt::Bytes content(65530);
        for (std::size_t i = 0; i < content.size(); ++i)
            content[i] = static_cast<uint8_t>(i);
        const zt::Bytes frame = zt::makeFrame(0x80, content, 9, true);
        QCOMPARE(frame.size(), std::size_t(65541));
        platform->send(frame);
        QTRY_VERIFY_WITH_TIMEOUT(out().contains("<< " + hexText(frame).left(int(Zuno::kShownLineChars) - 3) + " …(此行另有 "),
                                 20000);
        QVERIFY(out().size() < 4 * int(Zuno::kShownTextChars));
        QVERIFY(log->contains("<< " + hexText(frame).toStdString() + "\\n")); // the record quotes the text
        disconnectAndWait();
    }

    // "断开" ends a connection at every step before the login, too, at once;
    // nothing the connection reported before changes the window afterwards.
    void disconnectEndsTheAttemptAtEveryStep_data() {
        QTest::addColumn<int>("step");
        QTest::newRow("connecting") << int(CLIENT_CONNECTING);
        QTest::newRow("connected, flow without login") << int(CLIENT_CONNECTED);
        QTest::newRow("awaiting the login reply") << int(CLIENT_LOGGING_IN);
        QTest::newRow("logged in, flood of login replies") << int(CLIENT_LOGGED_IN);
    }
    void disconnectEndsTheAttemptAtEveryStep() {
        QFETCH(int, step);
        if (step == CLIENT_CONNECTED)
            tree->write("conf/prop/flow.json", R"({"cmd":"Flow","protocol":"zuno","commands":[
                            {"cmd":"PING13","isChecked":true,"delay":1}]})");
        if (step == CLIENT_LOGGING_IN)
            platform->silence(0x01);
        makeWindow();
        clickConnect();
        if (step == CLIENT_LOGGED_IN) {
            QTRY_COMPARE_WITH_TIMEOUT(statuses, kLoginSequence, 10000);
            // Replies, each a login reply among heartbeats, all waiting for the window.
            zt::Bytes flood;
            for (int i = 1; i <= 3000; ++i) {
                const zt::Bytes f = zt::makeReply(i % 3 ? 0x13 : 0x01, static_cast<uint16_t>(i));
                flood.insert(flood.end(), f.begin(), f.end());
            }
            platform->send(flood);
            QVERIFY(log->waitFor("<< " + hexText(zt::makeReply(0x01, 3000)).toStdString(), std::chrono::seconds(60)));
        } else if (step != CLIENT_CONNECTING) {
            QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_STATUS(step), 10000);
        }
        QCOMPARE(int(w->currentStatus()), step);
        QVERIFY(child<QToolButton>("btnConnect")->isEnabled());
        QCOMPARE(child<QToolButton>("btnConnect")->text(), QString("断开"));
        statuses.clear();
        clickConnect();
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTING);
        QVERIFY(!child<QToolButton>("btnConnect")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QTRY_COMPARE_WITH_TIMEOUT(platform->closedConnections(), platform->connections(), 10000);
        QCoreApplication::processEvents();
        QCOMPARE(statuses, QList<CLIENT_STATUS>{CLIENT_DISCONNECTED});
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTED);
        QCOMPARE(bar(), QString("已断开"));
        expectDisconnectedControls();
    }

    // A login model that builds no message: said when the flow loads, and
    // Connect refuses the flow instead of connecting with nothing to send.
    void aLoginThatCannotBeBuiltIsToldAndRefused() {
        QByteArray model = shippedModel("login.json");
        const QRegularExpression imei("\"(\\d{15,16})\"");
        const QString digits = imei.match(QString::fromUtf8(model)).captured(1);
        QVERIFY(!digits.isEmpty());
        model.replace(digits.toUtf8(), "01234567890123G5");
        tree->write("conf/model/login.json", model);
        makeWindow();
        QVERIFY(message().startsWith("流程中的登录包无法生成 (login.json): "));
        QVERIFY(message().size() > QString("流程中的登录包无法生成 (login.json): ").size());
        const QString problem = message();
        QCOMPARE(bar(), QString("未连接"));
        w->statusBar()->clearMessage();
        MessageBoxes::takeShown();
        clickConnect();
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTED);
        QCOMPARE(message(), problem);
        // The click is answered with the reason.
        const auto boxes = MessageBoxes::takeShown();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes[0].text, "无法连接: " + problem);
        QVERIFY(w->waitForConnectionEnd(std::chrono::milliseconds(0)));
        QCOMPARE(platform->connections(), 0);
        expectDisconnectedControls();

        // Mended and saved: the flow loads with its login again.
        tree->write("conf/model/login.json", shippedModel("login.json"));
        w->signalReceiveConfigChange(ProtocolDataModel());
        QCOMPARE(message(), QString());
        connectAndLogIn();
        disconnectAndWait();
    }

    // The connection state stays in view beside the bar's passing messages.
    void statusBarAlwaysShowsTheConnectionState() {
        makeWindow();
        QCOMPARE(bar(), QString("未连接"));
        connectAndLogIn();
        QCOMPARE(bar(), QString("已登录"));
        child<QAction>("actionClearLog")->trigger();
        QVERIFY(message().endsWith("目录下日志清理完成!"));
        w->signalReceiveCmd("PING13", "{");
        QVERIFY(message().startsWith("指令回复未生成"));
        QCOMPARE(bar(), QString("已登录"));
        disconnectAndWait();
        QCOMPARE(bar(), QString("已断开"));
    }

    // Closing ends the connection before it asks; No leaves the window open,
    // already disconnected, and Yes then closes it.
    void quittingWithNoLeavesTheWindowOpenAndDisconnected() {
        makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        connectAndLogIn();
        MessageBoxes::takeShown();
        MessageBoxes::queueAnswer(QMessageBox::No);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        const auto boxes = MessageBoxes::takeShown();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QString("您确定要退出本程序,并已做好所有保存操作?"));
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QTRY_COMPARE_WITH_TIMEOUT(platform->closedConnections(), 1, 10000);
        QCOMPARE(bar(), QString("已断开"));
        expectDisconnectedControls();
        QVERIFY(w->isVisible());

        MessageBoxes::queueAnswer(QMessageBox::Yes);
        QVERIFY(w->close());
        QVERIFY(!w->isVisible());
        QCOMPARE(platform->connections(), 1);
    }

    void platformRefusesTheConnection() {
        platform->refuse();
        makeWindow();
        clickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QVERIFY(log->contains("Client is disconnected!"));
        QVERIFY(log->contains("io_context runloop is finished!"));
        QVERIFY(!log->contains("Client is connected!"));
        QCOMPARE(statuses, QList<CLIENT_STATUS>{CLIENT_DISCONNECTED});
        QCOMPARE(bar(), QString("连接被拒绝"));
        expectDisconnectedControls();
    }

    void loginNeverAnswered() {
        platform->silence(0x01);
        makeWindow();
        w->setLoginTimeout(std::chrono::milliseconds(200));
        clickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QCOMPARE(statuses, (QList<CLIENT_STATUS>{CLIENT_CONNECTED, CLIENT_LOGGING_IN, CLIENT_LOGGING_IN,
                                                 CLIENT_DISCONNECTED}));
        QVERIFY(log->contains("登录超时"));
        QCOMPARE(bar(), QString("0.2 秒内未收到登录回复"));
        QCOMPARE(framesOf(*platform, 0x01), 1);
        expectDisconnectedControls();
    }

    // A login reply that fails its CRC still logs in; its block says what is wrong with it.
    void loginReplyWithAWrongCrcLogsIn() {
        const auto badReply = [](const zt::Bytes& login) {
            return zt::withBadCrc(zt::makeReply(0x01, zt::serialOf(login)));
        };
        platform->answer(0x01, badReply);
        makeWindow();
        connectAndLogIn();
        QCOMPARE(bar(), QString("已登录"));
        QVERIFY(log->contains("Client is logined!"));
        const zt::Bytes reply = badReply(platform->frames().front());
        QTRY_VERIFY(out().contains("<< " + hexText(reply) + "\n\"exception\" : { \n     \"code\" : -3,"));
        QTRY_VERIFY(child<QToolButton>("btnSend")->isEnabled());
        disconnectAndWait();
    }

    // The lookup is asked for on the connection's worker: Connect returns at
    // once, and 断开 ends the attempt while the name server keeps silent.
    void disconnectEndsALookupThatNeverAnswers() {
        writeConf("platform.example");
        makeWindow();
        w->setResolver(&zt::silentNameServer);
        zt::forgetLookups();
        clickConnect();
        QCOMPARE(w->currentStatus(), CLIENT_CONNECTING);
        QCOMPARE(bar(), "正在连接 platform.example:" + QString::number(platform->port()) + "…");
        QVERIFY(child<QToolButton>("btnConnect")->isEnabled());
        QCOMPARE(child<QToolButton>("btnConnect")->text(), QString("断开"));
        QTRY_COMPARE(zt::lookupsAsked(), QStringList{"platform.example " + QString::number(platform->port())});
        clickConnect();
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTING);
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        QCOMPARE(statuses, QList<CLIENT_STATUS>{CLIENT_DISCONNECTED});
        QCOMPARE(bar(), QString("已断开"));
        expectDisconnectedControls();

        // Closing the window ends a lookup too, and waits for its worker.
        zt::forgetLookups();
        clickConnect();
        QTRY_COMPARE(zt::lookupsAsked().size(), 1);
        MessageBoxes::queueAnswer(QMessageBox::Yes);
        QVERIFY(w->close());
        QVERIFY(w->waitForConnectionEnd(std::chrono::milliseconds(0)));
        QTRY_COMPARE(w->currentStatus(), CLIENT_DISCONNECTED);
        QCOMPARE(platform->connections(), 0);
    }

    void unresolvableAddressEndsTheAttempt() {
        writeConf("no-such-host.invalid");
        makeWindow();
        w->setResolver(&zt::unknownName);
        clickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
        QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        const std::error_code notFound = asio::error::host_not_found;
        QCOMPARE(bar(), "无法解析服务器地址: no-such-host.invalid (" + QString::fromStdString(notFound.message()) + ")");
        QVERIFY(log->contains("resolve"));
        QCOMPARE(statuses, QList<CLIENT_STATUS>{CLIENT_DISCONNECTED});
        expectDisconnectedControls();
        QCOMPARE(platform->connections(), 0);
    }

    void emptyAddressConnectsToThisMachine() {
        writeConf("");
        makeWindow();
        connectAndLogIn();
        disconnectAndWait();
    }

    void parseShowsTheSampleFramesBlocks() {
        makeWindow();
        child<QTextBrowser>("tbOut")->setPlainText("earlier");
        child<QToolButton>("btnParse")->click();
        const QString golden = QString::fromStdString(zt::readTestFile("golden/parse_samples.txt"));
        QCOMPARE(out(), golden + "earlier");
    }

    void sendDeliversEachTypedFrame() {
        makeWindow();
        connectAndLogIn();
        QTRY_VERIFY(child<QToolButton>("btnSend")->isEnabled());
        const zt::Bytes ping23 = zt::bytes("78 78 0B 23 C0 01 22 04 00 01 00 08 18 72 0D 0A");
        const zt::Bytes login = zt::bytes("78 78 11 01 07 52 53 36 78 90 02 42 70 00 32 01 00 05 12 79 0D 0A");
        const zt::Bytes raw70 = zt::makeFrame(0x70, {0x01, 0x02}, 0x0033);
        const zt::Bytes badCrc = zt::withBadCrc(zt::makeFrame(0x13, {0, 4, 3, 0, 2}, 0x0034));
        child<QTextEdit>("teIn")->setPlainText(hexText(ping23) + "\n\n" + hexText(badCrc) + "\n" +
                                               QString::fromStdString(Zuno::toHex(login, 0, login.size(), ",")) +
                                               "\n  " + hexText(raw70) + "  \n");
        const std::size_t before = platform->frames().size();
        child<QToolButton>("btnSend")->click();
        QTRY_COMPARE_WITH_TIMEOUT(platform->frames().size(), before + 3, 10000);
        // Raw frames waiting go out before waiting messages: the order on
        // the wire is not that of the lines.
        std::vector<zt::Bytes> frames = platform->frames();
        frames.erase(frames.begin(), frames.begin() + long(before));
        for (const zt::Bytes& typed : {ping23, login, raw70})
            QVERIFY(std::find(frames.begin(), frames.end(), typed) != frames.end());
        QTRY_VERIFY(log->contains("Unknow pack sended!"));
        QTRY_VERIFY(log->count("sended!") >= 3);
        // Four blocks (the replies' blocks come above them), the refused line
        // with its error object.
        QVERIFY(out().contains(QString(124, '/') + "\n\n>> " + hexText(ping23).remove(' ') + "\n\"MSG\""));
        QVERIFY(out().contains(">> " + hexText(badCrc).remove(' ') + "\n\"exception\""));
        QVERIFY(out().contains(">> " + hexText(raw70).remove(' ') + "\n" + QString(124, '/')));
        disconnectAndWait();
    }

    // The longest frame typed (65541 bytes, length field 0xFFFF): 解析 and
    // 发送 show its block as that of a received frame of its size, the start
    // of each long line and a note of what is left out; the log keeps the
    // whole block. A typed line keeps no blanks, so shown whole it would be
    // one unbroken run of 131082 digits, which the pane lays out for seconds.
    void theLongestTypedFrameIsShownAsAReceivedOne_data() {
        QTest::addColumn<QString>("press");
        QTest::newRow("解析") << "解析";
        QTest::newRow("发送") << "发送";
    }
    void theLongestTypedFrameIsShownAsAReceivedOne() {
        QFETCH(QString, press);
        const zt::Bytes frame = zt::makeFrame(0x80, zt::Bytes(65530, 0x31), 9, true);
        QCOMPARE(frame.size(), std::size_t(65541));
        const QString line = hexText(frame).remove(' ');
        makeWindow();
        if (press == "发送") {
            connectAndLogIn();
            QTRY_VERIFY(child<QToolButton>("btnSend")->isEnabled());
        }
        child<QTextBrowser>("tbOut")->clear();
        child<QTextEdit>("teIn")->setPlainText(hexText(frame));
        child<QToolButton>(press == "解析" ? "btnParse" : "btnSend")->click();
        const QString shownLine = (press == "发送" ? ">> " : "") + line;
        const QString cut = shownLine.left(int(Zuno::kShownLineChars)) +
                            QString(" …(此行另有 %1 个字符未显示, 详见日志)\n").arg(shownLine.size() - int(Zuno::kShownLineChars));
        QVERIFY(out().contains(cut));
        QVERIFY(!out().contains(line));
        QVERIFY(out().size() < 2 * int(Zuno::kShownTextChars));
        // The record quotes the block: its line feeds are written "\n".
        QVERIFY(log->contains(line.toStdString() + "\\n\\\"MSG\\\" : { \\n"));
        if (press == "发送") {
            QTRY_VERIFY_WITH_TIMEOUT(framesOf(*platform, 0x80) == 1, 10000);
            disconnectAndWait();
        }
    }

    // One press of 解析 or 发送, or a command reply, puts all its blocks at
    // the top of the report pane in line order, above what the pane held:
    // the pane's rule (emptied once past 1000 lines) applies once, before the
    // press, never inside it. Frames of the first sample's kind (blocks of
    // some 35 lines) and 10-byte heartbeat replies (8 lines).
    void aPressShowsAllItsBlocksInLineOrder_data() {
        QTest::addColumn<QString>("press"); // "解析", "发送", "指令回复"
        QTest::addColumn<int>("frames");
        QTest::addColumn<bool>("gps");      // else heartbeat replies
        QTest::addColumn<int>("heldBefore"); // lines of the pane before the press
        for (int n : {1, 27, 28, 56, 125, 250, 1000, 2000})
            QTest::addRow("解析 %d GPS frames over 990 lines", n) << "解析" << n << true << 990;
        for (int n : {1, 125, 126, 250, 2000})
            QTest::addRow("解析 %d heartbeat replies over 990 lines", n) << "解析" << n << false << 990;
        QTest::newRow("解析 28 GPS frames into an empty pane") << "解析" << 28 << true << 0;
        QTest::newRow("解析 28 GPS frames over 1000 lines") << "解析" << 28 << true << 1000;
        QTest::newRow("解析 28 GPS frames over 1001 lines: emptied first") << "解析" << 28 << true << 1001;
        for (int n : {1, 28, 1000})
            QTest::addRow("发送 %d GPS frames over 990 lines", n) << "发送" << n << true << 990;
        for (int n : {125, 250})
            QTest::addRow("发送 %d heartbeat replies over 990 lines", n) << "发送" << n << false << 990;
        QTest::newRow("发送 28 GPS frames over 1001 lines: emptied first") << "发送" << 28 << true << 1001;
        QTest::newRow("指令回复 over 990 lines") << "指令回复" << 1 << false << 990;
        QTest::newRow("指令回复 over 1001 lines: emptied first") << "指令回复" << 1 << false << 1001;
    }
    void aPressShowsAllItsBlocksInLineOrder() {
        QFETCH(QString, press);
        QFETCH(int, frames);
        QFETCH(bool, gps);
        QFETCH(int, heldBefore);
        QStringList lines;
        std::vector<std::string> prepared;
        for (int i = 0; i < frames; ++i) {
            const auto serial = static_cast<uint16_t>(i);
            lines << hexText(gps ? zt::makeFrame(0x22, zt::sampleGpsContent(), serial) : zt::makeReply(0x13, serial));
            prepared.push_back(Zuno::prepareLine(lines.last()));
        }
        // What the press shows: every line's block, in line order (and after
        // Parse's, a line feed).
        std::string blocks;
        if (press == "解析") {
            for (const std::string& line : prepared)
                blocks += Zuno::parseBlock(line);
            blocks += "\n";
        } else if (press == "发送") {
            for (const std::string& line : prepared)
                blocks += Zuno::prepareTypedSending(line).block;
        }
        makeWindow();
        if (press != "解析") {
            connectAndLogIn();
            QTRY_VERIFY(out().contains(hexText(zt::makeReply(0x01, 1))));
            QTRY_VERIFY(child<QToolButton>("btnSend")->isEnabled());
        }
        QStringList held;
        for (int i = 1; i <= heldBefore; ++i)
            held << QString("earlier %1").arg(i);
        QTextBrowser* pane = child<QTextBrowser>("tbOut");
        pane->setPlainText(held.join('\n'));
        QCOMPARE(pane->document()->blockCount(), std::max(heldBefore, 1));
        const QString kept = heldBefore <= Zuno::kPaneBlockLimit ? held.join('\n') : QString();

        if (press == "指令回复") {
            w->signalReceiveCmd("PING13", shippedModel("ping13.json").toStdString());
            const QString text = out();
            QCOMPARE(text.count(">> 78 78 "), 1);
            QVERIFY(text.startsWith(QString(124, '/') + "\n>> 78 78 "));
            QVERIFY(text.endsWith("\n" + kept));
        } else {
            child<QTextEdit>("teIn")->setPlainText(lines.join('\n'));
            child<QToolButton>(press == "解析" ? "btnParse" : "btnSend")->click();
            const QString text = out();
            int shown = 0;
            bool inLineOrder = true;
            int last = -1;
            for (const std::string& line : prepared) {
                const int at = text.indexOf(QString::fromStdString(line));
                if (at < 0)
                    continue;
                ++shown;
                inLineOrder = inLineOrder && at > last;
                last = at;
            }
            QCOMPARE(shown, frames);
            QVERIFY(inLineOrder);
            QVERIFY(!text.contains("未显示"));
            QCOMPARE(text, QString::fromStdString(blocks) + kept);
        }
        if (press != "解析")
            disconnectAndWait();
    }

    // A press whose blocks pass the press's bound (several thousand frames of
    // the fourth sample, the largest block) shows the newest results that
    // fit, whole and in line order, under the line that counts the others;
    // never fewer than fit.
    void aPressPastItsBoundShowsTheNewestThatFit() {
        constexpr int kFrames = 2600;
        QStringList lines;
        for (int i = 0; i < kFrames; ++i)
            lines << hexText(zt::makeFrame(0x28, zt::sampleLbsContent(), static_cast<uint16_t>(i)));
        const int blockChars = QString::fromStdString(Zuno::parseBlock(Zuno::prepareLine(lines.first()))).size();
        QVERIFY(int64_t(blockChars) * kFrames > Zuno::kPressCharLimit);
        makeWindow();
        child<QTextEdit>("teIn")->setPlainText(lines.join('\n'));
        child<QToolButton>("btnParse")->click();
        const QString text = out();
        const QRegularExpressionMatch notice =
            QRegularExpression("^… 前 (\\d+) 行的结果超出一次可显示的字符数, 未显示\n").match(text);
        QVERIFY(notice.hasMatch());
        const int notShown = notice.captured(1).toInt();
        int shown = 0;
        int last = -1;
        for (int i = notShown; i < kFrames; ++i) {
            const int at = text.indexOf(QString(lines[i]).remove(' '));
            QVERIFY2(at > last, "the newest lines' blocks, in line order");
            last = at;
            ++shown;
        }
        QVERIFY(!text.contains(QString(lines[notShown - 1]).remove(' ')));
        // As many as fit: one block more would pass the bound.
        const int pressChars = text.size() - notice.capturedLength();
        QVERIFY(pressChars <= Zuno::kPressCharLimit);
        QVERIFY(pressChars + blockChars > Zuno::kPressCharLimit);
        QCOMPARE(pressChars, shown * blockChars + 1); // and the last line feed
    }

    // The worker's texts taken in one slice are one insertion, as a text of
    // the window's own is: the pane's rule applies before it, not between its
    // texts. A pane of 990 lines keeps its lines under a slice that takes it
    // past 1000; the next text empties it first.
    void aSliceOfReceivedFramesIsOneInsertion() {
        makeWindow();
        connectAndLogIn();
        QTRY_VERIFY(out().contains(hexText(zt::makeReply(0x01, 1))));
        QStringList held;
        for (int i = 1; i <= 990; ++i)
            held << QString("earlier %1").arg(i);
        child<QTextBrowser>("tbOut")->setPlainText(held.join('\n'));
        std::vector<zt::Bytes> frames;
        zt::Bytes burst;
        for (uint16_t serial = 1; serial <= 4; ++serial) {
            frames.push_back(zt::makeReply(0x13, serial));
            burst.insert(burst.end(), frames.back().begin(), frames.back().end());
        }
        platform->send(burst);
        // The window takes nothing meanwhile: the burst waits for it whole.
        // A block is logged once it waits for the window, so the last one
        // logged means all four wait.
        QVERIFY(log->waitFor("<< " + hexText(frames.back()).toStdString()));
        QTRY_VERIFY(out().contains(hexText(frames.back())));
        const QString text = out();
        QCOMPARE(text.count("<< 78 78 05 13 "), 4);
        for (std::size_t i = 1; i < frames.size(); ++i) // newest on top
            QVERIFY(text.indexOf(hexText(frames[i])) < text.indexOf(hexText(frames[i - 1])));
        QVERIFY(text.endsWith("\n" + held.join('\n')));
        QVERIFY(child<QTextBrowser>("tbOut")->document()->blockCount() > Zuno::kPaneBlockLimit);

        const zt::Bytes next = zt::makeReply(0x13, 5);
        platform->send(next);
        QTRY_VERIFY(out().contains(hexText(next)));
        QCOMPARE(out().count("<< "), 1);
        QVERIFY(!out().contains("earlier"));
        disconnectAndWait();
    }

    // Presses never pile up: past its limits after one press, the pane is
    // emptied before the next, so pressed again and again with 2000 lines it
    // holds each time the last press's blocks, all of them.
    void parseAndSendKeepThePaneLimits() {
        makeWindow();
        connectAndLogIn();
        QTRY_VERIFY(child<QToolButton>("btnSend")->isEnabled());
        constexpr int kLines = 2000;
        QStringList lines;
        std::vector<std::string> prepared;
        for (int i = 0; i < kLines; ++i) {
            lines << hexText(zt::makeFrame(0x13, {0, 4, 3, 0, 2}, static_cast<uint16_t>(i)));
            prepared.push_back(Zuno::prepareLine(lines.last()));
        }
        child<QTextEdit>("teIn")->setPlainText(lines.join('\n'));
        QString sendBlocks;
        QString parseBlocks;
        for (const std::string& line : prepared) {
            sendBlocks += QString::fromStdString(Zuno::prepareTypedSending(line).block);
            parseBlocks += QString::fromStdString(Zuno::parseBlock(line));
        }
        parseBlocks += "\n";
        QVERIFY(sendBlocks.size() < Zuno::kPressCharLimit);
        platform->silence(0x13); // nothing but the presses goes into the pane
        const std::size_t before = platform->frames().size();
        for (int press = 0; press < 3; ++press) {
            child<QToolButton>("btnSend")->click();
            QVERIFY(out().startsWith(sendBlocks));
            if (press > 0)
                QCOMPARE(out(), sendBlocks);
            QTRY_VERIFY_WITH_TIMEOUT(platform->frames().size() >= before + std::size_t(press + 1) * kLines, 20000);
        }
        disconnectAndWait();
        for (int press = 0; press < 3; ++press) {
            child<QToolButton>("btnParse")->click();
            QCOMPARE(out(), parseBlocks);
        }
    }

    // 断开 pressed as soon as the first block of a burst shows, then 连接 at
    // once: what the ended connection left waiting for the window is shown,
    // or counted as not shown, before the new connection's first state;
    // nothing of it comes after.
    void anEndedConnectionsTextsNeverShowUnderTheNextOne() {
        constexpr int kFrames = 999;
        zt::Bytes burst;
        for (int i = 1; i <= kFrames; ++i) {
            const zt::Bytes f = zt::makeReply(0x13, static_cast<uint16_t>(i));
            burst.insert(burst.end(), f.begin(), f.end());
        }
        auto logins = std::make_shared<std::atomic<int>>(0);
        platform->answer(0x01, [logins, burst](const zt::Bytes& frame) {
            zt::Bytes reply = zt::makeReply(0x01, zt::serialOf(frame));
            if ((*logins)++ == 0) // right after the first login
                reply.insert(reply.end(), burst.begin(), burst.end());
            return reply;
        });
        makeWindow();
        bool disconnectPressed = false;
        bool connectPressed = false;
        QString stateAtConnect;
        int shown = 0;
        int notShown = 0;
        int shownAfter = 0;
        int notShownAfter = 0;
        const QRegularExpression line("^(<< 78 78 05 13 .*|… (\\d+) 帧未显示, 详见日志)$",
                                      QRegularExpression::MultilineOption);
        zt::watchTopInsertions(child<QTextBrowser>("tbOut"), [&](const QString& text) {
            int blocks = 0;
            int counted = 0;
            for (auto it = line.globalMatch(text); it.hasNext();) {
                const auto m = it.next();
                if (m.captured(2).isEmpty())
                    ++blocks;
                else
                    counted += m.captured(2).toInt();
            }
            shown += blocks;
            notShown += counted;
            if (connectPressed) {
                shownAfter += blocks;
                notShownAfter += counted;
            }
            if (blocks > 0 && !disconnectPressed) {
                disconnectPressed = true; // in the next turn, as a user's click
                QTimer::singleShot(0, w.get(), [&] { clickConnect(); });
            }
        });
        connect(w.get(), &MainForm::signalSendButtonEnable, w.get(), [&](CLIENT_STATUS s) {
            if (s != CLIENT_DISCONNECTED || !disconnectPressed || connectPressed)
                return;
            QTimer::singleShot(0, w.get(), [&] {
                clickConnect();
                connectPressed = true;
                stateAtConnect = bar();
            });
        });
        clickConnect();
        QTRY_VERIFY_WITH_TIMEOUT(connectPressed, 20000);
        QVERIFY2(stateAtConnect.startsWith("正在连接 "), qPrintable(stateAtConnect));
        QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_LOGGED_IN, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(logins->load(), 2, 10000);
        QTRY_VERIFY(out().contains("<< " + hexText(zt::makeReply(0x01, 2))));
        QCOMPARE(shownAfter, 0);
        QCOMPARE(notShownAfter, 0);
        // Each burst frame the old connection read is shown or counted.
        QVERIFY(shown > 0);
        QCOMPARE(shown + notShown, log->count("<< 78 78 05 13"));
        disconnectAndWait();
    }

    // A frame of 2 KB (a platform command, the terminal's largest report) is
    // shown whole: its whole hexadecimal line and its dump.
    void aFrameOfTwoKilobytesIsShownWhole() {
        makeWindow();
        connectAndLogIn();
        QTRY_VERIFY(out().contains(hexText(zt::makeReply(0x01, 1))));
        zt::Bytes content{0, 0, 0, 0, 7};
        content.resize(Zuno::kWholeFrameBytes - 11, 'B');
        content[0] = 0xFF;
        const zt::Bytes frame = zt::makeFrame(0x80, content, 5, true);
        QCOMPARE(frame.size(), Zuno::kWholeFrameBytes);
        platform->send(frame);
        QTRY_VERIFY_WITH_TIMEOUT(out().contains("<< " + hexText(frame) + "\n"), 10000);
        QVERIFY(!out().contains("未显示"));
        disconnectAndWait();
    }

    // The input box takes only frame lines: what it could not take is said
    // in the report pane.
    void framesTheInputBoxMissedAreToldInTheReportPane() {
        QByteArray steps = R"({"cmd":"LOGIN","isChecked":true,"delay":0})";
        for (int i = 0; i < 50; ++i)
            steps += R"(,{"cmd":"PING13","isChecked":true,"delay":1})";
        tree->write("conf/prop/flow.json", R"({"cmd":"Flow","protocol":"zuno","commands":[)" + steps + "]}");
        makeWindow();
        connectAndLogIn();
        child<QCheckBox>("cbAuto")->setChecked(true);
        letTicksRun();
        // 25 rounds of 50 heartbeats while the window takes nothing.
        const std::string ping = ">> " + hexText(zt::makeFrame(0x13, {0, 4, 3, 0, 2}, 0)).left(12).toStdString();
        const int before = log->count(ping);
        for (int round = 1; round <= 25; ++round) {
            fakeNow += 2 * kSecond;
            QVERIFY(log->waitForCount(ping, before + 50 * round, std::chrono::seconds(20)));
            // The tick that sent them ends before the clock moves on; the
            // window takes nothing meanwhile, so no QTRY here.
            const int reads = clockReads.load();
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (clockReads.load() < reads + 2 * 51 && std::chrono::steady_clock::now() < deadline)
                std::this_thread::yield();
            QVERIFY2(clockReads.load() >= reads + 2 * 51, "the flow's ticks stopped reading the clock");
        }
        child<QCheckBox>("cbAuto")->setChecked(false);
        QTRY_VERIFY_WITH_TIMEOUT(out().contains(" 帧未写入输入框, 详见日志"), 10000);
        for (const QString& line : in().split('\n', Qt::SkipEmptyParts))
            QVERIFY2(line.startsWith("78 78 "), qPrintable(line));
        disconnectAndWait();
    }

    void sendWhenNotLoggedInOnlyWarns() {
        makeWindow();
        tree->write("conf/conf.json", "{}");
        QVERIFY(QMetaObject::invokeMethod(w.get(), "on_btnSend_clicked"));
        const auto boxes = MessageBoxes::takeShown();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes[0].title, QString("错误"));
        QCOMPARE(boxes[0].text, QString("尚未连接到服务器, 请点击[连接]按钮"));
        QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QVERIFY(out().isEmpty());
        QVERIFY(tree->read("conf/conf.json").contains("\"port\""));
        QCOMPARE(platform->connections(), 0);
    }

    void commandReplyIsNumberedAndSentOnlyWhileLoggedIn() {
        makeWindow();
        child<QTextEdit>("teIn")->clear();
        const std::string model = shippedModel("ping13.json").toStdString();
        w->signalReceiveCmd("PING13", model);
        // Disconnected: the frame lands in the input box only.
        QVERIFY(out().isEmpty());
        const QStringList lines = in().split('\n', Qt::SkipEmptyParts);
        const zt::Bytes offline = zt::bytes(lines.last().toStdString());
        QCOMPARE(int(zt::protocolOf(offline)), 0x13);
        QCOMPARE(int(zt::serialOf(offline)), 1);

        connectAndLogIn();
        w->signalReceiveCmd("PING13", model);
        QTRY_COMPARE_WITH_TIMEOUT(framesOf(*platform, 0x13), 1, 10000);
        zt::Bytes sent;
        for (const zt::Bytes& f : platform->frames())
            if (zt::protocolOf(f) == 0x13)
                sent = f;
        QCOMPARE(int(zt::serialOf(sent)), 3); // 1 the offline reply, 2 the login
        QVERIFY(out().contains(">> " + hexText(sent) + "\n"));
        disconnectAndWait();
    }

    void connectRunsTheFlowChosenInThePanel() {
        // Listed after "Flow": by name, descending.
        tree->write("conf/prop/another.json",
                    R"({"cmd":"Another","protocol":"zuno","commands":[
                        {"cmd":"LOGIN","isChecked":true,"delay":0},
                        {"cmd":"GPS22","isChecked":true,"delay":1}]})");
        makeWindow();
        child<QCheckBox>("cbAuto")->setChecked(true);
        child<QComboBox>("cbProtocol")->setCurrentIndex(1);
        connectAndLogIn();
        letTicksRun();
        fakeNow += 2 * kSecond;
        QTRY_COMPARE_WITH_TIMEOUT(framesOf(*platform, 0x22), 1, 10000);
        letTicksRun();
        QCOMPARE(framesOf(*platform, 0x13), 0); // the heartbeat of "Flow", due as well, is not sent
        disconnectAndWait();
        QVERIFY(tree->read("conf/conf.json").contains("\"protocol\": 1\n"));
    }

    // The system's lookup against a name server that keeps silent: 连接 and
    // 断开 again and again hold one lookup, never more; a 连接 while it is
    // still out takes its answer.
    void repeatedConnectHoldsOneLookupOfASilentNameServer() {
        writeConf("platform.test");
        makeWindow();
        zt::HeldNameServer server;
        // Counts the connections' requests: each is made on its worker.
        auto requests = std::make_shared<std::atomic<int>>(0);
        w->setResolver([requests, resolve = Zuno::systemResolver(server.lookup())](
                           asio::io_context& io, const std::string& host, const std::string& service,
                           Zuno::ResolveDone done) {
            resolve(io, host, service, std::move(done));
            ++*requests;
        });
        const QStringList asked{"platform.test " + QString::number(platform->port())};
        for (int attempt = 1; attempt <= 3; ++attempt) {
            clickConnect();
            QTRY_COMPARE_WITH_TIMEOUT(requests->load(), attempt, 10000);
            clickConnect();
            QTRY_COMPARE_WITH_TIMEOUT(w->currentStatus(), CLIENT_DISCONNECTED, 10000);
            QVERIFY(w->waitForConnectionEnd(std::chrono::seconds(10)));
        }
        QCOMPARE(server.asked(), asked);
        statuses.clear();
        clickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(requests->load(), 4, 10000);
        server.answer();
        QTRY_COMPARE_WITH_TIMEOUT(statuses, kLoginSequence, 10000);
        QCOMPARE(server.asked(), asked);
        QCOMPARE(server.mostAtOnce(), 1);
        QCOMPARE(platform->connections(), 1);
        disconnectAndWait();
    }

    // The login reply logs in once, decided on the worker; the window shows
    // each step in order and never goes back, even while it still shows an
    // earlier step than the worker has reached. A second login reply that
    // comes meanwhile changes nothing.
    void theStatusOnlyMovesForwardAndALoginReplyLogsInOnce() {
        makeWindow();
        const zt::Bytes second = zt::makeReply(0x01, 0x77);
        QList<CLIENT_STATUS> shown;
        connect(w.get(), &MainForm::signalSendButtonEnable, w.get(), [&](CLIENT_STATUS s) {
            shown << w->currentStatus();
            if (s == CLIENT_CONNECTED) {
                // The window shows "connected" while the worker is logged in.
                platform->send(second);
                QVERIFY(log->waitFor("<< " + hexText(second).toStdString()));
            }
        });
        clickConnect();
        // The window takes nothing until the worker has logged in.
        QVERIFY(log->waitFor("Client is logined!"));
        shown << w->currentStatus();
        QTRY_COMPARE_WITH_TIMEOUT(statuses, kLoginSequence, 10000);
        QTRY_VERIFY(out().contains(hexText(second)));
        QCoreApplication::processEvents();
        QCOMPARE(statuses, kLoginSequence);
        QCOMPARE(shown.first(), CLIENT_CONNECTING);
        QVERIFY2(std::is_sorted(shown.begin(), shown.end()), "the status went back");
        QCOMPARE(log->count("Client is logined!"), 1);
        disconnectAndWait();
    }

    // A login offered to the client and not written (here: more than may
    // wait to be written) is not shown as sent.
    void aLoginNotWrittenIsNotShownAsSent() {
        platform->silence(0x01);
        makeWindow();
        w->setWriteLimits(10, 0);
        clickConnect();
        QVERIFY(log->waitFor("平台未读取, 未发送:"));
        QTRY_COMPARE_WITH_TIMEOUT(statuses, (QList<CLIENT_STATUS>{CLIENT_CONNECTED, CLIENT_LOGGING_IN}), 10000);
        QCOMPARE(bar(), QString("正在登录…"));
        QVERIFY(!log->contains("Client is loginning!"));
        QCOMPARE(framesOf(*platform, 0x01), 0);
        disconnectAndWait();
        QCOMPARE(statuses.last(), CLIENT_DISCONNECTED);
    }

    // The window goes while a handler of its connection is held up in a log
    // write: its end neither waits for the handler nor frees anything the
    // handler still reaches (the sanitizers watch); the connection ends on
    // its worker once the handler goes on.
    void theWindowGoesWhileAHandlerIsHeldUp() {
        makeWindow();
        connectAndLogIn();
        const zt::Bytes frame = zt::makeReply(0x13, 0x4242);
        {
            HeldLogRecord held("<< " + hexText(frame).toStdString());
            platform->send(frame);
            QVERIFY(held.waitHeld());
            // Should the end wait for the handler, the deadline lets the
            // handler go on, and the test fails instead of hanging.
            std::promise<void> gone;
            std::thread deadline([&held, ended = gone.get_future()] {
                if (ended.wait_for(std::chrono::seconds(10)) != std::future_status::ready)
                    held.release();
            });
            w.reset();
            const bool waited = held.wasReleased();
            gone.set_value();
            deadline.join();
            QVERIFY2(!waited, "the window's end waited for the handler");
        }
        QVERIFY(log->waitFor("io_context runloop is finished!"));
        QVERIFY(platform->waitForClosed(1));
    }

    void closingTheWindowWaitsForTheConnection() {
        makeWindow();
        connectAndLogIn();
        MessageBoxes::queueAnswer(QMessageBox::Yes);
        QVERIFY(w->close());
        QVERIFY(w->waitForConnectionEnd(std::chrono::milliseconds(0)));
        w.reset();
        QTRY_COMPARE_WITH_TIMEOUT(platform->closedConnections(), 1, 10000);
    }
};

ZT_GUI_TEST_MAIN(ConnectionTest)
#include "connection_qtest.moc"
