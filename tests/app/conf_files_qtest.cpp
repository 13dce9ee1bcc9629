// The window against conf/ files nobody meant it to read: at start-up
// (files that crashed or blocked it, conf.json members it cannot use as
// written) and in its editors (a conf/ removed while it runs).
#include <memory>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include "app/mainform.h"
#include "app/message_boxes.h"
#include "config/settings.h"
#include "support/config_tree.h"
#include "gui_test_main.h"
#include "window_support.h"
#include "support/hostile_files.h"

using Zuno::MessageBoxes;

namespace {

// Where a row puts something that is no file of text.
enum class Special { None, Folder, LinkToZero, LinkToFifo };

} // namespace

Q_DECLARE_METATYPE(Special)

class ConfFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<zt::BaseFolderTree> tree;

    // The shipped conf/ with `settings` as conf.json: one flow, "默认流程",
    // of a login, a heartbeat and a position.
    void writeConf(const QByteArray& settings) {
        QVERIFY(tree->copyFolder(qEnvironmentVariable("ZUNO_SOURCE_DIR") + "/conf", "conf"));
        tree->write("conf/conf.json", settings);
    }
    // Puts `special` (or `bytes`) at `relative`; a FIFO lies outside conf/.
    void place(const QString& relative, Special special, const QByteArray& bytes) {
        QFile::remove(tree->path(relative));
        switch (special) {
        case Special::None: tree->write(relative, bytes); break;
        case Special::Folder: tree->mkdir(relative); break;
        case Special::LinkToZero: QVERIFY(QFile::link("/dev/zero", tree->path(relative))); break;
        case Special::LinkToFifo:
            QVERIFY(zt::makeFifo(tree->path("fifo").toStdString()));
            QVERIFY(QFile::link(tree->path("fifo"), tree->path(relative)));
            break;
        }
    }
    // The window, made under a deadline: a start that waits on a FIFO or
    // reads on for ever fails by it.
    static std::unique_ptr<MainForm> startWithinDeadline() {
        const zt::Deadline deadline("the start");
        return std::make_unique<MainForm>();
    }

private slots:
    void initTestCase() {
        MessageBoxes::setUnattended(true);
        qRegisterMetaType<Special>();
    }
    void init() {
        tree = std::make_unique<zt::BaseFolderTree>();
        MessageBoxes::reset();
    }
    void cleanup() { tree.reset(); }

    void hostileSettingsFileIsNamedWithTheDefaults_data() {
        QTest::addColumn<Special>("special");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("100,000 nested objects")
            << Special::None << QByteArray::fromStdString(zt::nestedObjects(100000)) << "JSON嵌套超过256层";
        QTest::newRow("not UTF-8") << Special::None << QByteArray("{\"ip\":\"caf\xe9\",\"port\":9000}") << "文件不是UTF-8编码";
        QTest::newRow("over 4 MB") << Special::None
                                   << QByteArray("{\"ip\":\"10.0.0.9\"}") + QByteArray(4 * 1024 * 1024, ' ')
                                   << "文件超过4 MB";
        QTest::newRow("link to /dev/zero") << Special::LinkToZero << QByteArray() << "不是普通文件";
        QTest::newRow("link to a FIFO") << Special::LinkToFifo << QByteArray() << "不是普通文件";
        QTest::newRow("folder") << Special::Folder << QByteArray() << "这是一个文件夹";
    }
    // Each of them crashed the start, ran memory out or blocked it for ever;
    // now the note says why and the defaults are used.
    void hostileSettingsFileIsNamedWithTheDefaults() {
        QFETCH(Special, special);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        writeConf("{}");
        place("conf/conf.json", special, bytes);
        const std::unique_ptr<MainForm> made = startWithinDeadline();
        MainForm& w = *made;
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        auto* note = zt::child<QLabel>(w, "lbConfState");
        QCOMPARE(note->text(), "conf/conf.json 无法读取 (" + reason + "), 已使用默认设置");
        QVERIFY(!note->isHidden());
        QCOMPARE(zt::child<QLineEdit>(w, "edtIp")->text(), QString("127.0.0.1"));
        QCOMPARE(w.currentStatus(), CLIENT_DISCONNECTED);
    }

    void hostileModelOrFlowIsSkipped_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Special>("special");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray deep = QByteArray::fromStdString(zt::nestedObjects(100000));
        QTest::newRow("model of 100,000 nested objects")
            << "conf/model/deep.json" << Special::None
            << "{\"cmd\":\"LOGIN\",\"protocol\":\"zuno\",\"components\":[],\"x\":" + deep + "}";
        QTest::newRow("flow of 100,000 nested objects")
            << "conf/prop/deep.json" << Special::None
            << "{\"cmd\":\"Deep\",\"protocol\":\"zuno\",\"commands\":[],\"x\":" + deep + "}";
        QTest::newRow("model over 4 MB") << "conf/model/large.json" << Special::None
                                         << QByteArray(R"({"cmd":"LOGIN","protocol":"zuno","components":[]})") +
                                                QByteArray(4 * 1024 * 1024, ' ');
        QTest::newRow("model that is a link to /dev/zero") << "conf/model/a_zero.json" << Special::LinkToZero << QByteArray();
        QTest::newRow("model that is a link to a FIFO") << "conf/model/a_fifo.json" << Special::LinkToFifo << QByteArray();
        QTest::newRow("flow that is a link to a FIFO") << "conf/prop/fifo.json" << Special::LinkToFifo << QByteArray();
    }
    // The window starts, lists the other flows and loads its flow from the
    // other models.
    void hostileModelOrFlowIsSkipped() {
        QFETCH(QString, file);
        QFETCH(Special, special);
        QFETCH(QByteArray, bytes);
        writeConf(R"({"ip":"10.1.2.3","port":9001,"duration":5,"protocol":0})");
        place(file, special, bytes);
        const std::unique_ptr<MainForm> made = startWithinDeadline();
        MainForm& w = *made;
        QCOMPARE(zt::comboRows(zt::child<QComboBox>(w, "cbProtocol")), QStringList{"默认流程"});
        QList<int> numbers;
        for (const SendTask& t : w.sendFlow())
            numbers << t.message->command;
        QCOMPARE(numbers, (QList<int>{0x01, 0x13, 0x22}));
        QVERIFY(zt::child<QLabel>(w, "lbConfState")->isHidden());
    }

    void settingsMembersTheWindowCannotUseAreNamed_data() {
        QTest::addColumn<QByteArray>("members");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("duration");
        QTest::newRow("as written") << QByteArray(R"("port":65535,"duration":3600000)") << "" << 65535 << 3600000;
        QTest::newRow("duration 0 is 1") << QByteArray(R"("port":1,"duration":0)") << "" << 1 << 1;
        QTest::newRow("port above") << QByteArray(R"("port":70000,"duration":5)")
                                    << "端口 70000 不在 1 到 65535 之间, 已使用 8000" << 8000 << 5;
        QTest::newRow("port 0") << QByteArray(R"("port":0,"duration":5)")
                                << "端口 0 不在 1 到 65535 之间, 已使用 8000" << 8000 << 5;
        QTest::newRow("port -1") << QByteArray(R"("port":-1,"duration":5)")
                                 << "端口 -1 不在 1 到 65535 之间, 已使用 8000" << 8000 << 5;
        QTest::newRow("port 2^32 + 9001") << QByteArray(R"("port":4294976297,"duration":5)")
                                          << "端口 4294976297 不在 1 到 65535 之间, 已使用 8000" << 8000 << 5;
        QTest::newRow("port as text") << QByteArray(R"("port":"9001","duration":5)")
                                      << "端口 \"9001\" 应为整数, 已使用 8000" << 8000 << 5;
        QTest::newRow("duration -1") << QByteArray(R"("port":9001,"duration":-1)")
                                     << "时间间隔 -1 不在 1 到 3600000 毫秒之间, 已使用 1" << 9001 << 1;
        QTest::newRow("duration 2^32 + 5") << QByteArray(R"("port":9001,"duration":4294967301)")
                                           << "时间间隔 4294967301 不在 1 到 3600000 毫秒之间, 已使用 1" << 9001 << 1;
        QTest::newRow("duration past an hour") << QByteArray(R"("port":9001,"duration":3600001)")
                                               << "时间间隔 3600001 不在 1 到 3600000 毫秒之间, 已使用 1" << 9001 << 1;
        QTest::newRow("both") << QByteArray(R"("port":70000,"duration":-1)")
                              << "端口 70000 不在 1 到 65535 之间, 已使用 8000; "
                                 "时间间隔 -1 不在 1 到 3600000 毫秒之间, 已使用 1"
                              << 8000 << 1;
    }
    // A port or duration the window cannot use as written is named beside
    // the connection state with the value used; the port box shows that
    // value, and a save writes it and every other member as read.
    void settingsMembersTheWindowCannotUseAreNamed() {
        QFETCH(QByteArray, members);
        QFETCH(QString, note);
        QFETCH(int, port);
        QFETCH(int, duration);
        writeConf("{\"ip\":\"platform.example\",\"protocol\":0," + members + "}");
        MainForm w;
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        auto* label = zt::child<QLabel>(w, "lbConfState");
        QCOMPARE(label->text(), note.isEmpty() ? QString() : "conf/conf.json: " + note);
        QCOMPARE(label->isHidden(), note.isEmpty());
        QCOMPARE(zt::child<QSpinBox>(w, "edtPort")->value(), port);

        QVERIFY(w.saveConfig());
        Zuno::ConnectionSettings expected;
        expected.ip = "platform.example";
        expected.port = static_cast<uint32_t>(port);
        expected.duration = static_cast<uint32_t>(duration);
        expected.protocolIndex = 0;
        QCOMPARE(tree->read("conf/conf.json").toStdString(), Zuno::settingsText(expected));
        // Written as used: the note has done its work.
        QVERIFY(label->isHidden());
    }

    void editorsNameAConfFolderRemovedWhileTheWindowRuns_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("message");
        for (const char* action : {"actionProtocol", "actionLogic", "actionCommand"})
            QTest::newRow(action) << action << "conf" << "文件夹不存在: conf";
        QTest::newRow("model editor, no model folder") << "actionProtocol" << "conf/model" << "文件夹不存在: conf/model";
        QTest::newRow("flow editor, no flow folder") << "actionLogic" << "conf/prop" << "文件夹不存在: conf/prop";
        QTest::newRow("command replies, no reply folder") << "actionCommand" << "conf/cmd" << "文件夹不存在: conf/cmd";
        QTest::newRow("command replies, empty reply folder") << "actionCommand" << "" << "";
    }
    void editorsNameAConfFolderRemovedWhileTheWindowRuns() {
        QFETCH(QString, action);
        QFETCH(QString, removed);
        QFETCH(QString, message);
        writeConf(R"({"ip":"10.1.2.3","port":9001,"duration":5,"protocol":0})");
        tree->mkdir("conf/cmd");
        MainForm w;
        if (!removed.isEmpty())
            QVERIFY(QDir(tree->path(removed)).removeRecursively());
        QString shown = "<no dialog>";
        QTimer driver;
        driver.setInterval(10);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = form->findChild<QLabel*>("lbMsg")->text();
                form->close();
            }
        });
        driver.start();
        w.findChild<QAction*>(action)->trigger();
        QCOMPARE(shown, message);
    }
};

ZT_GUI_TEST_MAIN(ConfFilesTest)
#include "conf_files_qtest.moc"
