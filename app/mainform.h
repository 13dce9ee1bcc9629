#pragma once
// The program's main window: the traffic panes, the connection panel, the
// tool tab and the tool bar of settings actions.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include <QList>
#include <QMainWindow>
#include <QString>

#include "app/revocable.h"
#include "app/traffic_pane.h"
#include "connection/client_status.h"
#include "config/config_catalogue.h"
#include "connection/flow_tick.h"
#include "connection/resolver.h"
#include "connection/send_flow.h"
#include "connection/text_mailbox.h"
#include "protocol/message.h"

namespace Zuno {
class IoThreads;
}
class ProtocolClient;
struct MoPack;

QT_BEGIN_NAMESPACE
class QLabel;
class Ui_MainForm;
QT_END_NAMESPACE
class ElidedLabel;

class MainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // Registers CLIENT_STATUS and ProtocolDataModel, the types that travel
    // through queued signals. Safe to call more than once.
    static void registerSignalTypes();

    CLIENT_STATUS currentStatus() const { return status.load(); }
    // A copy of the loaded send flow, in flow order.
    std::list<SendTask> sendFlow() const;
    // Index into `protocols` of the flow selected in the panel, or -1 when the
    // panel selects none of them.
    int selectedFlow() const;
    // Takes the settings from the panel and writes conf/conf.json; false when
    // the file could not be written, which the status bar then says until a
    // later save succeeds.
    bool saveConfig();

    // Test seams; the program keeps the defaults (60 s, the steady clock).
    void setLoginTimeout(std::chrono::milliseconds timeout) { loginTimeout = timeout; }
    void setFlowClock(Zuno::FlowClock clock) { flowClock = std::move(clock); }
    // How Connect looks up the platform's address; the system's resolver by
    // default, one lookup at a time for this window.
    void setResolver(Zuno::Resolver resolve) { resolver = std::move(resolve); }
    // What may wait to be written on a connection (bytes) and its socket's
    // send buffer (bytes, 0: the system's); 0, 0 keeps the client's defaults.
    void setWriteLimits(std::size_t waitingBytes, int socketSendBuffer) {
        writeBound = waitingBytes;
        sendBuffer = socketSendBuffer;
    }
    // Waits until every connection's worker thread has ended; false after `timeout`.
    bool waitForConnectionEnd(std::chrono::milliseconds timeout);

protected:
    void closeEvent(QCloseEvent* event) override;
    // The status bar's resizes share its room among its message and the notes.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void signalSendButtonEnable(CLIENT_STATUS status);
    void singalSendInboxMessage(const QString& text);
    void singalSendoutboxMessage(const QString& text);

private slots:
    void on_actionAbout_triggered();
    void on_btnBinConvert_clicked();
    void on_btnCalc_clicked();
    void on_btnNotepad_clicked();
    void on_btnCRC_clicked();
    void on_btnMD5_clicked();
    void on_btnToAscii_clicked();
    void on_btnDistance_clicked();
    void on_btnAsciiTo_clicked();
    void on_btnToUtf8_clicked();
    void on_btnUtf8To_clicked();
    void on_btnToUtf16BE_clicked();
    void on_btnUtf16BETo_clicked();
    void on_btnToUtf16LE_clicked();
    void on_btnUtf16LETo_clicked();
    void on_actionClearAll_triggered();
    void on_actionClearLog_triggered();
    void on_actionProtocol_triggered();
    void on_actionLogic_triggered();
    void on_btnParse_clicked();
    void on_btnConnect_clicked();
    void on_btnSend_clicked();
    void on_cbAuto_stateChanged(int state);

public slots:
    // Stores the status the window shows, the only writer of `status`, and
    // sets the connection controls for it.
    void singalReceiveButtonEnable(CLIENT_STATUS status);
    void singalReceiveInboxMessage(const QString& text);
    void singalReceiveOutboxMessage(const QString& text);
    void signalReceiveConfigChange(const ProtocolDataModel& model);
    void signalReceiveCmd(const std::string& cmd, const std::string& json);

private slots:
    void on_actionCommand_triggered();

private:
    void loadConfig();
    // Lists the flows of conf/prop/ in the panel and selects `protocolIndex`
    // (the first when it names none).
    void listFlows();
    void loadLogic();
    std::list<SendTask> loadSelectedFlow();
    // Replaces the send flow by the flow selected in the panel, loaded anew.
    void reloadFlow();
    uint8_t protocolNumber(const std::string& cmd) const { return Zuno::protocolNumber(cmd); }
    // The one place that sets the connection controls: as Zuno::controlsFor
    // gives them for `s` and the check box "自动".
    void showControls(CLIENT_STATUS s);
    // ---- connection (mainform_connection.cpp)
    // How the worker's handlers reach the window: only through a hold of it,
    // which the window's end revokes.
    using Link = std::shared_ptr<Zuno::Revocable<MainForm>>;
    // Begins a connection: client, callbacks, worker thread; then, asked on
    // the worker, the lookup of the address, and the connect.
    void start();
    // Asks the connection to end; the clean-up reports CLIENT_DISCONNECTED.
    void stop();
    // The window's end: what is left of the connection ends on its worker,
    // which owns it from now on.
    void endConnection();
    // The handlers of the worker thread. The clean-up ends the connection of
    // `io`; `endNote` says why (empty: the window ended it).
    static void cleanup(const Link& link, asio::io_context* io, std::string endNote = std::string());
    static void onConnected(const Link& link, ProtocolClient* c, bool connected);
    // The client has taken a login reply as logging it in (once per connection).
    static void onLoggedIn(const Link& link);
    static void onClosed(const Link& link, ProtocolClient* c);
    static void onPacket(const Link& link, const std::error_code& ec, const MoPack& pack,
                         std::unique_ptr<Zuno::ZunoMSG> msg);
    static void onTick(const Link& link, ProtocolClient* c);
    // A command reply that is not sent: the status bar says which and why.
    void showReplyNotBuilt(const std::string& cmd, const std::string& why);
    QString replyNotBuiltPrefix() const;
    // The connection as it stands, copied under its lock; the io_context
    // first, so that it outlives the client in the caller's hands too.
    struct Connection {
        std::shared_ptr<asio::io_context> io;
        std::shared_ptr<ProtocolClient> client;
    };
    Connection connection() const;
    // The report block of a frame of `frameBytes` bytes sent, refused or
    // received, from any thread: whole into the log, and into the report
    // pane as paneBlock() shows it (postReport).
    static void report(const Link& link, const std::string& block, std::size_t frameBytes);
    void postReport(const std::string& block, std::size_t frameBytes);
    // A text for the input box or the report pane from any thread; on the
    // worker thread it waits in `mailbox` for the GUI thread.
    void post(Zuno::TextMailbox::Box box, std::string text);
    // The blocks of one Parse or Send, in their order, above what the report
    // pane holds (emptied first when past its limits), as pressText() keeps
    // them; each block the pane shows cut goes whole into the log.
    void showPress(const Zuno::PressBlocks& press);
    // A status change from any thread; on the worker thread it waits in
    // `mailbox` too, so the status signal's value never crosses threads
    // inside Qt's event queue and keeps its order with the texts.
    // `note` (UTF-8) replaces the status bar's text for `s`.
    void postStatus(CLIENT_STATUS s, std::string note = std::string());
    // Takes one slice of the mailbox into the window and asks for the next
    // turn of the event loop while letters remain.
    Q_INVOKABLE void deliverMail();
    // Takes all that waits in the mailbox into the window at once.
    void deliverAllMail();
    // Takes `slice` of the mailbox into the window, each pane's texts in one
    // insertion (joinSlice); whether letters remain.
    bool deliverLetters(Zuno::TextMailbox::Slice slice);
    // A status the worker thread reported. It applies only when it moves the
    // connection forward (Zuno::movesForward): a letter older than what the
    // window shows, or from a connection the user is ending, changes nothing.
    void applyWorkerStatus(CLIENT_STATUS s, const std::string& note);
    // Tells in the status bar's connection part what the connection is
    // doing, or why it ended.
    void showConnectionState(CLIENT_STATUS s, const std::string& note = std::string());
    // Why Connect refuses the loaded flow (UTF-8): its login step could not
    // be built. Empty when it may connect.
    std::string loginProblem() const;
    // Whether a settings dialog may open: asks first while a connection is up.
    bool confirmStopForSettings();
    void startDesktopProgram(const QStringList& programs, const QString& missingText);
    // The status bar's notes on conf/conf.json and on the log file, beside the
    // connection state; each stays until what it says no longer holds. An
    // empty text hides the note.
    void showConfState(const QString& text);
    void showLogState(bool writing, const QString& reason);
    // The note of frames the connection did not send because the platform
    // reads nothing (its count read from the client); hidden without one.
    // Any thread may ask for it: the GUI thread shows it once per request.
    void showUnsent();
    void requestUnsentNote();
    // A note of the status bar shows `text` (elided, whole as tool tip), or
    // hides when it is empty.
    void showNote(ElidedLabel* note, const QString& text);
    // The connection part's text; the part is never narrower than it.
    void setConnectionText(const QString& text);
    // The room the connection part leaves goes first to the bar's own
    // message, whole, then to the notes that show, in equal shares at most
    // (what a note needs less goes to the others): none is squeezed to
    // nothing while another shows whole.
    void shareStatusRoom();

    Ui_MainForm* ui;
    ElidedLabel* lbConfState = nullptr;
    ElidedLabel* lbLogState = nullptr;
    ElidedLabel* lbSendState = nullptr;
    // A showUnsent() is on its way to the GUI thread.
    std::atomic<bool> unsentNoteAsked{false};
    // The connection part of the status bar, at its right end: always shows
    // the connection state whole; the notes and the bar's own messages take
    // the room left of it.
    QLabel* connState;
    int protocolIndex = 0;
    std::string ip = "127.0.0.1";
    uint32_t port = 8000;
    uint32_t duration = 1;
    std::atomic<bool> autoSend{false};
    // The connection status as the window shows it: written on the GUI thread
    // by singalReceiveButtonEnable alone, read by the tick on the worker.
    std::atomic<CLIENT_STATUS> status{CLIENT_DISCONNECTED};
    Zuno::SerialCounter seq;
    // Written by start (GUI thread) and the clean-up (worker thread); read on
    // both through connection().
    mutable std::mutex connectionMutex;
    std::shared_ptr<asio::io_context> ioContext;
    std::shared_ptr<ProtocolClient> client;
    std::shared_ptr<Zuno::IoThreads> ioThreads;
    Link link = std::make_shared<Zuno::Revocable<MainForm>>(this);
    Zuno::TextMailbox mailbox{Zuno::kWaitingBytes, Zuno::kWaitingTexts};
    std::chrono::milliseconds loginTimeout{std::chrono::seconds(60)};
    // setWriteLimits; 0: the client's own.
    std::size_t writeBound = 0;
    int sendBuffer = 0;
    Zuno::FlowClock flowClock = &Zuno::steadyNanos;
    Zuno::Resolver resolver = Zuno::systemResolver();
    QList<ProtocolDataModel> protocols;
    // Rebuilt on the GUI thread, read by the connection's tick: every access
    // holds sendTasksMutex, and a rebuild swaps the whole list in at once.
    mutable std::mutex sendTasksMutex;
    std::list<SendTask> sendTasks;
    // Why the loaded flow cannot log in (GUI thread).
    std::optional<Zuno::LoginFailure> flowLoginFailure;
};
