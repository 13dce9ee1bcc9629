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
#include "render/exception.h"
#include "ui_mainform.h"

namespace {

// One turn of the event loop takes at most this much from the mailbox (the
// texts' characters are the measure of the panes' work); the rest waits for
// the next turn, so a burst of frames never holds the window for long.
constexpr Zuno::TextMailbox::Slice kSlice{50, 5 * 1024};

QString now() { return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); }

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// `done` of every message the window queues: flow, command reply, typed frame.
void logWritten(const std::error_code& ec, std::unique_ptr<Zuno::ZunoMSG> msg) {
    if (ec || !msg)
        return;
    qDebug() << "seq:" << msg->seq << fromUtf8(Zuno::ZunoMSG::commandName(msg->command)) << "sended!";
}

void logRawWritten(const std::error_code& ec, std::unique_ptr<std::vector<uint8_t>>) {
    if (!ec)
        qDebug() << "Unknow pack sended!";
}

} // namespace

MainForm::Connection MainForm::connection() const {
    std::lock_guard<std::mutex> lock(connectionMutex);
    return {ioContext, client};
}

bool MainForm::waitForConnectionEnd(std::chrono::milliseconds timeout) {
    return !ioThreads || ioThreads->waitIdle(timeout);
}

void MainForm::report(const std::string& block, std::size_t frameBytes) {
    // The pane's text first, then the log's: once a block is logged, the
    // window has it (or waits to take it).
    post(Zuno::TextMailbox::Box::Outbox, Zuno::paneBlock(block, frameBytes));
    qDebug() << fromUtf8(block);
}

void MainForm::post(Zuno::TextMailbox::Box box, std::string text) {
    if (QThread::currentThread() == thread()) {
        const QString t = fromUtf8(text);
        if (box == Zuno::TextMailbox::Box::Inbox)
            emit singalSendInboxMessage(t);
        else
            emit singalSendoutboxMessage(t);
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
    // Each pane's texts of the slice are joined and go in through the pane's
    // signal at once: one insertion, before which the pane's rule applies
    // once, as before a text of its own. A status change puts in the texts
    // before it first, so texts and statuses keep their order. What the
    // mailbox dropped is told where it would have been.
    const auto freshIn = [] { return Zuno::PaneBatch(Zuno::PaneBatch::AtEnd, 1, 0, true, true); };
    const auto freshOut = [] { return Zuno::PaneBatch(Zuno::PaneBatch::AtStart, 1, 0, true, false); };
    Zuno::PaneBatch in = freshIn();
    Zuno::PaneBatch out = freshOut();
    const auto fill = [&] {
        if (!in.isEmpty())
            emit singalSendInboxMessage(in.text());
        if (!out.isEmpty())
            emit singalSendoutboxMessage(out.text());
        in = freshIn();
        out = freshOut();
    };
    std::deque<Zuno::TextMailbox::Letter> letters;
    const bool more = mailbox.take(slice, letters);
    for (auto& letter : letters) {
        if (letter.box == Zuno::TextMailbox::Box::Status) {
            fill();
            applyWorkerStatus(static_cast<CLIENT_STATUS>(letter.status), letter.text);
            continue;
        }
        const bool inbox = letter.box == Zuno::TextMailbox::Box::Inbox;
        // What the input box missed is said in the report pane: every line
        // of the input box is a frame to Parse and Send.
        if (letter.notShown > 0)
            out.add(inbox ? Zuno::inboxNotShownNotice(letter.notShown) : Zuno::notShownNotice(letter.notShown));
        if (!letter.text.empty())
            (inbox ? in : out).add(fromUtf8(letter.text));
    }
    fill();
    return more;
}

void MainForm::applyWorkerStatus(CLIENT_STATUS s, const std::string& note) {
    if (status.load() == CLIENT_DISCONNECTING && s != CLIENT_DISCONNECTED)
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
        status = CLIENT_CONNECTING;
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
            status = CLIENT_DISCONNECTED;
            showConnectionState(CLIENT_DISCONNECTED,
                                Zuno::connectionEndText({Zuno::ConnectionEnd::ConnectFailed, e.what(), {}}));
        }
    } else if (Zuno::connectEnds(s)) {
        status = CLIENT_DISCONNECTING;
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
    c->on_unsent = [this] { requestUnsentNote(); };
    c->on_connected = [this, cp](bool connected) { onConnected(cp, connected); };
    c->on_closed = [this, cp] { onClosed(cp); };
    c->on_tick = [this, cp] { onTick(cp); };
    c->on_packet = [this](const std::error_code& e, const MoPack& pack, std::unique_ptr<Zuno::ZunoMSG> msg) {
        onPacket(e, pack, std::move(msg));
    };
    // The lookup is asked for on the worker and answered there; a name server
    // that never answers holds neither the window nor 断开, whose clean-up
    // stops the connection's loop and so drops the answer.
    asio::post(*io, [this, cp, p = io.get(), resolve = resolver, host = ip, port = port] {
        resolve(*p, host, std::to_string(port),
                [this, cp, p, host, port](const std::error_code& ec,
                                          const asio::ip::tcp::resolver::results_type& endpoints) {
                    if (!ec) {
                        cp->do_connect(endpoints);
                        return;
                    }
                    // No connection was tried: the attempt ends here.
                    qDebug() << "resolve" << fromUtf8(host) << port << fromUtf8(ec.message());
                    cleanup(p, Zuno::connectionEndText(
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
        asio::post(*io, [this, p = io.get()] { cleanup(p); });
}

// ---- worker thread ----

void MainForm::cleanup(asio::io_context* io, std::string endNote) {
    std::shared_ptr<asio::io_context> ownIo;
    std::shared_ptr<ProtocolClient> ownClient;
    {
        // Only the connection this clean-up was posted for is taken down.
        std::lock_guard<std::mutex> lock(connectionMutex);
        if (ioContext.get() == io) {
            ownIo.swap(ioContext);
            ownClient.swap(client);
        }
    }
    // Whatever a step raises is logged and the next step runs all the same.
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
    if (endNote.empty())
        endNote = Zuno::connectionEndText(Zuno::ConnectionEnd{});
    postStatus(CLIENT_DISCONNECTED, std::move(endNote));
}

void MainForm::onConnected(ProtocolClient* c, bool connected) {
    if (!connected)
        return;
    qDebug() << now() << "Client is connected!";
    postStatus(CLIENT_CONNECTED);

    std::unique_ptr<Zuno::ZunoMSG> login;
    {
        std::lock_guard<std::mutex> lock(sendTasksMutex);
        for (const SendTask& task : sendTasks) {
            if (task.message && task.message->command == Zuno::ZunoLogin::kProtocol) {
                login = task.message->clone();
                break;
            }
        }
    }
    if (!login)
        return;
    Zuno::Outgoing out = Zuno::prepareSending(*login, seq);
    if (out.ok()) {
        WriteItem item;
        item.message = std::move(out.message);
        item.done = [this](const std::error_code&, std::unique_ptr<Zuno::ZunoMSG>) {
            qDebug() << now() << "Client is loginning!";
            postStatus(CLIENT_LOGGING_IN);
        };
        c->send(std::move(item));
    } else {
        // Nothing goes out; the login timer ends the connection.
        report(out.block, out.frame.size());
    }
    c->start_login_timer();
    postStatus(CLIENT_LOGGING_IN);
}

void MainForm::onClosed(ProtocolClient* c) {
    qDebug() << now() << "Client is disconnected!";
    const std::shared_ptr<asio::io_context> io = connection().io;
    if (io)
        asio::post(*io, [this, p = io.get(), note = Zuno::connectionEndText(c->end_reason())]() mutable {
            cleanup(p, std::move(note));
        });
}

void MainForm::onPacket(const std::error_code& ec, const MoPack& pack, std::unique_ptr<Zuno::ZunoMSG> msg) {
    if (ec && !msg)
        return;
    if (msg && msg->command == Zuno::ZunoLogin::kProtocol) {
        // The reply that logs the terminal in, even one that fails its checks
        // (its block shows why); a further one changes nothing, and neither
        // does one that comes while the user ends the connection.
        CLIENT_STATUS s = status.load();
        bool loggedIn = false;
        while (!loggedIn && s != CLIENT_LOGGED_IN && Zuno::connectEnds(s))
            loggedIn = status.compare_exchange_weak(s, CLIENT_LOGGED_IN);
        if (loggedIn) {
            qDebug() << now() << "Client is logined!";
            postStatus(CLIENT_LOGGED_IN);
        }
    }
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
    report(block, frame.size());
}

void MainForm::onTick(ProtocolClient* c) {
    if (status.load() != CLIENT_LOGGED_IN || !autoSend)
        return;
    std::lock_guard<std::mutex> lock(sendTasksMutex);
    Zuno::runFlowTick(sendTasks, flowClock, [this, c](SendTask& task) {
        Zuno::Outgoing out = Zuno::prepareSending(*task.message, seq);
        if (!out.ok()) {
            // Reported once per interval, never sent.
            report(out.block, out.frame.size());
            return true;
        }
        post(Zuno::TextMailbox::Box::Inbox, out.hex + "\n");
        report(out.block, out.frame.size());
        if (!c->is_open())
            return false;
        WriteItem item;
        item.message = std::move(out.message);
        item.done = &logWritten;
        c->send(std::move(item));
        return true;
    });
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
        report(out.block, out.frame.size());
        showReplyNotBuilt(cmd, "编码失败, 错误码 " + std::to_string(out.result));
        return;
    }
    // A reply built now: an earlier one's failure no longer stands.
    if (statusBar()->currentMessage().startsWith(replyNotBuiltPrefix()))
        statusBar()->clearMessage();
    post(Zuno::TextMailbox::Box::Inbox, out.hex + "\n");
    if (status.load() != CLIENT_LOGGED_IN)
        return;
    report(out.block, out.frame.size());
    const Connection conn = connection();
    if (conn.client && conn.client->is_open()) {
        WriteItem item;
        item.message = std::move(out.message);
        item.done = &logWritten;
        conn.client->send(std::move(item));
    }
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
    Zuno::PaneBatch batch = outboxBatch();
    batch.add(Zuno::pressText(press.shown));
    Zuno::fillPane(ui->tbOut, batch);
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
            WriteItem item;
            item.message = std::move(s.message);
            item.done = &logWritten;
            conn.client->send(std::move(item));
        } else {
            RawWriteItem item;
            item.data = std::move(s.raw);
            item.done = &logRawWritten;
            conn.client->send(std::move(item));
        }
    }
    showPress(press);
}
