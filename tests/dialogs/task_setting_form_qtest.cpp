// The send-flow editor driven by object name on a prepared conf/ tree.
#include <memory>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include "app/gui_test_main.h"
#include "config/base_folder.h"
#include "support/config_tree.h"
#include "dialogs/task_setting_form.h"
#include "settings_dialog_support.h"
#include "tools/dialog_support.h"

Q_DECLARE_METATYPE(zt::CloseBy)

namespace {

QByteArray modelFile(const char* cmd, const char* protocol) {
    return QByteArray("{\"cmd\":\"") + cmd + "\",\"protocol\":\"" + protocol + "\",\"components\":[]}";
}

const QByteArray kFlowB = R"({"cmd":"B","protocol":"P","note":"kept/1","commands":[
    {"cmd":"GPS12","isChecked":true,"delay":30},
    {"cmd":"LBS18","isChecked":false,"delay":700},
    {"cmd":"LOGIN","isChecked":false,"delay":0},
    {"cmd":"GONE","isChecked":true,"delay":5}]})";
const QByteArray kFlowA = R"({"cmd":"A","protocol":"Q"})";

} // namespace

class TaskSettingFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<zt::ConfigTree> tree;
    QWidget* window = nullptr;
    QPointer<TaskSettingForm> form;

    void open() {
        form = new TaskSettingForm(window);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    template <class T>
    T* child(const QString& name) {
        return form->findChild<T*>(name);
    }
    QListView* list() { return child<QListView>("lvProtocol"); }
    QGridLayout* panel() { return form->findChild<QGridLayout*>("panel"); }
    QString message() { return zt::messageOf(form); }
    void press(QDialogButtonBox::StandardButton which) { zt::pressButton(form, which); }
    void activate(int row) { zt::activateRow(list(), row); }
    QPoint cell(QWidget* w) {
        int row, column, rs, cs;
        panel()->getItemPosition(panel()->indexOf(w), &row, &column, &rs, &cs);
        return {row, column};
    }

private slots:
    void initTestCase() { qRegisterMetaType<ProtocolDataModel>("ProtocolDataModel"); }

    void init() {
        tree = std::make_unique<zt::ConfigTree>();
        Zuno::setBaseFolder(tree->root());
        tree->write("conf/prop/b.json", kFlowB);
        tree->write("conf/prop/a.json", kFlowA);
        tree->write("conf/model/login.json", modelFile("LOGIN", "P"));
        tree->write("conf/model/gps12.json", modelFile("GPS12", "P"));
        tree->write("conf/model/lbs18.json", modelFile("LBS18", "P"));
        tree->write("conf/model/sub/ping13.json", modelFile("PING13", "P"));
        tree->write("conf/model/connect.json", modelFile(" Connect2", "P"));
        tree->write("conf/model/q1.json", modelFile("Q1", "Q"));
        window = new QWidget;
    }
    void cleanup() {
        delete window;
        Zuno::setBaseFolder(QString());
        tree.reset();
    }

    void opensWithTheFirstFlowShown() {
        open();
        QCOMPARE(form->windowTitle(), QString("协议发送流程设置"));
        // 636 x 400, larger where the font needs it.
        QVERIFY(form->width() >= 636 && form->height() >= 400);
        QCOMPARE(list()->model()->rowCount(), 2);
        QCOMPARE(list()->model()->index(0, 0).data().toString(), QString("B\tb.json"));
        QCOMPARE(list()->model()->index(1, 0).data().toString(), QString("A\ta.json"));
        QCOMPARE(list()->currentIndex().row(), 0);
        QCOMPARE(list()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(message().isEmpty());

        // Five models of group P in "cmd" order: rows 0 to 2, filler in row 3.
        const struct {
            const char* cmd;
            QPoint at;
            bool checked, enabled;
            int delay;
        } rows[] = {{" Connect2", {0, 0}, true, false, 0}, {"GPS12", {0, 2}, true, true, 30},
                    {"LBS18", {1, 0}, false, true, 600},
                    // Listed unticked: shown so, and a save leaves it out.
                    {"LOGIN", {1, 2}, false, false, 0},
                    {"PING13", {2, 0}, false, true, 1}};
        for (const auto& row : rows) {
            const QString cmd = QString::fromUtf8(row.cmd);
            auto* check = child<QCheckBox>(cmd + "_ck");
            auto* spin = child<QSpinBox>(cmd + "_sp");
            QVERIFY2(check && spin, row.cmd);
            QCOMPARE(check->text(), cmd);
            QCOMPARE(cell(check), row.at);
            QCOMPARE(cell(spin), row.at + QPoint(0, 1));
            QCOMPARE(check->isChecked(), row.checked);
            QCOMPARE(check->isEnabled(), row.enabled);
            QCOMPARE(spin->isEnabled(), row.enabled);
            QCOMPARE(spin->value(), row.delay);
            // 90 x 20 and 120 x 20, wider when the text needs it, higher for
            // a higher font.
            QCOMPARE(check->height(), qMax(20, check->fontMetrics().height()));
            QVERIFY(check->width() >= 90);
            QCOMPARE(check->layoutDirection(), Qt::RightToLeft);
            QVERIFY(spin->height() >= qMax(20, spin->fontMetrics().height()));
            QVERIFY(spin->width() >= 120);
            QCOMPARE(spin->prefix(), QString("发送间隔:"));
            QCOMPARE(spin->suffix(), QString("秒"));
            QCOMPARE(spin->maximum(), row.enabled ? 600 : 0);
        }
        QVERIFY(!child<QCheckBox>("Q1_ck"));
        QVERIFY(!child<QCheckBox>("GONE_ck"));
        QLayoutItem* filler = panel()->itemAtPosition(3, 0);
        QVERIFY(filler && qobject_cast<QLabel*>(filler->widget()));
        QCOMPARE(panel()->count(), 11);
    }

    void saveWritesTheCheckedStepsAndReportsOnce() {
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        QTest::mouseClick(child<QCheckBox>("GPS12_ck"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>("LBS18_ck"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>("PING13_ck"), Qt::LeftButton);
        QSpinBox* lbs = child<QSpinBox>("LBS18_sp");
        lbs->setFocus();
        lbs->selectAll();
        QTest::keyClicks(lbs, "10");
        QCOMPARE(lbs->value(), 10);
        QTest::keyClick(child<QSpinBox>("PING13_sp"), Qt::Key_Up);

        press(QDialogButtonBox::Save);
        const QByteArray expected = R"({
  "cmd": "B",
  "commands": [
    {
      "cmd": " Connect2",
      "delay": 0,
      "isChecked": true
    },
    {
      "cmd": "LBS18",
      "delay": 10,
      "isChecked": true
    },
    {
      "cmd": "PING13",
      "delay": 2,
      "isChecked": true
    }
  ],
  "note": "kept\/1",
  "protocol": "P"
}
)";
        QCOMPARE(tree->read("conf/prop/b.json"), expected);
        QCOMPARE(message(), QString("保存配置\"B\"完成, 文件:conf/prop/b.json"));
        QCOMPARE(spy.count(), 1);
        const auto record = spy.at(0).at(0).value<ProtocolDataModel>();
        QCOMPARE(record.cmd, QString("B"));
        QCOMPARE(record.absoluteFilePath, QFileInfo(tree->path("conf/prop/b.json")).absoluteFilePath());
        QVERIFY(form->isVisible());

        // Saving again writes the same text and reports again.
        press(QDialogButtonBox::Save);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(tree->read("conf/prop/b.json"), expected);
    }

    // The file's interval, its low 16 bits read as a signed number, shows
    // within 1 to 600 and is saved as shown.
    void intervalsShowAndSaveWithinTheirRange_data() {
        QTest::addColumn<QByteArray>("listed");
        QTest::addColumn<int>("shown");
        const struct {
            const char* listed;
            int shown;
        } rows[] = {{"-3", 1}, {"0", 1}, {"1", 1}, {"600", 600}, {"601", 600}, {"40000", 1}, {"65537", 1}};
        for (const auto& row : rows)
            QTest::newRow(row.listed) << QByteArray(row.listed) << row.shown;
    }
    void intervalsShowAndSaveWithinTheirRange() {
        QFETCH(QByteArray, listed);
        QFETCH(int, shown);
        tree->write("conf/prop/b.json",
                    R"({"cmd":"B","protocol":"P","commands":[{"cmd":"GPS12","isChecked":true,"delay":)" + listed + "}]}");
        open();
        QCOMPARE(child<QSpinBox>("GPS12_sp")->value(), shown);
        QCOMPARE(child<QSpinBox>("GPS12_sp")->text(), "发送间隔:" + QString::number(shown) + "秒");
        press(QDialogButtonBox::Save);
        int saved = -1;
        for (const QJsonValue& step : QJsonDocument::fromJson(tree->read("conf/prop/b.json")).object()["commands"].toArray())
            if (step.toObject()["cmd"].toString() == "GPS12")
                saved = step.toObject()["delay"].toInt();
        QCOMPARE(saved, shown);
    }

    // A flow and a model whose names are 1 MB long: listed and shown cut,
    // whole in the tool tips as far as a screen holds; Save keeps the whole
    // name in the file and names the flow cut.
    void hugeNamesAreDrawnCut() {
        const QByteArray huge = "C" + QByteArray((1 << 20) - 1, 'c');
        tree->write("conf/prop/c.json", R"({"cmd":")" + huge + R"(","protocol":"P","commands":[]})");
        tree->write("conf/model/huge.json", modelFile(huge.constData(), "P"));
        open();
        const QString cut = QString::fromLatin1(huge.left(256)) + "…";
        const QModelIndex first = list()->model()->index(0, 0);
        QCOMPARE(first.data().toString(), cut + "\tc.json");
        QVERIFY(first.data(Qt::ToolTipRole).toString().startsWith(QString::fromLatin1(huge.left(64)) + "\n"));
        QVERIFY(list()->model()->index(1, 0).data(Qt::ToolTipRole).isNull());
        auto* step = child<QCheckBox>(QString::fromLatin1(huge) + "_ck");
        QVERIFY(step);
        QCOMPARE(step->text(), cut);
        QCOMPARE(step->toolTip(), first.data(Qt::ToolTipRole).toString());
        step->setChecked(true);
        press(QDialogButtonBox::Save);
        QCOMPARE(message(), "保存配置\"" + cut + "\"完成, 文件:conf/prop/c.json");
        // The flow's name and its step's, whole.
        const QJsonObject saved = QJsonDocument::fromJson(tree->read("conf/prop/c.json")).object();
        QCOMPARE(saved["cmd"].toString(), QString::fromLatin1(huge));
        QStringList steps;
        for (const QJsonValue& step : saved["commands"].toArray())
            steps << step.toObject()["cmd"].toString();
        QCOMPARE(steps, (QStringList{" Connect2", QString::fromLatin1(huge), "LOGIN"}));
    }

    void enterActivatesARowWithoutSaving() {
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        press(QDialogButtonBox::Save);
        QVERIFY(!message().isEmpty());
        const QByteArray savedB = tree->read("conf/prop/b.json");

        activate(1);
        QVERIFY(child<QCheckBox>("Q1_ck"));
        QVERIFY(!child<QCheckBox>("GPS12_ck"));
        QVERIFY(!child<QCheckBox>("Q1_ck")->isChecked());
        QCOMPARE(child<QSpinBox>("Q1_sp")->value(), 1);
        QVERIFY(message().isEmpty()); // the previous save's message is gone
        QCOMPARE(spy.count(), 1);
        QCOMPARE(tree->read("conf/prop/a.json"), kFlowA);
        QCOMPARE(tree->read("conf/prop/b.json"), savedB);
    }

    void saveWritesTheFlowOnShowAfterASingleClick() {
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        zt::clickRow(list(), 1);
        QCOMPARE(list()->currentIndex().row(), 1);
        QVERIFY(child<QCheckBox>("GPS12_ck")); // still flow B's panel

        press(QDialogButtonBox::Save);
        QCOMPARE(tree->read("conf/prop/a.json"), kFlowA);
        QVERIFY(tree->read("conf/prop/b.json") != kFlowB);
        QCOMPARE(message(), QString("保存配置\"B\"完成, 文件:conf/prop/b.json"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<ProtocolDataModel>().cmd, QString("B"));
    }

    void brokenFlowIsReportedAndNeverWritten_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("syntax") << QByteArray("{\"cmd\":\"B\",");
        QTest::newRow("array") << QByteArray("[{\"cmd\":\"B\",\"protocol\":\"P\"}]");
        QTest::newRow("huge number") << QByteArray("{\"cmd\":\"B\",\"protocol\":\"P\",\"n\":1e999}");
        QTest::newRow("cmd not a string") << QByteArray("{\"cmd\":1,\"protocol\":\"P\",\"commands\":[{\"cmd\":\"GPS12\"}]}");
    }
    void brokenFlowIsReportedAndNeverWritten() {
        QFETCH(QByteArray, text);
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        tree->write("conf/prop/b.json", text); // broken after it was listed
        const QString error = "读取配置\"B\"错误, 文件:conf/prop/b.json";
        activate(0);
        QCOMPARE(message(), error);
        if (QTest::currentDataTag() != QByteArray("cmd not a string"))
            QCOMPARE(panel()->count(), 0);
        press(QDialogButtonBox::Save);
        QCOMPARE(message(), error);
        QCOMPARE(tree->read("conf/prop/b.json"), text);
        QCOMPARE(spy.count(), 0);
    }

    // A flow whose bytes are not all UTF-8 (a step named in GBK) is never
    // rewritten: its text holds replacements for them. Nor is one with a
    // note after its object.
    void flowThatCannotBeRewrittenAsReadIsNeverSaved_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("saved");
        const QByteArray gbk = "{\"cmd\":\"B\",\"protocol\":\"P\",\"commands\":["
                               "{\"cmd\":\"GPS12\",\"isChecked\":true,\"delay\":30},"
                               "{\"cmd\":\"\xB6\xA8\xCE\xBB\",\"isChecked\":true,\"delay\":5}]}";
        QTest::newRow("GBK step") << gbk << "读取配置\"B\"错误, 文件:conf/prop/b.json (文件不是UTF-8编码)"
                                  << "保存配置\"B\"失败, 文件:conf/prop/b.json (文件不是UTF-8编码)";
        // Read as its first JSON value, shown, never saved: the save would
        // drop what follows it.
        QTest::newRow("note after the object")
            << kFlowB + "\n// the flow of platform B\n"
            << "读取配置\"B\"完成, 文件:conf/prop/b.json (第6行起JSON值之后还有内容, 已忽略, 不会保存此文件)"
            << "保存配置\"B\"失败, 文件:conf/prop/b.json (第6行起JSON值之后还有内容, 保存会丢失它)";
        QTest::newRow("trailing comma")
            << kFlowB + ","
            << "读取配置\"B\"完成, 文件:conf/prop/b.json (第5行起JSON值之后还有内容, 已忽略, 不会保存此文件)"
            << "保存配置\"B\"失败, 文件:conf/prop/b.json (第5行起JSON值之后还有内容, 保存会丢失它)";
    }
    void flowThatCannotBeRewrittenAsReadIsNeverSaved() {
        QFETCH(QByteArray, text);
        QFETCH(QString, opened);
        QFETCH(QString, saved);
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        tree->write("conf/prop/b.json", text); // changed after it was listed
        activate(0);
        QCOMPARE(message(), opened);
        press(QDialogButtonBox::Save);
        QCOMPARE(message(), saved);
        QCOMPARE(tree->read("conf/prop/b.json"), text);
        QCOMPARE(spy.count(), 0);
    }

    // A flow written by hand with a byte-order mark and CRLF line ends is
    // shown and saved as any: the save writes it without the mark, with LF.
    void flowWrittenByHandIsShownAndSaved() {
        QByteArray bytes = kFlowB;
        bytes.replace("\n", "\r\n").prepend("\xEF\xBB\xBF");
        tree->write("conf/prop/b.json", bytes);
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        activate(0);
        QVERIFY2(message().isEmpty(), qPrintable(message()));
        QVERIFY(child<QCheckBox>("GPS12_ck")->isChecked());
        QCOMPARE(child<QSpinBox>("GPS12_sp")->value(), 30);
        press(QDialogButtonBox::Save);
        QCOMPARE(message(), QString("保存配置\"B\"完成, 文件:conf/prop/b.json"));
        QCOMPARE(spy.count(), 1);
        const QByteArray written = tree->read("conf/prop/b.json");
        QVERIFY(written.startsWith("{\n  \"cmd\": \"B\",\n"));
        QVERIFY(!written.contains('\r'));
        QVERIFY(written.contains("\"note\": \"kept\\/1\""));
    }

    void unwritableFileIsReportedNotSaved() {
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        zt::LockedFolder lock(tree->path("conf/prop/b.json"));
        QVERIFY(lock.locked());
        press(QDialogButtonBox::Save);
        QVERIFY2(message().startsWith("保存配置\"B\"失败, 文件:conf/prop/b.json"), qPrintable(message()));
        QCOMPARE(spy.count(), 1); // the window still reloads
        QCOMPARE(tree->read("conf/prop/b.json"), kFlowB);
    }

    // A save that fails on the way leaves the flow byte for byte and says
    // "失败" and why; never "完成", never a file written in place.
    void failedSaveLeavesTheFileAndSaysWhy_data() { zt::addSaveFailureRows(); }
    void failedSaveLeavesTheFileAndSaysWhy() {
        QFETCH(int, failure);
        open();
        {
            const zt::FailingSave failing(failure, tree->path("conf/prop"));
            QVERIFY(failing.ready());
            press(QDialogButtonBox::Save);
        }
        QVERIFY2(message().startsWith("保存配置\"B\"失败, 文件:conf/prop/b.json ("), qPrintable(message()));
        QCOMPARE(tree->read("conf/prop/b.json"), kFlowB);
        QCOMPARE(QDir(tree->path("conf/prop")).entryList({"*b.json*"}, QDir::Files | QDir::Hidden),
                 QStringList{"b.json"});
    }

    void withoutFlowsTheDialogIsEmpty_data() {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty flow folder") << "" << "";
        QTest::newRow("no flow folder") << "conf/prop" << "文件夹不存在: conf/prop";
        QTest::newRow("no conf folder") << "conf" << "文件夹不存在: conf";
    }
    // A folder removed while the program runs is named when the editor
    // opens; a folder that is there but empty says nothing.
    void withoutFlowsTheDialogIsEmpty() {
        QFETCH(QString, removed);
        QFETCH(QString, message);
        QVERIFY(QDir(tree->path("conf/prop")).removeRecursively());
        if (removed.isEmpty())
            tree->mkdir("conf/prop");
        else
            QVERIFY(QDir(tree->path(removed)).removeRecursively());
        open();
        QSignalSpy spy(form.data(), &TaskSettingForm::signalSendConfigChange);
        QCOMPARE(list()->model()->rowCount(), 0);
        QCOMPARE(panel()->count(), 0);
        QCOMPARE(this->message(), message);
        press(QDialogButtonBox::Save);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(this->message(), message);
    }

    // A flow whose models' folder is gone shows no steps and says why.
    void withoutModelsTheFlowShowsNoStepsAndSaysWhy() {
        QVERIFY(QDir(tree->path("conf/model")).removeRecursively());
        open();
        QCOMPARE(list()->model()->rowCount(), 2);
        QCOMPARE(form->findChildren<QCheckBox*>().size(), 0);
        QCOMPARE(message(), QString("文件夹不存在: conf/model"));
    }

    void closingDeletesTheDialog_data() {
        QTest::addColumn<zt::CloseBy>("how");
        QTest::newRow("Close button") << zt::CloseBy::Button;
        QTest::newRow("window") << zt::CloseBy::Window;
        QTest::newRow("Escape") << zt::CloseBy::Escape;
    }
    void closingDeletesTheDialog() {
        QFETCH(zt::CloseBy, how);
        QVERIFY(zt::execClosesAndDeletes(new TaskSettingForm(window), how));
    }
};

ZT_GUI_TEST_MAIN(TaskSettingFormTest)
#include "task_setting_form_qtest.moc"
