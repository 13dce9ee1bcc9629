#include <memory>
#include <thread>

#include <QAction>
#include <QPushButton>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include "app/mainform.h"
#include "app/message_boxes.h"
#include "app/message_log.h"
#include "config/model_file.h"
#include "gui_test_main.h"
#include "window_support.h"
#include "config/base_folder.h"
#include "support/config_tree.h"
#include "support/sample_frames.h"
#include "config/settings.h"
#include "protocol/crc.h"
#include "protocol/helpers.h"
#include "widgets/elided_combo_box.h"
#include "widgets/fit_size.h"

using Zuno::MessageBoxes;
using zt::child;
using zt::comboRows;

namespace {

// While it lives, closes every modal dialog that opens and records its object
// name, so an action that runs a dialog with exec() returns to the test.
class ModalCloser {
public:
    ModalCloser() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                if (seen_.isEmpty() || seen_.back() != w->objectName())
                    seen_ << w->objectName();
                w->close();
            }
        });
        timer_.start();
    }
    QStringList seen() const { return seen_; }

private:
    QTimer timer_;
    QStringList seen_;
};

QByteArray flowFile(const char* name, const QByteArray& commands) {
    return QByteArray("{\"cmd\":\"") + name + "\",\"protocol\":\"zuno\",\"commands\":[" + commands + "]}";
}

QByteArray step(const char* cmd, int delay, bool checked = true) {
    return QByteArray("{\"cmd\":\"") + cmd + "\",\"isChecked\":" + (checked ? "true" : "false") +
           ",\"delay\":" + QByteArray::number(delay) + "}";
}

const char* kLoginModel = R"({"cmd":"LOGIN","protocol":"zuno","components":[
    {"label":"IMEI","component":"QLineEdit","readOnly":false,"value":"0123456789012345"},
    {"label":"设备类型","component":"QLineEdit","readOnly":false,"value":"1"},
    {"label":"时区","component":"QLineEdit","readOnly":false,"value":"800"},
    {"label":"语言","component":"QLineEdit","readOnly":false,"value":"1"}]})";
const char* kPingModel = R"({"cmd":"PING13","protocol":"zuno","components":[
    {"label":"终端信息","component":"QLineEdit","readOnly":false,"value":"0"},
    {"label":"电压等级","component":"QLineEdit","readOnly":false,"value":"4"},
    {"label":"GSM信号","component":"QLineEdit","readOnly":false,"value":"3"},
    {"label":"语言","component":"QLineEdit","readOnly":false,"value":"2"}]})";

// A conf/ tree with three flows, listed Gamma, Beta, Alpha.
void writeFlows(const zt::ConfigTree& t, int protocol) {
    t.write("conf/conf.json", QByteArray("{\"ip\":\"10.1.2.3\",\"port\":9001,\"duration\":0,\"protocol\":") +
                                  QByteArray::number(protocol) + "}");
    t.write("conf/prop/alpha.json", flowFile("Alpha", step("LOGIN", 0)));
    t.write("conf/prop/beta.json", flowFile("Beta", step("PING13", 5) + "," + step("LOGIN", 0) + "," +
                                                        step("login", 0) + "," + step("GPS99", 1) + "," +
                                                        step("PING13", 40000, false)));
    t.write("conf/prop/sub/gamma.json", flowFile("Gamma", ""));
    t.write("conf/model/login.json", kLoginModel);
    t.write("conf/model/ping.json", kPingModel);
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<zt::ConfigTree> tree;

    std::unique_ptr<MainForm> makeWindow() {
        auto w = std::make_unique<MainForm>();
        return w;
    }
private slots:
    void initTestCase() {
        MessageBoxes::setUnattended(true);
    }
    void init() {
        tree = std::make_unique<zt::ConfigTree>();
        Zuno::setBaseFolder(tree->root());
        MessageBoxes::reset();
    }
    void cleanup() {
        Zuno::setBaseFolder(QString());
        tree.reset();
    }

    void startsWithoutSettingsFile() {
        auto w = makeWindow();
        const auto boxes = MessageBoxes::takeShown();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes[0].title, QString("错误"));
        QCOMPARE(boxes[0].text, QString("配置文件已损坏, 请重新安装程序!"));
        QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Yes));

        QCOMPARE(w->windowTitle(), QString("Zuno终端协议模拟器 V0.9.4.4"));
        // The form's two placeholder rows are no flows: they are not offered.
        QCOMPARE(comboRows(child<QComboBox>(*w, "cbProtocol")), QStringList());
        QCOMPARE(child<QLineEdit>(*w, "edtIp")->text(), QString("127.0.0.1"));
        QCOMPARE(child<QSpinBox>(*w, "edtPort")->value(), 8080);
        QVERIFY(child<QTextEdit>(*w, "teIn")->acceptRichText());
        QCOMPARE(w->selectedFlow(), -1);
        QVERIFY(w->sendFlow().empty());
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTED);
        QVERIFY(child<QToolButton>(*w, "btnParse")->isEnabled());
        QVERIFY(!child<QToolButton>(*w, "btnSend")->isEnabled());
    }

    void startsWithTheShippedConfiguration() {
        const QString shipped = qEnvironmentVariable("ZUNO_SOURCE_DIR") + "/conf";
        QVERIFY2(QFileInfo::exists(shipped + "/conf.json"), qPrintable(shipped));
        QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            tree->write("conf/" + QDir(shipped).relativeFilePath(file), f.readAll());
        }
        auto w = makeWindow();
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        QCOMPARE(comboRows(child<QComboBox>(*w, "cbProtocol")), QStringList{"默认流程"});
        QCOMPARE(w->selectedFlow(), 0);
        QCOMPARE(child<QSpinBox>(*w, "edtPort")->value(), 8080);
        QList<int> numbers;
        for (const SendTask& t : w->sendFlow())
            numbers << t.message->command;
        QCOMPARE(numbers, (QList<int>{0x01, 0x13, 0x22}));
        QVERIFY(child<QToolButton>(*w, "btnConnect")->isEnabled());
        QVERIFY(child<QToolButton>(*w, "btnParse")->isEnabled());
        QVERIFY(!child<QCheckBox>(*w, "cbAuto")->isEnabled());
        QVERIFY(!child<QToolButton>(*w, "btnSend")->isEnabled());
    }

    void startsWithCorruptSettingsFile_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("syntax error") << QByteArray("{\"ip\": \"10.0.0.1\",");
        QTest::newRow("no object") << QByteArray("[\"10.0.0.1\", 9000]");
        QTest::newRow("number too large") << QByteArray("{\"ip\": \"10.0.0.1\", \"port\": 1e999}");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe{", 4);
        QTest::newRow("unreadable") << QByteArray("/");
    }
    // A settings file that is there but cannot be used is named in the status
    // bar with the defaults used, until a save succeeds.
    void startsWithCorruptSettingsFile() {
        QFETCH(QByteArray, text);
        writeFlows(*tree, 0);
        QFile::remove(tree->path("conf/conf.json"));
        if (text == "/")
            tree->mkdir("conf/conf.json");
        else
            tree->write("conf/conf.json", text);
        auto w = makeWindow();
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        auto* note = child<QLabel>(*w, "lbConfState");
        QVERIFY2(!note->isHidden(), qPrintable(note->text()));
        QVERIFY2(note->text().startsWith("conf/conf.json 无法读取 (") && note->text().endsWith("), 已使用默认设置"), qPrintable(note->text()));
        // Bytes that read as no text are no empty file.
        QCOMPARE(note->text().contains("文件为空"), text.isEmpty());
        QVERIFY(child<QLabel>(*w, "lbLogState")->isHidden());
        // The flows are listed as at any start, the first one selected.
        QCOMPARE(comboRows(child<QComboBox>(*w, "cbProtocol")), (QStringList{"Gamma", "Beta", "Alpha"}));
        QCOMPARE(w->selectedFlow(), 0);
        QCOMPARE(child<QLineEdit>(*w, "edtIp")->text(), QString("127.0.0.1"));
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTED);
    }

    void listsFlowsAndSelectsTheSavedOne_data() {
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("selected");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("second") << 1 << 1;
        QTest::newRow("last") << 2 << 2;
        QTest::newRow("one past the list") << 3 << 0;
        QTest::newRow("far past the list") << 70000 << 0;
        QTest::newRow("negative") << -1 << 0;
    }
    void listsFlowsAndSelectsTheSavedOne() {
        QFETCH(int, saved);
        QFETCH(int, selected);
        writeFlows(*tree, saved);
        auto w = makeWindow();
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        auto* box = child<QComboBox>(*w, "cbProtocol");
        QCOMPARE(comboRows(box), (QStringList{"Gamma", "Beta", "Alpha"}));
        QCOMPARE(box->currentIndex(), selected);
        QCOMPARE(w->selectedFlow(), selected);
        QCOMPARE(child<QLineEdit>(*w, "edtIp")->text(), QString("10.1.2.3"));
        QCOMPARE(child<QSpinBox>(*w, "edtPort")->value(), 9001);
        QVERIFY(!child<QTextEdit>(*w, "teIn")->acceptRichText());
    }

    void loadsTheSelectedFlowWithItsMessages() {
        writeFlows(*tree, 1); // Beta
        auto w = makeWindow();
        const std::list<SendTask> flow = w->sendFlow();
        QStringList cmds;
        QList<int> numbers, delays;
        for (const SendTask& t : flow) {
            cmds << QString::fromStdString(t.task.cmd);
            numbers << t.message->command;
            delays << t.task.delay;
        }
        // "login" finds its number but no model of that exact name; GPS99 is no keyword.
        QCOMPARE(cmds, (QStringList{"PING13", "LOGIN", "PING13"}));
        QCOMPARE(numbers, (QList<int>{0x13, 0x01, 0x13}));
        QCOMPARE(delays, (QList<int>{5, 0, 40000 - 65536}));
        std::vector<uint8_t> frame;
        QCOMPARE(flow.front().message->encode(frame), 0);

        // A saved model or flow reloads the flow of the selected row, replacing it.
        tree->write("conf/prop/beta.json", flowFile("Beta", step("LOGIN", 0)));
        ProtocolDataModel saved;
        saved.absoluteFilePath = tree->path("conf/prop/beta.json");
        w->signalReceiveConfigChange(saved);
        const std::list<SendTask> reloaded = w->sendFlow();
        QCOMPARE(reloaded.size(), size_t(1));
        QCOMPARE(reloaded.front().message->command, uint8_t(0x01));
        QCOMPARE(reloaded.front().lastSent, int64_t(0));
    }

    void choosingAnotherFlowLoadsIt() {
        writeFlows(*tree, 2); // Alpha
        auto w = makeWindow();
        auto cmds = [&] {
            QStringList names;
            for (const SendTask& t : w->sendFlow())
                names << QString::fromStdString(t.task.cmd);
            return names;
        };
        QCOMPARE(cmds(), QStringList{"LOGIN"});
        auto* box = child<QComboBox>(*w, "cbProtocol");
        box->setCurrentIndex(1); // Beta
        QCOMPARE(cmds(), (QStringList{"PING13", "LOGIN", "PING13"}));
        for (const SendTask& t : w->sendFlow())
            QCOMPARE(t.lastSent, int64_t(0));
        box->setCurrentIndex(0); // Gamma: no steps
        QVERIFY(w->sendFlow().empty());
        box->setCurrentIndex(2);
        QCOMPARE(cmds(), QStringList{"LOGIN"});
    }

    // A flow whose name is 1 MB long: the window appears within a laptop's
    // screen, the flow box shows the name cut (its tool tip as much as a
    // screen holds), and the flow is the one selected and loaded.
    void aHugeFlowNameIsDrawnCut() {
        writeFlows(*tree, 0);
        const QString huge = "Z" + QString((1 << 20) - 1, QLatin1Char('z'));
        tree->write("conf/prop/huge.json", "{\"cmd\":\"" + huge.toUtf8() + "\",\"protocol\":\"zuno\",\"commands\":[" +
                                               step("LOGIN", 0) + "]}");
        fitsize::assumeAvailableSize(QSize(1366, 738));
        struct Restore {
            ~Restore() { fitsize::assumeAvailableSize(QSize()); }
        } restore;
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* box = child<QComboBox>(*w, "cbProtocol");
        const QString cut = huge.left(256) + "…";
        QCOMPARE(comboRows(box), (QStringList{cut, "Gamma", "Beta", "Alpha"}));
        // The box shows the start of the name, elided at its edge.
        auto* face = qobject_cast<ElidedComboBox*>(box);
        QVERIFY(face && face->shownText().endsWith("…") && huge.startsWith(face->shownText().chopped(1)));
        const QString tip = box->itemData(0, Qt::ToolTipRole).toString();
        QVERIFY(tip.startsWith(huge.left(64) + "\n" + huge.mid(64, 64) + "\n"));
        QCOMPARE(box->toolTip(), tip);
        QVERIFY(box->itemData(1, Qt::ToolTipRole).isNull());
        QCOMPARE(w->selectedFlow(), 0);
        QCOMPARE(w->sendFlow().size(), size_t(1));
        QVERIFY2(w->width() <= 1366, qPrintable(QString::number(w->width())));
        // Another flow chosen: the box's tip is that flow's (none), and back.
        box->setCurrentIndex(1);
        QCOMPARE(box->toolTip(), QString());
        box->setCurrentIndex(0);
        QCOMPARE(box->toolTip(), tip);
    }

    void flowWithoutStepsSaysSoInTheStatusBar() {
        writeFlows(*tree, 0); // Gamma: empty command list
        tree->write("conf/prop/sub/gamma.json", "{\"cmd\":\"Gamma\",\"protocol\":\"zuno\"}");
        auto w = makeWindow();
        QCOMPARE(w->statusBar()->currentMessage(), QString("待发送协议的流程逻辑文件未设置!"));
        QVERIFY(w->sendFlow().empty());
    }

    void illTypedStepsAreSkipped() {
        writeFlows(*tree, 2); // Alpha
        tree->write("conf/prop/alpha.json",
                    "{\"cmd\":\"Alpha\",\"protocol\":\"zuno\",\"commands\":[7, {\"cmd\":\"LOGIN\","
                    "\"isChecked\":\"yes\",\"delay\":0}, {\"cmd\":[],\"isChecked\":true,\"delay\":0}]}");
        auto w = makeWindow();
        QVERIFY(w->sendFlow().empty());
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTED);
    }

    void aReplyThatIsNotBuiltSaysWhyInTheStatusBar_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("textAt");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("codingAt");
        QTest::addColumn<QString>("coding");
        QTest::addColumn<QString>("message");
        QTest::newRow("0x81 text too long") << "cmd81.json" << 1 << QString(82, QChar(0x4E2D)) << 2 << "2"
                                            << "指令回复未生成 (CMD81): 回复指令过长: UTF-8 编码 246 字节, 最多 243 字节";
        QTest::newRow("0x21 coding 3") << "cmd21.json" << 2 << "OK" << 1 << "3"
                                       << "指令回复未生成 (CMD21): 字符编码 3 无效, 只能是 1 (UTF-8) 或 2 (UTF-16BE)";
    }
    void aReplyThatIsNotBuiltSaysWhyInTheStatusBar() {
        QFETCH(QString, file);
        QFETCH(int, textAt);
        QFETCH(QString, text);
        QFETCH(int, codingAt);
        QFETCH(QString, coding);
        QFETCH(QString, message);
        QFile shipped(qEnvironmentVariable("ZUNO_SOURCE_DIR") + "/conf/cmd/" + file);
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray shippedText = shipped.readAll();
        std::string model;
        QVERIFY(Zuno::rewriteModelValues(shippedText.toStdString(),
                                         {{size_t(textAt), text.toStdString()}, {size_t(codingAt), coding.toStdString()}},
                                         model));
        auto w = makeWindow();
        const QString input = child<QTextEdit>(*w, "teIn")->toPlainText();
        w->signalReceiveCmd(file.section('.', 0, 0).toUpper().toStdString(), model);
        QCOMPARE(w->statusBar()->currentMessage(), message);
        QCOMPARE(child<QTextEdit>(*w, "teIn")->toPlainText(), input);

        // The shipped model as it stands is built: the failure no longer shows.
        w->signalReceiveCmd(file.section('.', 0, 0).toUpper().toStdString(), shippedText.toStdString());
        QCOMPARE(w->statusBar()->currentMessage(), QString());
        QVERIFY(child<QTextEdit>(*w, "teIn")->toPlainText().startsWith(input + "\n78 78 "));
    }

    void statusSetsTheControls_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("autoChecked");
        QTest::addColumn<bool>("parse");
        QTest::addColumn<bool>("connect");
        QTest::addColumn<QString>("connectText");
        QTest::addColumn<bool>("autoBox");
        QTest::addColumn<bool>("send");
        // Each row starts from logged in, so "text unchanged" shows as "断开".
        // While a connection is being made or awaits its login, "断开" ends it.
        for (bool checked : {false, true}) {
            const char* a = checked ? " auto" : "";
            QTest::addRow("connecting%s", a) << 0 << checked << false << true << "断开" << false << false;
            QTest::addRow("connected%s", a) << 1 << checked << false << true << "断开" << false << false;
            QTest::addRow("login sent%s", a) << 2 << checked << false << true << "断开" << false << false;
            QTest::addRow("logged in%s", a) << 3 << checked << false << true << "断开" << true << !checked;
            QTest::addRow("disconnecting%s", a) << 4 << checked << false << false << "断开" << false << false;
            QTest::addRow("disconnected%s", a) << 5 << checked << true << true << "连接" << false << false;
        }
    }
    void statusSetsTheControls() {
        QFETCH(int, status);
        QFETCH(bool, autoChecked);
        auto w = makeWindow();
        auto* autoBox = child<QCheckBox>(*w, "cbAuto");
        emit w->signalSendButtonEnable(CLIENT_LOGGED_IN);
        autoBox->setChecked(autoChecked);
        emit w->signalSendButtonEnable(static_cast<CLIENT_STATUS>(status));
        QCOMPARE(int(w->currentStatus()), status);
        QTEST(child<QToolButton>(*w, "btnParse")->isEnabled(), "parse");
        QTEST(child<QToolButton>(*w, "btnConnect")->isEnabled(), "connect");
        QTEST(child<QToolButton>(*w, "btnConnect")->text(), "connectText");
        QTEST(autoBox->isEnabled(), "autoBox");
        QTEST(child<QToolButton>(*w, "btnSend")->isEnabled(), "send");
        QCOMPARE(autoBox->isChecked(), autoChecked); // survives every status
    }

    void statusFromAnotherThreadArrivesQueued() {
        auto w = makeWindow();
        std::thread worker([&] { emit w->signalSendButtonEnable(CLIENT_LOGGED_IN); });
        worker.join();
        QTRY_COMPARE(w->currentStatus(), CLIENT_LOGGED_IN);
        QTRY_VERIFY(child<QToolButton>(*w, "btnSend")->isEnabled());
    }

    // "自动" switches Send while logged in, and only then: changed in any
    // other status (by the program; the box is disabled then) it leaves
    // Send as the status has it.
    void autoCheckBoxSwitchesSendOnlyWhileLoggedIn() {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* autoBox = child<QCheckBox>(*w, "cbAuto");
        auto* send = child<QToolButton>(*w, "btnSend");
        for (CLIENT_STATUS s : {CLIENT_DISCONNECTED, CLIENT_CONNECTING, CLIENT_LOGGING_IN}) {
            emit w->signalSendButtonEnable(s);
            autoBox->setChecked(true);
            autoBox->setChecked(false);
            QVERIFY2(!send->isEnabled(), qPrintable(QString::number(s)));
        }
        emit w->signalSendButtonEnable(CLIENT_LOGGED_IN);
        QVERIFY(send->isEnabled());
        QTest::mouseClick(autoBox, Qt::LeftButton, {}, QPoint(autoBox->width() - 8, autoBox->height() / 2));
        QVERIFY(autoBox->isChecked());
        QVERIFY(!send->isEnabled());
        autoBox->click();
        QVERIFY(!autoBox->isChecked());
        QVERIFY(send->isEnabled());
    }

    void panesTakeTextAtTheirEnds() {
        auto w = makeWindow();
        auto* in = child<QTextEdit>(*w, "teIn");
        auto* out = child<QTextBrowser>(*w, "tbOut");
        child<QAction>(*w, "actionClearAll")->trigger();
        QCOMPARE(in->toPlainText(), QString());
        QCOMPARE(out->toPlainText(), QString());
        for (const char* t : {"78 78 01\n", "78 78 02\n"}) {
            emit w->singalSendInboxMessage(t);
            emit w->singalSendoutboxMessage(t);
        }
        QCOMPARE(in->toPlainText(), QString("78 78 01\n78 78 02\n"));
        QCOMPARE(out->toPlainText(), QString("78 78 02\n78 78 01\n"));
        child<QAction>(*w, "actionClearAll")->trigger();
        QCOMPARE(in->toPlainText() + out->toPlainText(), QString());
    }

    void aFrameAppendedToTheInputBoxIsALineOfItsOwn() {
        // The sample frames shown at start-up end without a line feed.
        auto w = makeWindow();
        auto* in = child<QTextEdit>(*w, "teIn");
        const QString samples = in->toPlainText();
        QVERIFY(!samples.endsWith('\n'));
        emit w->singalSendInboxMessage("78 78 05 13 00 01 E9 F1 0D 0A\n");
        QCOMPARE(in->toPlainText(), samples + "\n78 78 05 13 00 01 E9 F1 0D 0A\n");
        in->setPlainText("78 78 01");
        emit w->singalSendInboxMessage("78 78 02\n");
        emit w->singalSendInboxMessage("78 78 03\n");
        QCOMPARE(in->toPlainText(), QString("78 78 01\n78 78 02\n78 78 03\n"));
    }

    void closingAsksAndOnlyYesCloses() {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        MessageBoxes::takeShown(); // the missing settings file
        MessageBoxes::queueAnswer(QMessageBox::No);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        auto boxes = MessageBoxes::takeShown();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Question);
        QCOMPARE(boxes[0].title, QString("警告"));
        QCOMPARE(boxes[0].text, QString("您确定要退出本程序,并已做好所有保存操作?"));
        QCOMPARE(boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(w->currentStatus(), CLIENT_DISCONNECTED);

        MessageBoxes::queueAnswer(QMessageBox::Yes);
        QVERIFY(w->close());
        QVERIFY(!w->isVisible());
    }

    void settingsActionsAskWhileAConnectionIsUp_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("asks");
        for (const char* a : {"actionProtocol", "actionLogic"}) {
            QTest::addRow("%s connecting", a) << a << 0 << false;
            QTest::addRow("%s connected", a) << a << 1 << true;
            QTest::addRow("%s login sent", a) << a << 2 << true;
            QTest::addRow("%s logged in", a) << a << 3 << true;
            QTest::addRow("%s disconnecting", a) << a << 4 << true;
            QTest::addRow("%s disconnected", a) << a << 5 << false;
        }
        QTest::addRow("actionCommand logged in") << "actionCommand" << 3 << false;
    }
    void settingsActionsAskWhileAConnectionIsUp() {
        QFETCH(QString, action);
        QFETCH(int, status);
        QFETCH(bool, asks);
        auto w = makeWindow();
        MessageBoxes::takeShown();
        emit w->signalSendButtonEnable(static_cast<CLIENT_STATUS>(status));
        MessageBoxes::queueAnswer(QMessageBox::No);
        ModalCloser closer; // where no question is asked, the editor opens
        child<QAction>(*w, action.toLatin1().constData())->trigger();
        QCOMPARE(closer.seen().size(), asks ? 0 : 1);
        const auto boxes = MessageBoxes::takeShown();
        QCOMPARE(boxes.size(), asks ? 1 : 0);
        if (asks)
            QCOMPARE(boxes[0].text, QString("服务器连接时不可进行配置, 您确定要停止连接?"));
        QCOMPARE(int(w->currentStatus()), status); // No changes nothing
    }

    void everyOpenerRunsItsDialog_data() {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("title");
        QTest::newRow("about") << "actionAbout" << "AboutForm" << "";
        QTest::newRow("model editor") << "actionProtocol" << "DataSettingForm" << "协议数据设置";
        QTest::newRow("flow editor") << "actionLogic" << "TaskSettingForm" << "协议发送流程设置";
        QTest::newRow("command replies") << "actionCommand" << "DataSettingForm" << "指令回复设置";
        QTest::newRow("base converter") << "btnBinConvert" << "BinForm" << "二进制转换";
        QTest::newRow("crc") << "btnCRC" << "CalcForm" << "CRC";
        QTest::newRow("md5") << "btnMD5" << "CalcForm" << "MD5";
        QTest::newRow("distance") << "btnDistance" << "CalcForm" << "距离计算";
        for (const char* b : {"btnToAscii", "btnAsciiTo", "btnToUtf8", "btnUtf8To", "btnToUtf16BE",
                              "btnUtf16BETo", "btnToUtf16LE", "btnUtf16LETo"})
            QTest::newRow(b) << b << "CharSetForm" << "";
    }
    void everyOpenerRunsItsDialog() {
        QFETCH(QString, opener);
        QFETCH(QString, dialog);
        QFETCH(QString, title);
        auto w = makeWindow();
        QString seenTitle;
        QTimer peek;
        peek.setInterval(5);
        QObject::connect(&peek, &QTimer::timeout, [&] {
            if (QWidget* m = QApplication::activeModalWidget())
                if (seenTitle.isEmpty()) seenTitle = m->windowTitle();
        });
        peek.start();
        {
            ModalCloser closer;
            if (auto* action = w->findChild<QAction*>(opener))
                action->trigger();
            else
                child<QPushButton>(*w, opener.toLatin1().constData())->click();
            QCOMPARE(closer.seen(), QStringList{dialog});
        }
        if (!title.isEmpty()) QCOMPARE(seenTitle, title);
        // The dialog deleted itself once closed.
        QTRY_COMPARE(w->findChildren<QDialog*>().size(), 0);
    }

    void clearingTheLogEmptiesTheFolderOnly() {
        tree->write("logs/log.20261210.log", "x");
        tree->write("logs/old/log.20261101.log", "x");
        tree->write("elsewhere/keep.log", "keep");
        QVERIFY(QFile::link(tree->path("elsewhere"), tree->path("logs/old/out")));
        QVERIFY(QFile::link(tree->path("logs"), tree->path("logs/old/loop")));
        auto w = makeWindow();
        child<QAction>(*w, "actionClearLog")->trigger();
        QVERIFY(QDir(tree->path("logs")).exists());
        QVERIFY(QDir(tree->path("logs")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).isEmpty());
        QCOMPARE(tree->read("elsewhere/keep.log"), QByteArray("keep"));
        QCOMPARE(w->statusBar()->currentMessage(), tree->root() + "/logs" + "目录下日志清理完成!");

        QVERIFY(QDir(tree->path("logs")).removeRecursively());
        w->statusBar()->clearMessage();
        child<QAction>(*w, "actionClearLog")->trigger();
        QCOMPARE(w->statusBar()->currentMessage(), tree->root() + "/logs" + "目录下日志清理完成!");
    }

    void calculatorAndEditorStartOrSayWhyNot() {
        const QByteArray path = qgetenv("PATH");
        tree->write("bin/readme", "");
        const QString marker = tree->path("started");
        tree->write("bin/gnome-calculator", ("#!/bin/sh\necho calc > '" + marker + "'\n").toUtf8());
        QFile::setPermissions(tree->path("bin/gnome-calculator"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", tree->path("bin").toUtf8());
        auto w = makeWindow();
        MessageBoxes::takeShown();
        child<QPushButton>(*w, "btnCalc")->click();
        QTRY_VERIFY(QFile::exists(marker));
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        child<QPushButton>(*w, "btnNotepad")->click(); // no editor on this path
        qputenv("PATH", path);
        const auto boxes = MessageBoxes::takeShown();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].text.startsWith("未找到可启动的文本编辑器程序"));
        QVERIFY(boxes[0].text.contains("gedit"));
    }

    void savingTheSettingsWritesThePanel() {
        writeFlows(*tree, 2);
        auto w = makeWindow();
        child<QLineEdit>(*w, "edtIp")->setText("platform.example");
        child<QSpinBox>(*w, "edtPort")->setValue(7018);
        child<QComboBox>(*w, "cbProtocol")->setCurrentIndex(1);
        QVERIFY(w->saveConfig());
        Zuno::ConnectionSettings expected;
        expected.ip = "platform.example";
        expected.port = 7018;
        expected.duration = 1; // read as 0, kept as 1
        expected.protocolIndex = 1;
        QCOMPARE(tree->read("conf/conf.json").toStdString(), Zuno::settingsText(expected));
    }

    void savingWithoutFlowsWritesNoIndex() {
        tree->write("conf/conf.json", "{\"ip\":\"h\",\"port\":1,\"duration\":3,\"protocol\":0}");
        auto w = makeWindow();
        QCOMPARE(child<QComboBox>(*w, "cbProtocol")->count(), 0);
        QVERIFY(w->saveConfig());
        QVERIFY(tree->read("conf/conf.json").contains("\"protocol\": 4294967295\n"));
    }

    void failedSaveKeepsTheOldFileAndSaysSo() {
        writeFlows(*tree, 0);
        const QByteArray old = tree->read("conf/conf.json");
        auto w = makeWindow();
        auto* note = child<QLabel>(*w, "lbConfState");
        QVERIFY(note->isHidden());
        child<QLineEdit>(*w, "edtIp")->setText("changed");
        bool saved = true;
        {
            zt::LockedFolder lock(tree->path("conf"));
            QVERIFY(lock.locked());
            saved = w->saveConfig();
        }
        QVERIFY(!saved);
        QCOMPARE(tree->read("conf/conf.json"), old);
        QVERIFY2(note->text().startsWith("conf/conf.json 保存失败 ("), qPrintable(note->text()));
        QVERIFY(!note->isHidden());
        // Another message of the status bar leaves the note where it is.
        w->statusBar()->showMessage("x");
        QVERIFY(!note->isHidden());
        QVERIFY(w->saveConfig());
        QVERIFY(note->isHidden());
        QVERIFY(tree->read("conf/conf.json").contains("\"ip\": \"changed\""));
    }

    // A log that cannot be written is shown beside the connection state, from
    // whichever thread found it out, until records reach the file again.
    void aLogThatCannotBeWrittenIsShownUntilItIsWrittenAgain() {
        auto w = makeWindow();
        auto* note = child<QLabel>(*w, "lbLogState");
        QVERIFY(note->isHidden());
        tree->write("logs", "a file where the folder should be");
        Zuno::setLogFolder(tree->path("logs"));
        Zuno::setLogDate("20261210");
        const QtMessageHandler previous = qInstallMessageHandler(Zuno::messageOutput);
        std::thread([] { QMessageLogger().debug("from the worker"); }).join();
        QMessageLogger().debug("from the window");
        qInstallMessageHandler(previous);
        QTRY_VERIFY(!note->isHidden());
        QVERIFY2(note->text().startsWith("日志无法写入 (") && note->text().endsWith("), 仅输出到标准输出"), qPrintable(note->text()));
        // A window made while the log fails says so at once.
        auto second = makeWindow();
        QVERIFY(!child<QLabel>(*second, "lbLogState")->isHidden());
        second.reset();

        QVERIFY(QFile::remove(tree->path("logs")));
        QVERIFY(Zuno::makeDir(tree->path("logs")));
        qInstallMessageHandler(Zuno::messageOutput);
        QMessageLogger().debug("kept");
        qInstallMessageHandler(previous);
        Zuno::closeLogFile();
        QTRY_VERIFY(note->isHidden());
        QVERIFY(tree->read("logs/log.20261210.log").endsWith("kept"));
    }

    // A model the builders refuse is saved as asked, and the editor says it
    // cannot be sent and why.
    void modelThatCannotBeBuiltIsSavedWithTheReason() {
        writeFlows(*tree, 0);
        QByteArray login = kLoginModel;
        login.replace("0123456789012345", "01234567890123G5");
        tree->write("conf/model/login.json", login);
        auto w = makeWindow();
        QString message;
        QTimer driver;
        driver.setInterval(10);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!form || form->objectName() != "DataSettingForm")
                return;
            auto* list = form->findChild<QListView*>("lvProtocol");
            for (int row = 0; row < list->model()->rowCount(); ++row)
                if (list->model()->index(row, 0).data().toString().startsWith("LOGIN"))
                    list->setCurrentIndex(list->model()->index(row, 0));
            QMetaObject::invokeMethod(form, "on_lvProtocol_activated", Q_ARG(QModelIndex, list->currentIndex()));
            form->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save)->click();
            message = form->findChild<QLabel*>("lbMsg")->text();
            form->close();
        });
        driver.start();
        w->findChild<QAction*>("actionProtocol")->trigger();
        QVERIFY2(message.startsWith("保存配置\"LOGIN\"完成, 文件:conf/model/login.json; 无法生成报文: "), qPrintable(message));
        QVERIFY(message.size() > QString("保存配置\"LOGIN\"完成, 文件:conf/model/login.json; 无法生成报文: ").size());
        QVERIFY(tree->read("conf/model/login.json").contains("01234567890123G5"));
    }

    // The tests use the samples of support/sample_frames.h: the form's own.
    void sampleFramesAreValidFrames() {
        auto w = makeWindow();
        auto* in = child<QTextEdit>(*w, "teIn");
        const QStringList lines = in->toPlainText().split('\n');
        QStringList samples;
        for (const char* frame : zt::kSampleFrames)
            samples << frame;
        QCOMPARE(lines, samples);
        const int protocols[] = {0x22, 0x23, 0x01, 0x28};
        for (int i = 0; i < 4; ++i) {
            std::string hex = lines[i].toStdString();
            Zuno::replaceAll(hex, " ", "");
            const auto bytes = Zuno::hexToBytes(hex);
            QVERIFY(bytes && bytes->size() > 10);
            const std::vector<uint8_t>& f = *bytes;
            QCOMPARE(size_t(f[2]) + 5, f.size());
            QCOMPARE(int(f[3]), protocols[i]);
            const uint16_t crc = Zuno::crcItu(f, 2, f.size() - 6);
            QCOMPARE(crc, uint16_t(f[f.size() - 4] << 8 | f[f.size() - 3]));
        }
        QVERIFY(in->toHtml().contains("color:#ff0000;\">20 86</span>"));
    }
};

ZT_GUI_TEST_MAIN(MainFormTest)
#include "mainform_qtest.moc"
