// The window's side of the connection: Connect and Disconnect, the login, the
// frames received, the automatic send flow, command replies and the packet
// analyser's Parse and Send.
//
// Threads: start, stop, the slots and the analyser run on the GUI thread; the
// client's callbacks, the login, the tick and the clean-up run on the
// connection's worker thread; the address is looked up by `resolver` (the
// system's: on a thread of its own, connection/resolver.h), whose answer
// comes on the worker. The worker never touches a widget: its texts and
// statuses wait in the window's mailbox (deliverMail takes them on the GUI
// thread, a slice per turn, and all that waits at the press of Connect, so
// that nothing of an ended connection shows under the next one), and the note
// of frames not sent is asked for with a queued call.
//
// The worker's handlers reach the window only through `link`, in short holds
// that never log, so that the window's end never waits long for them and
// never goes under one: once it has revoked the link, they carry on without
// it until the connection's worker ends.
//
// The connection state has one owner on each side: the client decides it
// (connected, logged in by the login reply) and the worker posts each step;
// the window stores what it shows (singalReceiveButtonEnable), and within one
// connection only forward (applyWorkerStatus).

#include <QDateTime>
#include <QDebug>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QThread>

#include <cstdint>

#include "app/mainform.h"
#include "app/message_boxes.h"
#include "app/traffic_pane.h"
#include "builders/message_builder.h"
#include "connection/analyser.h"
#include "connection/guarded.h"
#include "connection/io_thread.h"
#include "connection/protocol_client.h"
#include "connection/report_block.h"
#include "protocol/date_time_text.h"
#include "render/exception.h"
#include "ui_mainform.h"

namespace {

// One turn of the event loop takes at most this much from the mailbox (the
// texts' characters are the measure of the panes' work); the rest waits for
// the next turn, so a burst of frames never holds the window for long.
constexpr Zuno::TextMailbox::Slice kSlice{50, 5 * 1024};

QString now() { return Zuno::dateTimeText(QDateTime::currentDateTime()); }

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// `done` of every message the window queues after the login: flow, command
// reply, typed frame.
void logWritten(const std::error_code& ec, std::unique_ptr<Zuno::ZunoMSG> msg) {
    if (ec || !msg)
        return;
    qDebug() << "seq:" << msg->seq << fromUtf8(Zuno::ZunoMSG::commandName(msg->command)) << "sended!";
}

void logRawWritten(const std::error_code& ec, std::unique_ptr<std::vector<uint8_t>>) {
    if (!ec)
        qDebug() << "Unknow pack sended!";
}

// Ends a connection on its worker: stops `io` (no further handler of it
// runs), closes the client and lets it go, then the window's share of `io`.
// Whatever a step raises is logged and the next step runs all the same.
void endOnWorker(asio::io_context* io, std::shared_ptr<asio::io_context> ownIo,
                 std::shared_ptr<ProtocolClient> ownClient) {
    Zuno::guarded("stop", [&] {
        if (!io->stopped())
            io->stop();
    });
    Zuno::guarded("close", [&] {
        if (ownClient)
            ownClient->close();
    });
    Zuno::guarded("release", [&] {
        ownClient.reset();
        ownIo.reset();
    });
}

} // namespace

MainForm::Connection MainForm::connection() const {
    std::lock_guard<std::mutex> lock(connectionMutex);
    return {ioContext, client};
}

bool MainForm::waitForConnectionEnd(std::chrono::milliseconds timeout) {
    return !ioThreads || ioThreads->waitIdle(timeout);
}

void MainForm::report(const Link& link, const std::string& block, std::size_t frameBytes) {
    // The pane's text first, then the log's: once a block is logged, the
    // window has it (or waits to take it).
    if (auto w = link->hold())
        w->postReport(block, frameBytes);
    qDebug() << fromUtf8(block);
}

void MainForm::postReport(const std::string& block, std::size_t frameBytes) {
    post(Zuno::TextMailbox::Box::Outbox, Zuno::paneBlock(block, frameBytes));
}

void MainForm::post(Zuno::TextMailbox::Box box, std::string text) {
    if (QThread::currentThread() == thread()) {
        const QString t = fromUtf8(text);
        if (box == Zuno::TextMailbox::Box::Inbox)
            Zuno::putIntoPane(ui->teIn, Zuno::PaneBatch::AtEnd, t);
        else
            Zuno::putIntoPane(ui->tbOut, Zuno::PaneBatch::AtStart, t);
        return;
    }
    if (mailbox.put(box, std::move(text)))
        QMetaObject::invokeMethod(this, "deliverMail", Qt::QueuedConnection);
}

void MainForm::postStatus(CLIENT_STATUS s, std::string note) {
    if (QThread::currentThread() == thread()) {
        emit signalSendButtonEnable(s);
        showConnectionState(s, note);
        return;
    }
    if (mailbox.putStatus(static_cast<int>(s), std::move(note)))
        QMetaObject::invokeMethod(this, "deliverMail", Qt::QueuedConnection);
}

void MainForm::deliverMail() {
    if (deliverLetters(kSlice))
        QMetaObject::invokeMethod(this, "deliverMail", Qt::QueuedConnection);
}

void MainForm::deliverAllMail() {
    // Everything waits within the mailbox's bounds, which are those of the
    // panes: one insertion each that the window lays out quickly.
    deliverLetters({SIZE_MAX, SIZE_MAX});
}

bool MainForm::deliverLetters(Zuno::TextMailbox::Slice slice) {
    // Each pane's texts of a run go in at once: one insertion, before which
    // the pane's rule applies once, as before a text of its own. The texts
    // before a status go in first, so texts and statuses keep their order.
    std::deque<Zuno::TextMailbox::Letter> letters;
    const bool more = mailbox.take(slice, letters);
    for (const Zuno::MailRun& run : Zuno::joinSlice(std::move(letters))) {
        if (!run.inbox.isEmpty())
            Zuno::putIntoPane(ui->teIn, Zuno::PaneBatch::AtEnd, run.inbox);
        if (!run.outbox.isEmpty())
            Zuno::putIntoPane(ui->tbOut, Zuno::PaneBatch::AtStart, run.outbox);
        if (run.endsInStatus)
            applyWorkerStatus(static_cast<CLIENT_STATUS>(run.status), run.note);
    }
    return more;
}

void MainForm::applyWorkerStatus(CLIENT_STATUS s, const std::string& note) {
    if (!Zuno::movesForward(status.load(), s))
        return;
    emit signalSendButtonEnable(s);
    showConnectionState(s, note);
}

void MainForm::showConnectionState(CLIENT_STATUS s, const std::string& note) {
    const std::string text = note.empty() ? Zuno::connectionStateText(s, ip, port) : note;
    if (!text.empty())
        setConnectionText(fromUtf8(text));
    // A connection that ended takes its frames not sent with it.
    if (s == CLIENT_DISCONNECTED)
        showUnsent();
}

void MainForm::requestUnsentNote() {
    if (!unsentNoteAsked.exchange(true))
        QMetaObject::invokeMethod(this, [this] { showUnsent(); }, Qt::QueuedConnection);
}

void MainForm::showUnsent() {
    unsentNoteAsked = false;
    const Connection conn = connection();
    const std::size_t n = conn.client ? conn.client->unsent() : 0;
    showNote(lbSendState, n == 0 ? QString() : tr("平台未读取, %1 帧未发送").arg(n));
}

// ---- Connect and Disconnect (GUI thread) ----

void MainForm::on_btnConnect_clicked() {
    saveConfig();
    const CLIENT_STATUS s = status.load();
    if (s == CLIENT_DISCONNECTED && flowLoginFailure) {
        // Connecting would send no login and wait for nothing.
        // Said at the click: the status bar may have said it since the
        // flow loaded, and would show no answer.
        const QString problem = fromUtf8(loginProblem());
        qDebug() << "not connected:" << problem;
        statusBar()->showMessage(problem);
        Zuno::MessageBoxes::warning(this, tr("错误"), tr("无法连接: ") + problem, QMessageBox::Yes);
    } else if (s == CLIENT_DISCONNECTED) {
        // What the last connection left waiting goes in now, above the new
        // connection's first state, never under it.
        deliverAllMail();
        singalReceiveButtonEnable(CLIENT_CONNECTING);
        try {
            start();
        } catch (const std::exception& e) {
            // No thread runs yet (its creation is the last step), so nothing
            // else holds the connection: drop it and be usable again.
            qDebug() << "start" << fromUtf8(e.what());
            {
                std::lock_guard<std::mutex> lock(connectionMutex);
                client.reset();
                ioContext.reset();
            }
            singalReceiveButtonEnable(CLIENT_DISCONNECTED);
            showConnectionState(CLIENT_DISCONNECTED,
                                Zuno::connectionEndText({Zuno::ConnectionEnd::ConnectFailed, e.what(), {}}));
        }
    } else if (Zuno::connectEnds(s)) {
        singalReceiveButtonEnable(CLIENT_DISCONNECTING);
        stop();
    }
    singalReceiveButtonEnable(status.load());
    if (status.load() != CLIENT_DISCONNECTED)
        showConnectionState(status.load());
}

void MainForm::start() {
    std::shared_ptr<asio::io_context> io;
    {
        std::lock_guard<std::mutex> lock(connectionMutex);
        if (!ioContext)
            ioContext = std::make_shared<asio::io_context>();
        io = ioContext;
    }

    auto c = std::make_shared<ProtocolClient>(*io, 4, duration);
    ProtocolClient* cp = c.get();
    c->login_timeout = loginTimeout;
    if (writeBound > 0)
        c->write_bound = writeBound;
    c->send_buffer_bytes = sendBuffer;
    const Link l = link;
    c->on_unsent = [l] {
        if (auto w = l->hold())
            w->requestUnsentNote();
    };
    c->on_connected = [l, cp](bool connected) { onConnected(l, cp, connected); };
    c->on_logged_in = [l] { onLoggedIn(l); };
    c->on_closed = [l, cp] { onClosed(l, cp); };
    c->on_tick = [l, cp] { onTick(l, cp); };
    c->on_packet = [l](const std::error_code& e, const MoPack& pack, std::unique_ptr<Zuno::ZunoMSG> msg) {
        onPacket(l, e, pack, std::move(msg));
    };
    // The lookup is asked for on the worker and answered there; a name server
    // that never answers holds neither the window nor 断开, whose clean-up
    // stops the connection's loop and so drops the answer.
    asio::post(*io, [l, cp, p = io.get(), resolve = resolver, host = ip, port = port] {
        resolve(*p, host, std::to_string(port),
                [l, cp, p, host, port](const std::error_code& ec,
                                       const asio::ip::tcp::resolver::results_type& endpoints) {
                    if (!ec) {
                        cp->do_connect(endpoints);
                        return;
                    }
                    // No connection was tried: the attempt ends here.
                    qDebug() << "resolve" << fromUtf8(host) << port << fromUtf8(ec.message());
                    cleanup(l, p, Zuno::connectionEndText(
                                      {Zuno::ConnectionEnd::Unresolved, host + " (" + ec.message() + ")", {}}));
                });
    });
    {
        std::lock_guard<std::mutex> lock(connectionMutex);
        client = std::move(c);
    }
    if (!ioThreads)
        ioThreads = std::make_shared<Zuno::IoThreads>();
    Zuno::IoThreads::start(ioThreads, std::move(io));
}

void MainForm::stop() {
    if (status.load() == CLIENT_DISCONNECTED)
        return;
    const std::shared_ptr<asio::io_context> io = connection().io;
    if (io)
        asio::post(*io, [l = link, p = io.get()] { cleanup(l, p); });
}

void MainForm::endConnection() {
    Connection own;
    {
        std::lock_guard<std::mutex> lock(connectionMutex);
        own.io.swap(ioContext);
        own.client.swap(client);
    }
    if (!own.io)
        return;
    // The worker ends what is left, with no window: the client goes with
    // this step, or with the io_context when that has stopped first. (The
    // step holds no share of the io_context, which would then never go.)
    asio::post(*own.io, [p = own.io.get(), c = std::move(own.client)]() mutable {
        endOnWorker(p, nullptr, std::move(c));
    });
}

// ---- worker thread ----

void MainForm::cleanup(const Link& link, asio::io_context* io, std::string endNote) {
    Connection own;
    if (auto w = link->hold()) {
        // Only the connection this clean-up was posted for is taken down.
        std::lock_guard<std::mutex> lock(w->connectionMutex);
        if (w->ioContext.get() == io) {
            own.io.swap(w->ioContext);
            own.client.swap(w->client);
        }
    }
    endOnWorker(io, std::move(own.io), std::move(own.client));
    if (endNote.empty())
        endNote = Zuno::connectionEndText(Zuno::ConnectionEnd{});
    if (auto w = link->hold())
        w->postStatus(CLIENT_DISCONNECTED, std::move(endNote));
}

void MainForm::onConnected(const Link& link, ProtocolClient* c, bool connected) {
    if (!connected)
        return;
    qDebug() << now() << "Client is connected!";
    Zuno::Outgoing out;
    {
        auto w = link->hold();
        if (!w)
            return;
        w->postStatus(CLIENT_CONNECTED);
        std::shared_ptr<Zuno::ZunoMSG> login;
        {
            std::lock_guard<std::mutex> lock(w->sendTasksMutex);
            login = Zuno::loginMessage(w->sendTasks);
        }
        if (!login)
            return;
        out = Zuno::prepareSending(*login, w->seq);
    }
    if (out.ok()) {
        const auto written = [link](const std::error_code&, std::unique_ptr<Zuno::ZunoMSG>) {
            qDebug() << now() << "Client is loginning!";
            if (auto w = link->hold())
                w->postStatus(CLIENT_LOGGING_IN);
        };
        c->send(WriteItem(std::move(out.message), written, std::move(out.frame)));
    } else {
        // Nothing goes out; the login timer ends the connection.
        report(link, out.block, out.frame.size());
    }
    c->start_login_timer();
    // Offered, not yet written: the bar says so until the write is done.
    if (auto w = link->hold())
        w->postStatus(CLIENT_LOGGING_IN, Zuno::loginOfferedText());
}

void MainForm::onLoggedIn(const Link& link) {
    qDebug() << now() << "Client is logined!";
    if (auto w = link->hold())
        w->postStatus(CLIENT_LOGGED_IN);
}

void MainForm::onClosed(const Link& link, ProtocolClient* c) {
    qDebug() << now() << "Client is disconnected!";
    std::shared_ptr<asio::io_context> io;
    if (auto w = link->hold())
        io = w->connection().io;
    if (io)
        asio::post(*io, [link, p = io.get(), note = Zuno::connectionEndText(c->end_reason())]() mutable {
            cleanup(link, p, std::move(note));
        });
}

void MainForm::onPacket(const Link& link, const std::error_code& ec, const MoPack& pack,
                        std::unique_ptr<Zuno::ZunoMSG> msg) {
    if (ec && !msg)
        return;
    // A login reply has logged in by now, once (onLoggedIn); here it is
    // reported as every frame is.
    const std::vector<uint8_t>& frame = *pack.data;
    std::string block;
    if (ec) {
        // A frame of a known class that does not decode: its error in place
        // of a dump of fields it never filled.
        const Zuno::ZunoException error(ec.value(), Zuno::ZunoException::messageOf(ec.value()));
        block = Zuno::reportBlock("<< ", frame, nullptr) + error.toString() + "\n";
    } else {
        block = Zuno::reportBlock("<< ", frame, msg.get());
    }
    report(link, block, frame.size());
}

void MainForm::onTick(const Link& link, ProtocolClient* c) {
    // Taken from the flow inside the hold, logged and offered after it.
    std::vector<Zuno::Outgoing> due;
    const bool open = c->is_open();
    {
        auto w = link->hold();
        if (!w || w->status.load() != CLIENT_LOGGED_IN || !w->autoSend)
            return;
        std::lock_guard<std::mutex> lock(w->sendTasksMutex);
        Zuno::runFlowTick(w->sendTasks, w->flowClock, [&](SendTask& task) {
            Zuno::Outgoing out = Zuno::prepareSending(*task.message, w->seq);
            if (out.ok())
                w->post(Zuno::TextMailbox::Box::Inbox, out.hex + "\n");
            w->postReport(out.block, out.frame.size());
            // One that does not encode is reported once per interval, never sent.
            const bool restart = !out.ok() || open;
            due.push_back(std::move(out));
            return restart;
        });
    }
    for (Zuno::Outgoing& out : due) {
        qDebug() << fromUtf8(out.block);
        if (out.ok() && open)
            c->send(WriteItem(std::move(out.message), &logWritten, std::move(out.frame)));
    }
}

// ---- command replies (GUI thread) ----

void MainForm::signalReceiveCmd(const std::string& cmd, const std::string& json) {
    const uint8_t protocol = protocolNumber(cmd);
    const BuildOutcome built = buildMessageExplained(protocol, json);
    if (protocol == Zuno::kNoKeyword)
        return;
    if (!built.message) {
        qDebug() << fromUtf8(cmd) << "build error!";
        showReplyNotBuilt(cmd, built.error);
        return;
    }
    Zuno::Outgoing out = Zuno::prepareSending(*built.message, seq);
    if (!out.ok()) {
        report(link, out.block, out.frame.size());
        showReplyNotBuilt(cmd, "编码失败, 错误码 " + std::to_string(out.result));
        return;
    }
    // A reply built now: an earlier one's failure no longer stands.
    if (statusBar()->currentMessage().startsWith(replyNotBuiltPrefix()))
        statusBar()->clearMessage();
    post(Zuno::TextMailbox::Box::Inbox, out.hex + "\n");
    if (status.load() != CLIENT_LOGGED_IN)
        return;
    report(link, out.block, out.frame.size());
    const Connection conn = connection();
    if (conn.client && conn.client->is_open())
        conn.client->send(WriteItem(std::move(out.message), &logWritten, std::move(out.frame)));
}

QString MainForm::replyNotBuiltPrefix() const { return tr("指令回复未生成"); }

void MainForm::showReplyNotBuilt(const std::string& cmd, const std::string& why) {
    statusBar()->showMessage(replyNotBuiltPrefix() + " (" + fromUtf8(cmd) + "): " + fromUtf8(why));
}

// ---- packet analyser (GUI thread) ----

namespace {

QStringList documentLines(const QTextDocument* doc) {
    QStringList lines;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines << b.text();
    return lines;
}

} // namespace

void MainForm::showPress(const Zuno::PressBlocks& press) {
    for (const std::string& block : press.cut)
        qDebug() << fromUtf8(block);
    Zuno::putIntoPane(ui->tbOut, Zuno::PaneBatch::AtStart, Zuno::pressText(press.shown));
}

void MainForm::on_btnParse_clicked() {
    showPress(Zuno::parsePress(Zuno::prepareLines(documentLines(ui->teIn->document()))));
}

void MainForm::on_btnSend_clicked() {
    saveConfig();
    if (status.load() != CLIENT_LOGGED_IN) {
        Zuno::MessageBoxes::warning(this, tr("错误"), tr("尚未连接到服务器, 请点击[连接]按钮"), QMessageBox::Yes);
        return;
    }
    const std::vector<std::string> lines = Zuno::prepareLines(documentLines(ui->teIn->document()));
    Zuno::PressBlocks press;
    press.shown.reserve(lines.size());
    const Connection conn = connection();
    const bool open = conn.client && conn.client->is_open();
    for (const std::string& line : lines) {
        Zuno::TypedSending s = Zuno::prepareTypedSending(line);
        press.add(line, std::move(s.block));
        if (!s.message && !s.raw)
            continue;
        if (!open) {
            qDebug() << "Client is closed";
            continue;
        }
        if (s.message) {
            conn.client->send(WriteItem(std::move(s.message), &logWritten, std::move(s.frame)));
        } else {
            RawWriteItem item;
            item.data = std::move(s.raw);
            item.done = &logRawWritten;
            conn.client->send(std::move(item));
        }
    }
    showPress(press);
}
