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

#include <sys/stat.h>
#include <sys/sysmacros.h>

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
enum class Special { None, Folder, LinkToZero, LinkToFifo, LinkToText };

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
    // Puts `special` (or `bytes`) at `relative`; a FIFO, a device or a text
    // a link leads to lies outside conf/.
    void place(const QString& relative, Special special, const QByteArray& bytes) {
        QFile::remove(tree->path(relative));
        switch (special) {
        case Special::None: tree->write(relative, bytes); break;
        case Special::Folder: tree->mkdir(relative); break;
        case Special::LinkToZero: {
            // A zero device of the test's own where it may make one: a save
            // that replaced it would not replace the system's.
            const QString zero = ::mknod(QFile::encodeName(tree->path("zero")).constData(), S_IFCHR | 0600,
                                         makedev(1, 5)) == 0
                                     ? tree->path("zero")
                                     : QStringLiteral("/dev/zero");
            QVERIFY(QFile::link(zero, tree->path(relative)));
            break;
        }
        case Special::LinkToFifo:
            QVERIFY(zt::makeFifo(tree->path("fifo").toStdString()));
            QVERIFY(QFile::link(tree->path("fifo"), tree->path(relative)));
            break;
        case Special::LinkToText:
            tree->write("home/list.txt", bytes);
            QVERIFY(QFile::link(tree->path("home/list.txt"), tree->path(relative)));
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

    void settingsFileThatCouldNotBeReadIsNamedAndNeverSavedOver_data() {
        QTest::addColumn<Special>("special");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("100,000 nested objects")
            << Special::None << QByteArray::fromStdString(zt::nestedObjects(100000)) << "JSON嵌套超过256层";
        QTest::newRow("not JSON") << Special::None << QByteArray("{\"ip\": \"10.0.0.1\",") << "不是有效的JSON (第1行)";
        QTest::newRow("a number no double holds")
            << Special::None << QByteArray("{\"ip\": \"10.0.0.1\",\n \"note\": 1e400}") << "不是有效的JSON (第2行: 数值超出范围)";
        QTest::newRow("over 4 MB") << Special::None
                                   << QByteArray("{\"ip\":\"10.0.0.9\"}") + QByteArray(4 * 1024 * 1024, ' ')
                                   << "文件超过4 MB";
        QTest::newRow("link to a text file") << Special::LinkToText << QByteArray("my shopping list\n")
                                             << "不是有效的JSON (第1行)";
        QTest::newRow("link to a zero device") << Special::LinkToZero << QByteArray() << "不是普通文件";
        QTest::newRow("link to a FIFO") << Special::LinkToFifo << QByteArray() << "不是普通文件";
        QTest::newRow("folder") << Special::Folder << QByteArray() << "这是一个文件夹";
    }
    // Each of them crashed the start, ran memory out or blocked it for ever;
    // now the note says why and the defaults are used. Connect and Send save
    // the panel first: over such a file they write nothing. It stays as it
    // was (bytes, link, FIFO, device, folder), the note says so and why, and
    // the panel's values serve the session.
    void settingsFileThatCouldNotBeReadIsNamedAndNeverSavedOver() {
        QFETCH(Special, special);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        writeConf("{}");
        place("conf/conf.json", special, bytes);
        const QFileInfo file(tree->path("conf/conf.json"));
        const QString target = file.symLinkTarget();
        const std::unique_ptr<MainForm> made = startWithinDeadline();
        MainForm& w = *made;
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        auto* note = zt::child<QLabel>(w, "lbConfState");
        QCOMPARE(note->text(), "conf/conf.json 无法读取 (" + reason + "), 已使用默认设置");
        QVERIFY(!note->isHidden());
        QCOMPARE(zt::child<QLineEdit>(w, "edtIp")->text(), QString("127.0.0.1"));
        QCOMPARE(w.currentStatus(), CLIENT_DISCONNECTED);

        zt::child<QLineEdit>(w, "edtIp")->setText("10.9.8.7");
        zt::child<QSpinBox>(w, "edtPort")->setValue(9100);
        bool saved = true;
        {
            const zt::Deadline deadline("the save");
            saved = w.saveConfig();
        }
        QVERIFY(!saved);
        QCOMPARE(note->text(), "conf/conf.json 无法读取 (" + reason + "), 保持原样未保存");
        QVERIFY(!note->isHidden());
        QCOMPARE(QFileInfo(file.filePath()).symLinkTarget(), target);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(file.filePath()).constData(), &info), 0);
        switch (special) {
        case Special::None: QCOMPARE(tree->read("conf/conf.json"), bytes); break;
        case Special::Folder: QVERIFY(S_ISDIR(info.st_mode)); break;
        case Special::LinkToZero: QVERIFY(S_ISCHR(info.st_mode)); break;
        case Special::LinkToFifo: QVERIFY(S_ISFIFO(info.st_mode)); break;
        case Special::LinkToText: QCOMPARE(tree->read("home/list.txt"), bytes); break;
        }
        QCOMPARE(QDir(tree->path("conf")).entryList({"*conf.json*"}, QDir::AllEntries | QDir::Hidden | QDir::System),
                 QStringList{"conf.json"});
        // The panel keeps what the user typed.
        QCOMPARE(zt::child<QLineEdit>(w, "edtIp")->text(), QString("10.9.8.7"));
        QCOMPARE(zt::child<QSpinBox>(w, "edtPort")->value(), 9100);
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
        QTest::addColumn<uint>("duration");
        QTest::newRow("as written") << QByteArray(R"("port":65535,"duration":3600000)") << "" << 65535 << 3600000u;
        QTest::newRow("duration 0 is 1") << QByteArray(R"("port":1,"duration":0)") << "" << 1 << 1u;
        QTest::newRow("duration of two hours") << QByteArray(R"("port":9001,"duration":7200000)") << "" << 9001 << 7200000u;
        QTest::newRow("largest duration") << QByteArray(R"("port":9001,"duration":4294967295)") << "" << 9001 << 4294967295u;
        QTest::newRow("port above") << QByteArray(R"("port":70000,"duration":5)")
                                    << "端口 70000 不在 1 到 65535 之间, 已使用 65535" << 65535 << 5u;
        QTest::newRow("port one above") << QByteArray(R"("port":65536,"duration":5)")
                                        << "端口 65536 不在 1 到 65535 之间, 已使用 65535" << 65535 << 5u;
        QTest::newRow("port 0") << QByteArray(R"("port":0,"duration":5)")
                                << "端口 0 不在 1 到 65535 之间, 已使用 1" << 1 << 5u;
        // Cut to 32 bits, then into the port box's range.
        QTest::newRow("port -1") << QByteArray(R"("port":-1,"duration":5)")
                                 << "端口 -1 超出32位, 取低32位为 4294967295, 不在 1 到 65535 之间, 已使用 65535" << 65535 << 5u;
        QTest::newRow("port 2^32") << QByteArray(R"("port":4294967296,"duration":5)")
                                   << "端口 4294967296 超出32位, 取低32位为 0, 不在 1 到 65535 之间, 已使用 1" << 1 << 5u;
        QTest::newRow("port 2^32 + 9001") << QByteArray(R"("port":4294976297,"duration":5)")
                                          << "端口 4294976297 超出32位, 已使用 9001" << 9001 << 5u;
        // No 64-bit integer: named as written, the default used.
        QTest::newRow("port as text") << QByteArray(R"("port":"9001","duration":5)")
                                      << "端口 \"9001\" 应为整数, 已使用 8000" << 8000 << 5u;
        QTest::newRow("port with a fraction") << QByteArray(R"("port":8080.5,"duration":5)")
                                              << "端口 8080.5 应为整数, 已使用 8000" << 8000 << 5u;
        QTest::newRow("port with an exponent") << QByteArray(R"("port":1e20,"duration":5)")
                                               << "端口 1e20 应为整数, 已使用 8000" << 8000 << 5u;
        // Cut to 32 bits; only 32 bits of 0 are read as 1.
        QTest::newRow("duration -1") << QByteArray(R"("port":9001,"duration":-1)")
                                     << "时间间隔 -1 超出32位, 已使用 4294967295" << 9001 << 4294967295u;
        QTest::newRow("duration 2^32") << QByteArray(R"("port":9001,"duration":4294967296)")
                                       << "时间间隔 4294967296 超出32位, 已使用 1" << 9001 << 1u;
        QTest::newRow("duration 2^32 + 2") << QByteArray(R"("port":9001,"duration":4294967298)")
                                           << "时间间隔 4294967298 超出32位, 已使用 2" << 9001 << 2u;
        QTest::newRow("duration as text") << QByteArray(R"("port":9001,"duration":"5")")
                                          << "时间间隔 \"5\" 应为整数, 已使用 1" << 9001 << 1u;
        QTest::newRow("both") << QByteArray(R"("port":70000,"duration":-1)")
                              << "端口 70000 不在 1 到 65535 之间, 已使用 65535; "
                                 "时间间隔 -1 超出32位, 已使用 4294967295"
                              << 65535 << 4294967295u;
    }
    // A port or duration the window cannot use as written is named beside
    // the connection state with the value used; the port box shows that
    // value, and a save writes it and every other member as read.
    void settingsMembersTheWindowCannotUseAreNamed() {
        QFETCH(QByteArray, members);
        QFETCH(QString, note);
        QFETCH(int, port);
        QFETCH(uint, duration);
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
        expected.duration = duration;
        expected.protocolIndex = 0;
        QCOMPARE(tree->read("conf/conf.json").toStdString(), Zuno::settingsText(expected));
        // Written as used: the note has done its work.
        QVERIFY(label->isHidden());
    }

    // A byte that is no UTF-8 in a member the program never reads spoils
    // nothing: the other members are read, and a save writes them back.
    // In the address it is named, with the value used.
    void settingsMembersAreReadOneByOne_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("ip");
        QTest::newRow("note in GBK") << QByteArray("{\"note\":\"\xB2\xE2\xCA\xD4\",\"ip\":\"10.1.2.3\",\"port\":9,"
                                                   "\"duration\":1000,\"protocol\":0}")
                                     << "" << "10.1.2.3";
        QTest::newRow("address in GBK") << QByteArray("{\"ip\":\"\xB2\xE2\xCA\xD4\",\"port\":9,\"duration\":1000,\"protocol\":0}")
                                        << "地址 \"\uFFFD\uFFFD\uFFFD\uFFFD\" 不是UTF-8编码, 已使用 127.0.0.1" << "127.0.0.1";
    }
    void settingsMembersAreReadOneByOne() {
        QFETCH(QByteArray, settings);
        QFETCH(QString, note);
        QFETCH(QString, ip);
        writeConf(settings);
        MainForm w;
        auto* label = zt::child<QLabel>(w, "lbConfState");
        QCOMPARE(label->text(), note.isEmpty() ? QString() : "conf/conf.json: " + note);
        QCOMPARE(zt::child<QLineEdit>(w, "edtIp")->text(), ip);
        QCOMPARE(zt::child<QSpinBox>(w, "edtPort")->value(), 9);
        QVERIFY(w.saveConfig());
        Zuno::ConnectionSettings expected;
        expected.ip = ip.toStdString();
        expected.port = 9;
        expected.duration = 1000;
        expected.protocolIndex = 0;
        QCOMPARE(tree->read("conf/conf.json").toStdString(), Zuno::settingsText(expected));
        QVERIFY(label->isHidden());
    }

    // Every file of conf/ as people write it by hand: with a byte-order
    // mark, CRLF line ends, no final line feed, a note after its JSON value.
    // The window reads each as its first JSON value: the flow is listed and
    // loaded, login first, and the panel shows conf.json's values. A save
    // writes conf.json without the mark and with LF; one with a note after
    // its object is left as it is, and the note says so and why.
    void filesWrittenByHandAreRead_data() {
        QTest::addColumn<bool>("bom");
        QTest::addColumn<bool>("crlf");
        QTest::addColumn<bool>("noFinalLineFeed");
        QTest::addColumn<bool>("note");
        QTest::newRow("byte-order mark") << true << false << false << false;
        QTest::newRow("CRLF") << false << true << false << false;
        QTest::newRow("no final line feed") << false << false << true << false;
        QTest::newRow("a note after the value") << false << false << false << true;
        QTest::newRow("all of them") << true << true << true << true;
    }
    void filesWrittenByHandAreRead() {
        QFETCH(bool, bom);
        QFETCH(bool, crlf);
        QFETCH(bool, noFinalLineFeed);
        QFETCH(bool, note);
        writeConf(R"({"ip":"platform.example","port":9001,"duration":5,"protocol":0})" "\n");
        QDirIterator it(tree->path("conf"), {"*.json"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = QDir(tree->root()).relativeFilePath(it.next());
            QByteArray bytes = tree->read(relative);
            if (noFinalLineFeed)
                while (bytes.endsWith('\n'))
                    bytes.chop(1);
            if (note)
                bytes += "\n// written by hand, 手写\n";
            if (crlf)
                bytes.replace("\n", "\r\n");
            if (bom)
                bytes.prepend("\xEF\xBB\xBF");
            tree->write(relative, bytes);
        }
        const QByteArray settings = tree->read("conf/conf.json");
        MainForm w;
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        QCOMPARE(zt::comboRows(zt::child<QComboBox>(w, "cbProtocol")), QStringList{"默认流程"});
        QList<int> numbers;
        for (const SendTask& t : w.sendFlow())
            numbers << t.message->command;
        QCOMPARE(numbers, (QList<int>{0x01, 0x13, 0x22}));
        QCOMPARE(zt::child<QLineEdit>(w, "edtIp")->text(), QString("platform.example"));
        QCOMPARE(zt::child<QSpinBox>(w, "edtPort")->value(), 9001);
        auto* label = zt::child<QLabel>(w, "lbConfState");
        const QString ignored = QString("第%1行起JSON值之后还有内容").arg(settings.left(settings.indexOf("//")).count('\n') + 1);
        QCOMPARE(label->text(), note ? "conf/conf.json: " + ignored + ", 已忽略, 不会保存此文件" : QString());

        zt::child<QSpinBox>(w, "edtPort")->setValue(9002);
        QCOMPARE(w.saveConfig(), !note);
        if (note) {
            QCOMPARE(label->text(), "conf/conf.json 保存失败 (" + ignored + ", 保存会丢失它)");
            QCOMPARE(tree->read("conf/conf.json"), settings);
        } else {
            QVERIFY(label->isHidden());
            Zuno::ConnectionSettings expected;
            expected.ip = "platform.example";
            expected.port = 9002;
            expected.duration = 5;
            QCOMPARE(tree->read("conf/conf.json").toStdString(), Zuno::settingsText(expected));
        }
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
