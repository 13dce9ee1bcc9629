#include "app/mainform.h"

#include <algorithm>

#include <QCloseEvent>
#include <QDebug>
#include <QLabel>
#include <QLayout>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStringListModel>

#include "app/desktop_programs.h"
#include "app/message_boxes.h"
#include "app/message_log.h"
#include "app/traffic_pane.h"
#include "builders/message_builder.h"
#include "config/base_folder.h"
#include "config/settings.h"
#include "dialogs/data_setting_form.h"
#include "dialogs/task_setting_form.h"
#include "tools/about_form.h"
#include "tools/bin_form.h"
#include "tools/calc_form.h"
#include "tools/charset_form.h"
#include "ui_mainform.h"
#include "widgets/drawn_name.h"
#include "widgets/elided_label.h"
#include "widgets/fit_size.h"

namespace {

// The address box shows a host name this long whole (of letters as wide
// as "n", most of them).
constexpr int kHostNameChars = 30;

// How long closing the window waits for a connection's worker thread to end.
constexpr std::chrono::milliseconds kShutdownWait{5000};

} // namespace

void MainForm::registerSignalTypes() {
    qRegisterMetaType<CLIENT_STATUS>("CLIENT_STATUS");
    qRegisterMetaType<ProtocolDataModel>("ProtocolDataModel");
}

MainForm::MainForm(QWidget* parent) : QMainWindow(parent), ui(new Ui_MainForm) {
    registerSignalTypes();
    ui->setupUi(this);
    setWindowTitle(tr("Zuno终端协议模拟器") + " V" + ZUNO_VERSION);

    // The connection state at the right end, always whole; the notes on
    // frames not sent, conf.json and the log left of it, in the room that is
    // left (elided in the middle, whole as tool tip); the bar's own messages
    // to their left.
    const auto addNote = [this](const char* name) {
        auto* note = new ElidedLabel(statusBar());
        note->setObjectName(QLatin1String(name));
        statusBar()->addPermanentWidget(note);
        note->hide();
        return note;
    };
    lbSendState = addNote("lbSendState");
    lbConfState = addNote("lbConfState");
    lbLogState = addNote("lbLogState");
    connState = new QLabel(statusBar());
    connState->setObjectName(QStringLiteral("lbConnState"));
    statusBar()->addPermanentWidget(connState);
    setConnectionText(tr(Zuno::notConnectedText().c_str()));
    statusBar()->installEventFilter(this);
    // While the bar shows a message of its own, the notes give way to it.
    connect(statusBar(), &QStatusBar::messageChanged, this, &MainForm::shareStatusRoom);
    // The log handler runs on any thread: the news crosses to this one queued.
    Zuno::addLogStateListener(this, [this](bool writing, const QString& reason) {
        QMetaObject::invokeMethod(this, [this, writing, reason] { showLogState(writing, reason); },
                                  Qt::QueuedConnection);
    });
    QString logProblem;
    if (!Zuno::logWriting(&logProblem))
        showLogState(false, logProblem);

    loadConfig();

    connect(this, &MainForm::signalSendButtonEnable, this, &MainForm::singalReceiveButtonEnable);
    connect(this, &MainForm::singalSendInboxMessage, this, &MainForm::singalReceiveInboxMessage);
    connect(this, &MainForm::singalSendoutboxMessage, this, &MainForm::singalReceiveOutboxMessage);

    loadLogic();
    singalReceiveButtonEnable(status.load());
    // Connect runs the flow the panel shows: another choice loads at once.
    connect(ui->cbProtocol, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &MainForm::reloadFlow);
    // The box shows the tool tip of the flow it shows.
    const auto showFlowTip = [this](int index) {
        ui->cbProtocol->setToolTip(ui->cbProtocol->itemData(index, Qt::ToolTipRole).toString());
    };
    connect(ui->cbProtocol, QOverload<int>::of(&QComboBox::currentIndexChanged), this, showFlowTip);
    showFlowTip(ui->cbProtocol->currentIndex());

    fitsize::widenFor(ui->edtIp, QString(kHostNameChars, QLatin1Char('n')));
    fitsize::fitToFont(this);
}

MainForm::~MainForm() {
    Zuno::removeLogStateListener(this);
    // From here on no handler of a connection reaches the window (the one in
    // a hold ends first); what is left of the connection ends on its worker.
    link->revoke();
    endConnection();
    delete ui;
}

std::list<SendTask> MainForm::sendFlow() const {
    std::lock_guard<std::mutex> lock(sendTasksMutex);
    return sendTasks;
}

int MainForm::selectedFlow() const {
    const int index = ui->cbProtocol->currentIndex();
    return index >= 0 && index < protocols.size() ? index : -1;
}

// ---- settings and send flow ----

void MainForm::loadConfig() {
    // The box holds every port the settings reader takes, and no other.
    ui->edtPort->setRange(static_cast<int>(Zuno::kPortMin), static_cast<int>(Zuno::kPortMax));
    const QString path = Zuno::basePath(Zuno::kSettingsFile);
    Zuno::ConnectionSettings settings;
    settings.ip = ip;
    settings.port = port;
    settings.duration = duration;
    settings.protocolIndex = protocolIndex;
    QStringList replaced;
    const Zuno::ConfigResult read = Zuno::readSettings(path, settings, &replaced);
    switch (read.status) {
    case Zuno::ConfigStatus::Missing:
        // No flow list: the form's two placeholder items are no flows either.
        ui->cbProtocol->setModel(new QStringListModel(ui->cbProtocol));
        Zuno::MessageBoxes::warning(this, tr("错误"), tr("配置文件已损坏, 请重新安装程序!"),
                                    QMessageBox::Yes);
        return;
    case Zuno::ConfigStatus::Unreadable:
    case Zuno::ConfigStatus::Empty:
    case Zuno::ConfigStatus::NotJson:
    case Zuno::ConfigStatus::NotWritten: // (a read writes nothing)
        // The panel keeps its own values; the flows are listed as at any
        // start, the first one selected.
        qDebug() << path << "not read:" << read.reason;
        showConfState(Zuno::configPathForMessage(path) + tr(" 无法读取 (") + read.reason + tr("), 已使用默认设置"));
        protocolIndex = 0;
        listFlows();
        return;
    case Zuno::ConfigStatus::Ok:
        break;
    }
    // A member that cannot be used as written is named with the value used
    // instead, which the next save writes; text after the file's object is
    // named too (no save will then write the file).
    if (!replaced.isEmpty())
        showConfState(Zuno::configPathForMessage(path) + ": " + replaced.join("; "));
    ip = settings.ip;
    port = settings.port;
    duration = settings.duration;
    protocolIndex = settings.protocolIndex;

    listFlows();
    ui->edtIp->setText(QString::fromStdString(ip));
    // Always within the box's 1 to 65535: the reader has brought a port
    // outside it to the nearer end, and named it above.
    ui->edtPort->setValue(static_cast<int>(port));
    ui->teIn->setAcceptRichText(false);
}

void MainForm::listFlows() {
    protocols = scanConfigDir(Zuno::basePath(Zuno::kFlowFolder));
    Zuno::sortFlows(protocols);
    // A name is drawn cut past a few hundred characters, whole (as far as a
    // screen holds) in its tool tip; `protocols` keeps it whole.
    auto* names = new QStandardItemModel(ui->cbProtocol);
    for (const ProtocolDataModel& flow : protocols) {
        auto* item = new QStandardItem(drawn::name(flow.cmd));
        item->setToolTip(drawn::nameTip(flow.cmd));
        names->appendRow(item);
    }
    ui->cbProtocol->setModel(names);
    if (!protocols.isEmpty() && protocolIndex >= 0 && protocolIndex < protocols.size())
        ui->cbProtocol->setCurrentIndex(protocolIndex);
    else
        protocolIndex = 0;
}

bool MainForm::saveConfig() {
    ip = ui->edtIp->text().toStdString();
    port = static_cast<uint32_t>(ui->edtPort->value());
    protocolIndex = ui->cbProtocol->currentIndex();

    Zuno::ConnectionSettings settings;
    settings.ip = ip;
    settings.port = port;
    settings.duration = duration;
    settings.protocolIndex = protocolIndex;
    const QString path = Zuno::basePath(Zuno::kSettingsFile);
    const Zuno::ConfigResult saved = Zuno::writeSettings(path, settings);
    if (saved.ok()) {
        showConfState(QString());
        return true;
    }
    qDebug() << path << "not saved:" << saved.reason;
    const QString file = Zuno::configPathForMessage(path);
    // Refused on the way, or because the save would drop what follows the
    // file's object: the file is as it was.
    if (saved.status == Zuno::ConfigStatus::NotWritten)
        showConfState(file + tr(" 保存失败 (") + saved.reason + ")");
    else // a file there that could not be read is not written over
        showConfState(file + tr(" 无法读取 (") + saved.reason + tr("), 保持原样未保存"));
    return false;
}

std::list<SendTask> MainForm::loadSelectedFlow() {
    const int index = selectedFlow();
    if (index < 0) {
        qDebug() << "no protocol flow selected, no send flow loaded";
        return {};
    }
    Zuno::FlowLoad load = Zuno::loadSendFlow(protocols.at(index).absoluteFilePath,
                                             Zuno::basePath(Zuno::kModelFolder), &buildMessageExplained);
    if (load.status == Zuno::ConfigStatus::NotJson)
        statusBar()->showMessage(tr("待发送协议的流程逻辑文件未设置!"));
    // A login that cannot be built is told now, not first at Connect.
    const QString before = QString::fromStdString(loginProblem());
    flowLoginFailure = load.loginFailure;
    const QString problem = QString::fromStdString(loginProblem());
    if (!problem.isEmpty()) {
        qDebug() << problem;
        statusBar()->showMessage(problem);
    } else if (!before.isEmpty() && statusBar()->currentMessage() == before) {
        statusBar()->clearMessage();
    }
    return std::move(load.tasks);
}

void MainForm::loadLogic() {
    std::list<SendTask> loaded = loadSelectedFlow();
    std::lock_guard<std::mutex> lock(sendTasksMutex);
    sendTasks.splice(sendTasks.end(), loaded);
}

std::string MainForm::loginProblem() const {
    if (!flowLoginFailure)
        return std::string();
    std::string text = tr("流程中的登录包无法生成").toStdString();
    if (!flowLoginFailure->modelFile.isEmpty())
        text += " (" + flowLoginFailure->modelFile.toStdString() + ")";
    return text + ": " + flowLoginFailure->reason;
}

void MainForm::signalReceiveConfigChange(const ProtocolDataModel& model) {
    qDebug() << "signalReceiveConfig " << model.absoluteFilePath;
    reloadFlow();
}

void MainForm::reloadFlow() {
    std::list<SendTask> loaded = loadSelectedFlow();
    std::list<SendTask> old;
    {
        std::lock_guard<std::mutex> lock(sendTasksMutex);
        old.swap(sendTasks);
        sendTasks.swap(loaded);
    }
    // The old entries release their messages here, outside the lock.
}

// ---- connection controls ----

void MainForm::singalReceiveButtonEnable(CLIENT_STATUS value) {
    status.store(value);
    showControls(value);
}

void MainForm::showControls(CLIENT_STATUS s) {
    const Zuno::ControlStates c = Zuno::controlsFor(s, ui->cbAuto->isChecked());
    ui->btnParse->setEnabled(c.parse);
    ui->btnConnect->setEnabled(c.connect);
    if (c.connectText)
        ui->btnConnect->setText(tr(c.connectText));
    ui->cbAuto->setEnabled(c.autoSend);
    ui->btnSend->setEnabled(c.send);
}

void MainForm::on_cbAuto_stateChanged(int state) {
    autoSend = state == Qt::Checked;
    showControls(status.load());
}

// ---- report panes ----

void MainForm::singalReceiveInboxMessage(const QString& text) {
    // A frame is appended as a line of its own: text typed or shown before it
    // may not end with a line feed, and the two would join into one line that
    // Parse and Send then take for one frame.
    Zuno::putIntoPane(ui->teIn, Zuno::PaneBatch::AtEnd, text);
}

void MainForm::singalReceiveOutboxMessage(const QString& text) {
    Zuno::putIntoPane(ui->tbOut, Zuno::PaneBatch::AtStart, text);
}

void MainForm::on_actionClearAll_triggered() {
    ui->teIn->setPlainText(QString());
    ui->tbOut->setPlainText(QString());
}

void MainForm::on_actionClearLog_triggered() {
    const QString folder = Zuno::basePath(Zuno::kLogFolder);
    if (Zuno::dirExists(folder))
        Zuno::clearFolderContents(folder);
    statusBar()->showMessage(folder + tr("目录下日志清理完成!"));
}

// ---- window ----

void MainForm::closeEvent(QCloseEvent* event) {
    // The connection ends first; the answer decides only whether the window
    // goes too. After No it stays open, disconnected.
    stop();
    const auto answer = Zuno::MessageBoxes::question(
        this, tr("警告"), tr("您确定要退出本程序,并已做好所有保存操作?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        waitForConnectionEnd(kShutdownWait);
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainForm::confirmStopForSettings() {
    const CLIENT_STATUS s = status.load();
    if (s == CLIENT_CONNECTING || s == CLIENT_DISCONNECTED)
        return true;
    const auto answer = Zuno::MessageBoxes::question(
        this, tr("警告"), tr("服务器连接时不可进行配置, 您确定要停止连接?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    stop();
    return true;
}

namespace {

// What the model editor says of a saved model the builders refuse.
std::string buildProblem(const std::string& cmd, const std::string& modelText) {
    return buildMessageExplained(Zuno::protocolNumber(cmd), modelText).error;
}

} // namespace

void MainForm::showConfState(const QString& text) {
    showNote(lbConfState, text);
}

void MainForm::showLogState(bool writing, const QString& reason) {
    const QString text = writing ? QString() : tr("日志无法写入 (") + reason + tr("), 仅输出到标准输出");
    showNote(lbLogState, text);
    if (!writing)
        lbLogState->setToolTip(text + "\n" + Zuno::logFilePath());
}

void MainForm::showNote(ElidedLabel* note, const QString& text) {
    note->setFullText(text);
    note->setVisible(!text.isEmpty());
    shareStatusRoom();
}

void MainForm::setConnectionText(const QString& text) {
    // Never narrower than its text: the notes beside it and the bar's message
    // give way instead. A label's size hint is at least its minimum width, so
    // the old minimum goes first: a shorter text gives its room back.
    connState->setMinimumWidth(0);
    connState->setText(text);
    connState->setMinimumWidth(connState->sizeHint().width());
    shareStatusRoom();
}

namespace {

// The bar draws its message from this far in from its left edge ...
constexpr int kMessageLeft = 6;
// ... to this far before the first permanent widget that shows.
constexpr int kMessageGap = 2;

// The row of the status bar's layout that holds `w`.
QLayout* rowHolding(QLayout* layout, QWidget* w) {
    if (layout->indexOf(w) >= 0)
        return layout;
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* inner = layout->itemAt(i)->layout())
            if (QLayout* row = rowHolding(inner, w))
                return row;
    return nullptr;
}

} // namespace

void MainForm::shareStatusRoom() {
    QList<ElidedLabel*> shown;
    for (ElidedLabel* note : {lbSendState, lbConfState, lbLogState})
        if (note && !note->isHidden())
            shown << note;
    QStatusBar* bar = statusBar();
    if (shown.isEmpty() || !bar->layout())
        return;
    // The state's place at the right end, as the bar's width gives it; the
    // notes end a spacing before it.
    bar->layout()->activate();
    const QLayout* row = rowHolding(bar->layout(), connState);
    const int spacing = row ? std::max(row->spacing(), 0) : 0;
    int room = connState->x() - spacing * shown.size();
    // A message shows whole: the notes start right of it.
    const QString message = bar->currentMessage();
    room -= message.isEmpty() ? kMessageGap
                              : kMessageLeft + bar->fontMetrics().horizontalAdvance(message) + kMessageGap;
    // Equal shares at most; what a note needs less than its share goes to
    // the others.
    std::stable_sort(shown.begin(), shown.end(), [](const ElidedLabel* a, const ElidedLabel* b) {
        return a->sizeHint().width() < b->sizeHint().width();
    });
    for (int i = 0; i < shown.size(); ++i) {
        ElidedLabel* note = shown[i];
        const int share = std::max(room, 0) / (shown.size() - i);
        const int width = std::max(std::min(share, note->sizeHint().width()), note->minimumSizeHint().width());
        note->setMaximumWidth(width);
        room -= width;
    }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == statusBar() && event->type() == QEvent::Resize)
        shareStatusRoom();
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::on_actionProtocol_triggered() {
    if (!confirmStopForSettings())
        return;
    auto* form = new DataSettingForm(this, 1);
    form->setBuildCheck(&buildProblem);
    connect(form, &DataSettingForm::signalSendConfigChange, this, &MainForm::signalReceiveConfigChange);
    form->exec();
}

void MainForm::on_actionLogic_triggered() {
    if (!confirmStopForSettings())
        return;
    auto* form = new TaskSettingForm(this);
    connect(form, &TaskSettingForm::signalSendConfigChange, this, &MainForm::signalReceiveConfigChange);
    form->exec();
}

void MainForm::on_actionCommand_triggered() {
    auto* form = new DataSettingForm(this, 2);
    form->setBuildCheck(&buildProblem);
    connect(form, &DataSettingForm::signalSendCmd, this, &MainForm::signalReceiveCmd);
    form->exec();
}

// ---- tool tab ----

void MainForm::startDesktopProgram(const QStringList& programs, const QString& missingText) {
    if (!Zuno::startFirstInstalled(programs).isEmpty())
        return;
    Zuno::MessageBoxes::warning(this, tr("提示"), missingText + "\n" + programs.join(", "),
                                QMessageBox::Yes);
}

void MainForm::on_btnCalc_clicked() {
    startDesktopProgram(Zuno::calculatorPrograms(), tr("未找到可启动的计算器程序, 请安装以下程序之一:"));
}

void MainForm::on_btnNotepad_clicked() {
    startDesktopProgram(Zuno::textEditorPrograms(), tr("未找到可启动的文本编辑器程序, 请安装以下程序之一:"));
}

// The tools and the About dialog open from these entries.
// Each tool is a modal dialog that deletes itself when it is closed.
void MainForm::on_actionAbout_triggered() { (new AboutForm(this))->exec(); }
void MainForm::on_btnBinConvert_clicked() { (new BinForm(this))->exec(); }
void MainForm::on_btnCRC_clicked() { (new CalcForm(this, 0))->exec(); }
void MainForm::on_btnMD5_clicked() { (new CalcForm(this, 1))->exec(); }
void MainForm::on_btnDistance_clicked() { (new CalcForm(this, 2))->exec(); }
void MainForm::on_btnToAscii_clicked() { (new CharSetForm(this, 0))->exec(); }
void MainForm::on_btnAsciiTo_clicked() { (new CharSetForm(this, 1))->exec(); }
void MainForm::on_btnToUtf8_clicked() { (new CharSetForm(this, 2))->exec(); }
void MainForm::on_btnUtf8To_clicked() { (new CharSetForm(this, 3))->exec(); }
void MainForm::on_btnToUtf16BE_clicked() { (new CharSetForm(this, 4))->exec(); }
void MainForm::on_btnUtf16BETo_clicked() { (new CharSetForm(this, 5))->exec(); }
void MainForm::on_btnToUtf16LE_clicked() { (new CharSetForm(this, 6))->exec(); }
void MainForm::on_btnUtf16LETo_clicked() { (new CharSetForm(this, 7))->exec(); }
