// The message model editor driven by object name on a prepared conf/ tree.
#include <ctime>
#include <memory>
#include <string>

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QtTest>

#include "app/gui_test_main.h"
#include "builders/model_file.h"
#include "config/base_folder.h"
#include "dialogs/data_setting_model.h"
#include "support/config_tree.h"
#include "dialogs/alert_lng_form.h"
#include "dialogs/alert_status_form.h"
#include "dialogs/data_setting_form.h"
#include "dialogs/device_status_form.h"
#include "protocol/message.h"
#include "settings_dialog_support.h"
#include "tools/dialog_support.h"
#include "widgets/fit_size.h"
#include "widgets/qt_check_combo_box.h"
#include "widgets/qt_long_long_spin_box.h"

Q_DECLARE_METATYPE(zt::CloseBy)

namespace {

// Fourteen components: every kind, one without "readOnly", one of no kind,
// and a label holding a blank.
const QByteArray kGps = R"({"cmd":"GPS12","protocol":"P","components":[
 {"label":"卫星数","component":"numberEdit","readOnly":false,"value":"999","max":700,"placeholder":"颗"},
 {"label":"MCC","component":"numberEdit","readOnly":true,"value":"-5"},
 {"label":"IMEI","component":"textEdit","readOnly":false,"value":12345,"placeholder":"号码","maxLength":8},
 {"label":"告警类型","component":"comoboxList","readOnly":false,"value":"1","dataSource":{"inner":false}},
 {"label":"电量","component":"comoboxList","readOnly":true,"value":"2","dataSource":{"inner":true,
   "data":[{"key":"低","val":1},{"key":"中","val":2},{"key":"高","val":3}]}},
 {"label":"模式","component":"checkComboBox","readOnly":false,"value":"5","dataSource":{"inner":true,
   "data":[{"key":"P","val":0},{"key":"Q","val":1},{"key":"R","val":2}]}},
 {"label":"日期时间","component":"dateTimeEdit","readOnly":false,"value":"2020-03-01 08:05:09"},
 {"label":"告警语言","component":"actionEdit","readOnly":true,"value":"33537"},
 {"label":"航向/状态","component":"actionEdit","readOnly":false,"value":"5222"},
 {"label":"X","component":"textEdit","value":"no readOnly"},
 {"label":"odd","component":"numberEdt","readOnly":false,"value":"7"},
 {"label":"传输模块","component":"actionEdit","readOnly":false,"value":"abc"},
 {"label":"终端信息","component":"actionEdit","readOnly":false,"value":"70"},
 {"label":"有 空格","component":"actionEdit","readOnly":false,"value":"1"}]})";

const QByteArray kSmall = R"({"protocol":"P","cmd":" ZED ","note":"a/b","components":[
 {"label":"LAC","component":"numberEdit","readOnly":false,"value":"1","max":99999},
 {"label":"LAC0","component":"textEdit","readOnly":false,"mask":"99-99"},
 {"label":"日期","component":"dateTimeEdit","readOnly":false,"value":"2200-01-01 00:00:00"}]})";

// The start of the message naming the fields that keep the file's value.
const QString kKept = QStringLiteral("这些字段无法显示文件中的值, 未修改时保存原值: ");

const QByteArray kReply = R"({"cmd":"CMD81","protocol":"P","components":[
 {"label":"内容","component":"textEdit","readOnly":false,"value":"ok"}]})";

// The local time zone for one test, restored when it ends; "" leaves it.
struct ZoneGuard {
    explicit ZoneGuard(const QByteArray& zone) : old(qgetenv("TZ")), set(!zone.isEmpty()) {
        if (set)
            use(zone);
    }
    ~ZoneGuard() {
        if (set)
            use(old);
    }
    static void use(const QByteArray& zone) {
        qputenv("TZ", zone);
        tzset();
    }
    const QByteArray old;
    const bool set;
};

// What an editor shows: its text, its current item, or its moment in UTC.
QString shownText(QWidget* editor) {
    if (auto* date = qobject_cast<QDateTimeEdit*>(editor))
        return date->dateTime().toUTC().toString("yyyy-MM-dd hh:mm:ss");
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->displayText();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(editor))
        return spin->text();
    if (auto* box = qobject_cast<QComboBox*>(editor))
        return box->currentText();
    return QString();
}

} // namespace

class DataSettingFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<zt::ConfigTree> tree;
    QWidget* window = nullptr;
    QPointer<DataSettingForm> form;
    QList<std::pair<std::string, std::string>> commands; // what signalSendCmd carried

    void open(uint8_t mode) {
        form = new DataSettingForm(window, mode);
        connect(form.data(), &DataSettingForm::signalSendCmd, this,
                [this](const std::string& cmd, const std::string& json) { commands.append({cmd, json}); });
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    // The widget the fields scroll in; every label and editor is a child of it.
    QWidget* fields() { return form->findChild<QWidget*>("scrollAreaWidgetContents"); }
    QScrollArea* fieldsArea() { return form->findChild<QScrollArea*>("scrollArea"); }
    template <class T>
    T* child(const QString& name) {
        return fields()->findChild<T*>(name, Qt::FindDirectChildrenOnly);
    }
    QListView* list() { return form->findChild<QListView*>("lvProtocol"); }
    QGridLayout* panel() { return form->findChild<QGridLayout*>("panel"); }
    QString message() { return zt::messageOf(form); }
    void save() { zt::pressButton(form, QDialogButtonBox::Save); }
    void activate(int row) { zt::activateRow(list(), row); }
    QWidget* at(int row, int column) {
        QLayoutItem* item = panel()->itemAtPosition(row, column);
        return item ? item->widget() : nullptr;
    }
    QString labelAt(int row, int column) {
        auto* label = qobject_cast<QLabel*>(at(row, column));
        return label ? label->text() : QString("<none>");
    }
    Zuno::LabelValueMap saved(const QString& relative) {
        Zuno::LabelValueMap fields;
        Zuno::readModelFields(tree->read(relative).toStdString(), fields);
        return fields;
    }
    // Presses the trailing button of an actionEdit and, inside the popup's
    // modal loop, does `act` on the popup of type Popup.
    template <class Popup, class Act>
    bool throughPopup(const QString& editName, Act act) {
        auto* edit = child<QLineEdit>(editName);
        if (!edit || edit->actions().size() != 1)
            return false;
        bool seen = false;
        QTimer::singleShot(0, form.data(), [&] {
            auto* popup = form->findChild<Popup*>();
            if (!popup)
                return;
            seen = true;
            act(popup);
        });
        edit->actions().first()->trigger();
        return seen;
    }

private slots:
    void initTestCase() { qRegisterMetaType<ProtocolDataModel>("ProtocolDataModel"); }

    void init() {
        tree = std::make_unique<zt::ConfigTree>();
        Zuno::setBaseFolder(tree->root());
        tree->write("conf/model/gps.json", kGps);
        tree->write("conf/model/z.json", kSmall);
        tree->write("conf/cmd/cmd81.json", kReply);
        tree->write("conf/cmd/sub/alpha.json", R"({"cmd":"ALPHA","protocol":"P","components":[]})");
        window = new QWidget;
        commands.clear();
    }
    void cleanup() {
        fitsize::assumeAvailableSize(QSize());
        delete window;
        Zuno::setBaseFolder(QString());
        tree.reset();
    }

    void opensItsFolderPerMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("message");
        // z.json's date lies beyond what the field shows.
        QTest::newRow("models") << 1 << "协议数据设置" << QStringList{"ZED\tz.json", "GPS12\tgps.json"}
                                << kKept + "日期";
        QTest::newRow("replies") << 2 << "指令回复设置" << QStringList{"ALPHA\talpha.json", "CMD81\tcmd81.json"}
                                 << "";
    }
    void opensItsFolderPerMode() {
        QFETCH(int, mode);
        QFETCH(QString, title);
        QFETCH(QStringList, rows);
        QFETCH(QString, message);
        open(static_cast<uint8_t>(mode));
        QCOMPARE(form->objectName(), QString("DataSettingForm"));
        QCOMPARE(form->windowTitle(), title);
        // 640 x 480, wider when the form's texts need it.
        QCOMPARE(form->height(), 480);
        QVERIFY2(form->width() >= 640 && form->width() <= 1280, qPrintable(QString::number(form->width())));
        QStringList shown;
        for (int r = 0; r < list()->model()->rowCount(); ++r)
            shown << list()->model()->index(r, 0).data().toString();
        QCOMPARE(shown, rows);
        QCOMPARE(list()->currentIndex().row(), 0);
        // 180 wide, wider when a row needs it.
        QVERIFY(list()->width() >= 180);
        QVERIFY(list()->sizeHintForColumn(0) <= list()->viewport()->width());
        QCOMPARE(this->message(), message);
    }

    // A reply model whose name is 1 MB long: listed cut, whole in the row's
    // tool tip as far as a screen holds; Save keeps the whole name in the
    // file and names it cut.
    void aHugeNameIsListedCut() {
        const QByteArray huge = "Z" + QByteArray((1 << 20) - 1, 'z');
        tree->write("conf/cmd/huge.json", R"({"cmd":")" + huge + R"(","protocol":"P","components":[]})");
        open(2);
        const QString cut = QString::fromLatin1(huge.left(256)) + "…";
        const QModelIndex last = list()->model()->index(2, 0);
        QCOMPARE(last.data().toString(), cut + "\thuge.json");
        QVERIFY(last.data(Qt::ToolTipRole).toString().startsWith(QString::fromLatin1(huge.left(64)) + "\n"));
        QVERIFY(list()->model()->index(0, 0).data(Qt::ToolTipRole).isNull());
        activate(2);
        save();
        QCOMPARE(message(), "保存配置\"" + cut + "\"完成, 文件:conf/cmd/huge.json");
        QVERIFY(tree->read("conf/cmd/huge.json").contains("\"" + huge + "\""));
    }

    // A field's label from the file is drawn as written, never as markup, and
    // cut where a file made it huge (whole in its tool tip, and in the file).
    void labelsAreDrawnPlainAndCut() {
        const QByteArray huge = "L" + QByteArray((1 << 20) - 1, 'l');
        tree->write("conf/model/gps.json", R"({"cmd":"GPS12","protocol":"P","components":[
            {"label":"<b>粗</b>","component":"textEdit","readOnly":false,"value":"a"},
            {"label":")" + huge + R"(","component":"textEdit","readOnly":false,"value":"b"}]})");
        open(1);
        activate(1);
        auto* markup = qobject_cast<QLabel*>(at(0, 0));
        auto* cut = qobject_cast<QLabel*>(at(0, 2));
        QVERIFY(markup && cut);
        QCOMPARE(markup->textFormat(), Qt::PlainText);
        QCOMPARE(markup->text(), QString("<b>粗</b>"));
        QCOMPARE(cut->textFormat(), Qt::PlainText);
        QCOMPARE(cut->text(), QString::fromLatin1(huge.left(256)) + "…");
        QVERIFY(cut->toolTip().startsWith(QString::fromLatin1(huge.left(64)) + "\n"));
        QVERIFY(cut->width() < 4 * form->screen()->availableGeometry().width());
        // The editor keeps the whole label as its name, and saves under it.
        child<QLineEdit>(QString::fromLatin1(huge) + "_edt")->setText("c");
        save();
        QVERIFY(tree->read("conf/model/gps.json").contains("\"value\": \"c\""));
    }

    // A packet of 60 fields, first in the list (before " ZED "): taller than
    // 480 in any font.
    void writeTallPacket() {
        QStringList fields;
        for (int i = 0; i < 60; ++i)
            fields << QString(R"({"label":"F%1","component":"numberEdit","readOnly":false,"value":"1"})").arg(i);
        tree->write("conf/model/tall.json", R"({"cmd":"  TALL","protocol":"P","components":[)" +
                                                fields.join(",").toUtf8() + "]}");
    }
    // The fields shown whole, with no room to spare below them.
    bool fieldsFitExactly() {
        return fieldsArea()->viewport()->height() == fields()->minimumSizeHint().height() &&
               !fieldsArea()->verticalScrollBar()->isVisible();
    }

    void sizeFollowsEachPacketUntilTheUserGivesOne() {
        // A screen with room for the tallest packet.
        fitsize::assumeAvailableSize(QSize(1920, 1200));
        writeTallPacket();
        open(1);
        // What the packet shown needs, 640 x 480 at least.
        QTRY_VERIFY(form->height() > 480);
        QVERIFY(fieldsFitExactly());
        const QSize tall = form->size();

        // A smaller packet: smaller again, 480 high (it fits on the next turn
        // of the event loop).
        activate(1);
        QTRY_COMPARE(form->height(), 480);
        activate(0);
        QTRY_COMPARE(form->size(), tall);
        QVERIFY(fieldsFitExactly());

        // A size of the user's stays, larger where a packet needs more.
        activate(1);
        QTRY_COMPARE(form->height(), 480);
        const QSize given(1200, 600);
        form->resize(given);
        activate(0);
        QTRY_COMPARE(form->size(), QSize(1200, tall.height()));
        activate(1);
        QTRY_COMPARE(form->size(), given);
    }

    void aPacketTallerThanTheScreenScrollsItsFields_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<int>("height");
        // A 1024 x 600 screen less a panel: 530 left below a title bar.
        QTest::newRow("1024 x 600") << QSize(1024, 570) << 530;
        // The test platform's own screen, 600 high or so: the dialog stays
        // within it.
        QTest::newRow("the platform's screen") << QSize() << 0;
    }
    void aPacketTallerThanTheScreenScrollsItsFields() {
        QFETCH(QSize, available);
        QFETCH(int, height);
        fitsize::assumeAvailableSize(available);
        writeTallPacket();
        open(1);
        QTRY_VERIFY(fieldsArea()->verticalScrollBar()->isVisible());
        if (height > 0)
            QCOMPARE(form->height(), height);
        const int screen = available.isEmpty() ? form->screen()->availableGeometry().height() : available.height();
        QVERIFY(form->height() < screen && form->minimumHeight() < screen);
        // The list, the message and the buttons stay in view; the fields
        // scroll, each shown whole when scrolled to.
        for (const char* name : {"lvProtocol", "lbMsg", "buttonBox"}) {
            auto* w = form->findChild<QWidget*>(name);
            QVERIFY2(form->rect().contains(w->geometry()), name);
        }
        QVERIFY(fields()->height() > fieldsArea()->viewport()->height());
        QVERIFY(fields()->height() >= fields()->minimumSizeHint().height());
        // Another packet shows from its first row.
        fieldsArea()->verticalScrollBar()->setValue(fieldsArea()->verticalScrollBar()->maximum());
        activate(1);
        activate(0);
        QTRY_VERIFY(fieldsArea()->verticalScrollBar()->isVisible());
        QCOMPARE(fieldsArea()->verticalScrollBar()->value(), 0);
    }

    void formHasOneCellPairPerComponent() {
        open(1);
        activate(1);
        QVERIFY(message().isEmpty());
        const struct {
            int row, column;
            const char* label;
            const char* editor; // object name, or "" for none
        } cells[] = {{0, 0, "卫星数", "卫星数_qsp"},  {0, 2, "MCC", "MCC_qsp"},
                     {1, 0, "IMEI", "IMEI_edt"},       {1, 2, "告警类型", "告警类型_scb"},
                     {2, 0, "电量", "电量_scb"},       {2, 2, "模式", "模式_ccb"},
                     {3, 0, "日期时间", "日期时间_dte"}, {3, 2, "告警语言", "告警语言_ace"},
                     {4, 0, "航向/状态", "航向/状态_ace"}, {5, 0, "odd", ""},
                     {5, 2, "传输模块", "传输模块_ace"}, {6, 0, "终端信息", "终端信息_ace"},
                     {6, 2, "有 空格", "有 空格_ace"}};
        for (const auto& cell : cells) {
            QCOMPARE(labelAt(cell.row, cell.column), QString::fromUtf8(cell.label));
            // 80 x 20 and the editors 120 x 20 at least, wider for a longer
            // text, higher for a higher font.
            const int line = at(cell.row, cell.column)->fontMetrics().height();
            QCOMPARE(at(cell.row, cell.column)->height(), qMax(20, line));
            QVERIFY(at(cell.row, cell.column)->width() >= 80);
            QWidget* editor = at(cell.row, cell.column + 1);
            if (*cell.editor) {
                QVERIFY2(editor, cell.editor);
                QCOMPARE(editor->objectName(), QString::fromUtf8(cell.editor));
                QCOMPARE(editor->parentWidget(), fields());
                QVERIFY(editor->minimumHeight() >= qMax(20, line));
                QVERIFY(editor->minimumWidth() >= 120);
                QCOMPARE(editor->maximumSize(), QSize(1280, editor->minimumHeight()));
            } else {
                QVERIFY(!editor);
            }
        }
        QVERIFY(!at(4, 2) && !at(4, 3)); // the component without "readOnly"
        QCOMPARE(labelAt(8, 0), QString()); // the filler after 14 components
        QCOMPARE(at(8, 0)->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        QCOMPARE(panel()->count(), 13 + 12 + 1);
    }

    void editorsStartFromTheFile() {
        open(1);
        activate(1);
        auto* satellites = child<QtLongLongSpinBox>("卫星数_qsp");
        QCOMPARE(satellites->value(), 700LL);
        QCOMPARE(satellites->maximum(), 700LL);
        QCOMPARE(satellites->text(), QString("700颗"));
        auto* mcc = child<QtLongLongSpinBox>("MCC_qsp");
        QCOMPARE(mcc->value(), 0LL);
        QVERIFY(mcc->findChild<QLineEdit*>()->isReadOnly());
        QTest::keyClick(mcc, Qt::Key_Up); // the arrows still step a read-only field
        QCOMPARE(mcc->value(), 1LL);

        auto* imei = child<QLineEdit>("IMEI_edt");
        QCOMPARE(imei->text(), QString("12345"));
        QCOMPARE(imei->placeholderText(), QString("号码"));
        QCOMPARE(imei->maxLength(), 8);

        auto* alarms = child<QComboBox>("告警类型_scb");
        QCOMPARE(alarms->count(), static_cast<int>(Zuno::ZunoMSG::alarmNameMap().size()));
        QCOMPARE(alarms->currentText(), QString("SOS求救"));
        QVERIFY(!alarms->isEditable());
        QCOMPARE(child<QComboBox>("电量_scb")->currentText(), QString("中"));

        auto* modes = child<QtCheckComboBox>("模式_ccb");
        QCOMPARE(modes->currentText(), QString("P, R"));
        auto* modesModel = qobject_cast<QStandardItemModel*>(modes->model());
        QCOMPARE(modesModel->item(0)->checkState(), Qt::Checked);
        QCOMPARE(modesModel->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(modesModel->item(2)->data(Qt::UserRole + 1).toInt(), 2);

        QCOMPARE(child<QDateTimeEdit>("日期时间_dte")->text(), QString("2020-03-01 08:05:09"));
        auto* alert = child<QLineEdit>("告警语言_ace");
        QCOMPARE(alert->text(), QString("33537"));
        QVERIFY(alert->isReadOnly());
        QCOMPARE(alert->maxLength(), 32);
    }

    void saveWritesTheFileAndReportsOnce() {
        open(1);
        QSignalSpy spy(form.data(), &DataSettingForm::signalSendConfigChange);
        auto* lac = child<QtLongLongSpinBox>("LAC_qsp");
        lac->setFocus();
        QTest::keyClick(lac, Qt::Key_Up);
        auto* lac0 = child<QLineEdit>("LAC0_edt");
        lac0->setFocus();
        lac0->home(false);
        QTest::keyClicks(lac0, "12");
        QCOMPARE(child<QDateTimeEdit>("日期_dte")->dateTime().toUTC().toString("yyyy-MM-dd hh:mm:ss"),
                 QString("2106-02-07 06:28:15"));
        save();
        QCOMPARE(tree->read("conf/model/z.json"), QByteArray(R"({
  "cmd": " ZED ",
  "components": [
    {
      "component": "numberEdit",
      "label": "LAC",
      "max": 99999,
      "readOnly": false,
      "value": "2"
    },
    {
      "component": "textEdit",
      "label": "LAC0",
      "mask": "99-99",
      "readOnly": false,
      "value": "12-  "
    },
    {
      "component": "dateTimeEdit",
      "label": "日期",
      "readOnly": false,
      "value": "2200-01-01 00:00:00"
    }
  ],
  "note": "a\/b",
  "protocol": "P"
}
)"));
        QCOMPARE(message(), QString("保存配置\" ZED \"完成, 文件:conf/model/z.json"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<ProtocolDataModel>().fileName, QString("z.json"));
        QVERIFY(commands.isEmpty());
        QVERIFY(form->isVisible());
    }

    void everyKindSavesItsValueText() {
        open(1);
        activate(1);
        child<QtLongLongSpinBox>("卫星数_qsp")->setValue(12);
        child<QComboBox>("电量_scb")->setCurrentIndex(2);
        auto* modes = child<QtCheckComboBox>("模式_ccb");
        modes->on_itemPressed(modes->model()->index(0, 0)); // P off: R alone
        QCOMPARE(modes->currentText(), QString("R"));
        child<QDateTimeEdit>("日期时间_dte")->setDateTime(QDateTime(QDate(2021, 12, 31), QTime(23, 4, 5)));
        form->receiveData(Zuno::DirectionAndStat{1, 0, 1, 0, 90}, "有 空格_ace");
        save();
        const Zuno::LabelValueMap values = saved("conf/model/gps.json");
        const std::map<std::string, std::string> expected = {
            {"卫星数", "12"}, {"MCC", "0"}, {"IMEI", "12345"}, {"告警类型", "1"}, {"电量", "3"},
            {"模式", "4"}, {"日期时间", "2021-12-31 23:04:05"}, {"告警语言", "33537"},
            {"航向/状态", "5222"}, {"X", "no readOnly"}, {"odd", "7"}, {"传输模块", "abc"},
            {"终端信息", "70"}, {"有 空格", QString::number(8192 + 2048 + 90).toStdString()}};
        QCOMPARE(values.size(), expected.size());
        for (const auto& entry : expected)
            QCOMPARE(QString::fromStdString(values.at(entry.first)), QString::fromStdString(entry.second));

        // Checking all three shows the all-checked text and saves 7.
        modes->on_itemPressed(modes->model()->index(0, 0));
        modes->on_itemPressed(modes->model()->index(1, 0));
        QCOMPARE(modes->currentText(), QString("P, Q, R"));
        save();
        QCOMPARE(saved("conf/model/gps.json").at("模式"), std::string("7"));
    }

    void commandRepliesAreHandedOnEverySave() {
        open(2);
        QSignalSpy configSpy(form.data(), &DataSettingForm::signalSendConfigChange);
        activate(1);
        save();
        save();
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands[0].first, std::string("CMD81"));
        QCOMPARE(QByteArray::fromStdString(commands[0].second), tree->read("conf/cmd/cmd81.json"));
        QCOMPARE(commands[1], commands[0]);
        QCOMPARE(configSpy.count(), 0);
        QCOMPARE(message(), QString("保存配置\"CMD81\"完成, 文件:conf/cmd/cmd81.json"));
    }

    void popupsEditThePackedFields() {
        open(1);
        activate(1);
        // Alarm and language: starts from 0x83 / 1, hands back what OK leaves.
        QVERIFY(throughPopup<AlertLngForm>("告警语言_ace", [](AlertLngForm* popup) {
            auto* alarm = popup->findChild<QComboBox*>("cbAlert");
            auto* language = popup->findChild<QComboBox*>("cbLng");
            QCOMPARE(alarm->currentData().toInt(), 0x83);
            QCOMPARE(language->currentIndex(), 1);
            language->setCurrentIndex(2);
            zt::closeDialog(popup, zt::CloseBy::Button, QDialogButtonBox::Ok);
        }));
        QCOMPARE(child<QLineEdit>("告警语言_ace")->text(), QString::number(0x83 * 256 + 2));
        // Cancel leaves the text.
        QVERIFY(throughPopup<AlertStatusForm>("终端信息_ace", [](AlertStatusForm* popup) {
            zt::closeDialog(popup, zt::CloseBy::Button, QDialogButtonBox::Cancel);
        }));
        QCOMPARE(child<QLineEdit>("终端信息_ace")->text(), QString("70"));
        QVERIFY(throughPopup<AlertStatusForm>("终端信息_ace", [](AlertStatusForm* popup) {
            zt::closeDialog(popup, zt::CloseBy::Button, QDialogButtonBox::Ok);
        }));
        QCOMPARE(child<QLineEdit>("终端信息_ace")->text(), QString("70"));
        QVERIFY(throughPopup<DeviceStatusForm>("航向/状态_ace", [](DeviceStatusForm* popup) {
            QTest::mouseClick(popup->findChild<QRadioButton*>("rb_gpsLngWest"), Qt::LeftButton);
            zt::closeDialog(popup, zt::CloseBy::Button, QDialogButtonBox::Ok);
        }));
        QCOMPARE(child<QLineEdit>("航向/状态_ace")->text(), QString::number(5222 + 2048));
        // The transfer-module button opens nothing.
        QVERIFY(!throughPopup<QDialog>("传输模块_ace", [](QDialog* popup) { popup->close(); }));
        QCOMPARE(child<QLineEdit>("传输模块_ace")->text(), QString("abc"));
        QVERIFY(form->findChildren<QDialog*>().isEmpty());
    }

    // What the editors cannot show, or show otherwise, goes back unchanged.
    void untouchedFieldsAreWrittenBackAsRead_data() {
        QTest::addColumn<QByteArray>("component");
        QTest::addColumn<QByteArray>("timeZone"); // "" keeps UTC
        QTest::addColumn<QString>("shown");       // the editor's text
        QTest::addColumn<bool>("kept");           // named as a field that keeps the file's value
        const QByteArray list = R"("dataSource":{"inner":true,"data":[{"key":"P","val":0},{"key":"Q","val":1},{"key":"R","val":2}]})";
        QTest::newRow("line break") << QByteArray(R"("component":"textEdit","value":"a\nb")") << QByteArray() << "a b" << false;
        QTest::newRow("no length limit")
            << QByteArray(R"("component":"textEdit","value":"abc","maxLength":-1)") << QByteArray() << "abc" << false;
        QTest::newRow("longer than its limit")
            << QByteArray(R"("component":"textEdit","value":"123456789","maxLength":8)") << QByteArray() << "12345678" << true;
        QTest::newRow("masked") << QByteArray(R"("component":"textEdit","value":"1234","mask":"99-99")") << QByteArray()
                                << "12-34" << true;
        QTest::newRow("masked as shown") << QByteArray(R"("component":"textEdit","value":"12-34","mask":"99-99")")
                                         << QByteArray() << "12-34" << false;
        QTest::newRow("a megabyte of text")
            << QByteArray(R"("component":"textEdit","value":")") + QByteArray(1 << 20, 'x') + "\"" << QByteArray()
            << QString(32, 'x') << true;
        QTest::newRow("unit of digits")
            << QByteArray(R"("component":"numberEdit","value":"12","placeholder":"5")") << QByteArray() << "125" << false;
        QTest::newRow("code not in the list")
            << QByteArray(R"("component":"comoboxList","value":"7",)") + list << QByteArray() << "P" << true;
        QTest::newRow("bit without an item")
            << QByteArray(R"("component":"checkComboBox","value":"9",)") + list << QByteArray() << "P" << true;
        QTest::newRow("date beyond 32 bits") << QByteArray(R"("component":"dateTimeEdit","value":"2200-01-01 00:00:00")")
                                             << QByteArray() << "2106-02-07 06:28:15" << true;
        QTest::newRow("date before 1970") << QByteArray(R"("component":"dateTimeEdit","value":"1969-12-31 23:59:59")")
                                          << QByteArray() << "2106-02-07 06:28:15" << true;
        QTest::newRow("no date") << QByteArray(R"("component":"dateTimeEdit","value":"no date")") << QByteArray()
                                 << "2106-02-07 06:28:15" << true;
        QTest::newRow("empty date") << QByteArray(R"("component":"dateTimeEdit","value":"")") << QByteArray()
                                    << QString() << true;
        QTest::newRow("date in the daylight-saving gap")
            << QByteArray(R"("component":"dateTimeEdit","value":"2021-03-28 02:30:00")")
            << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3") << QString() << true;
    }
    void untouchedFieldsAreWrittenBackAsRead() {
        QFETCH(QByteArray, component);
        QFETCH(QByteArray, timeZone);
        QFETCH(QString, shown);
        QFETCH(bool, kept);
        const ZoneGuard zone(timeZone);
        const QByteArray text = R"({"cmd":"GPS12","protocol":"P","components":[{"label":"F","readOnly":false,)" +
                                component + "}]}";
        tree->write("conf/model/gps.json", text);
        open(1);
        activate(1);
        QCOMPARE(message(), kept ? kKept + "F" : QString());
        const auto found = fields()->findChildren<QWidget*>(QRegularExpression("^F_"), Qt::FindDirectChildrenOnly);
        QCOMPARE(found.size(), 1);
        QWidget* editor = found.first();
        if (!shown.isEmpty())
            QCOMPARE(shownText(editor), shown);
        Zuno::LabelValueMap expected;
        QVERIFY(Zuno::readModelFields(text.toStdString(), expected));
        QCOMPARE(editor->toolTip(), kept ? Zuno::keptValueTip(QString::fromStdString(expected.at("F"))) : QString());
        save();
        QCOMPARE(message(), QString("保存配置\"GPS12\"完成, 文件:conf/model/gps.json"));
        QCOMPARE(QString::fromStdString(saved("conf/model/gps.json").at("F")),
                 QString::fromStdString(expected.at("F")));
    }

    // The user sees what the file holds where the editor cannot show it: the
    // message names such fields, each one's tool tip gives the file's value.
    // A field the user changes is saved as shown and claims no more.
    void keptFieldsSayWhatTheFileHolds() {
        const QString reply(100, QChar(0x56DE)); // 回
        tree->write("conf/model/gps.json", R"({"cmd":"GPS12","protocol":"P","components":[
            {"label":"回复指令","component":"textEdit","readOnly":false,"value":")" + reply.toUtf8() + R"(","maxLength":81},
            {"label":"列表","component":"comoboxList","readOnly":false,"value":"7","dataSource":{"inner":true,
              "data":[{"key":"P","val":0},{"key":"Q","val":1}]}},
            {"label":"日期","component":"dateTimeEdit","readOnly":false,"value":"2200-01-01 00:00:00"},
            {"label":"空日期","component":"dateTimeEdit","readOnly":false,"value":""},
            {"label":"精确","component":"textEdit","readOnly":false,"value":"ok"},
            {"label":"<b>粗</b>","component":"actionEdit","readOnly":false,"value":")" + QByteArray(33, '1') + R"("}]})");
        open(1);
        activate(1);
        // A label holding markup is named as it is.
        QCOMPARE(message(), kKept + "回复指令, 列表, 日期, 空日期, <b>粗</b>");
        QVERIFY(Qt::mightBeRichText(message()));
        QCOMPARE(form->findChild<QLabel*>("lbMsg")->textFormat(), Qt::PlainText);
        auto* text = child<QLineEdit>("回复指令_edt");
        auto* list = child<QComboBox>("列表_scb");
        auto* date = child<QDateTimeEdit>("日期_dte");
        QCOMPARE(text->text(), reply.left(81));
        QCOMPARE(text->toolTip(), Zuno::keptValueTip(reply));
        QCOMPARE(list->toolTip(), Zuno::keptValueTip("7"));
        QCOMPARE(date->toolTip(), Zuno::keptValueTip("2200-01-01 00:00:00"));
        QCOMPARE(child<QDateTimeEdit>("空日期_dte")->toolTip(), Zuno::keptValueTip(""));
        QCOMPARE(child<QLineEdit>("精确_edt")->toolTip(), QString());

        text->setFocus();
        text->end(false);
        QTest::keyClick(text, Qt::Key_Backspace);
        QVERIFY(zt::pickItem(list, "Q"));
        date->setDateTime(QDateTime(QDate(2021, 12, 31), QTime(23, 4, 5)));
        for (QWidget* changed : std::initializer_list<QWidget*>{text, list, date})
            QCOMPARE(changed->toolTip(), QString());
        save();
        const Zuno::LabelValueMap values = saved("conf/model/gps.json");
        QCOMPARE(QString::fromStdString(values.at("回复指令")), reply.left(80));
        QCOMPARE(QString::fromStdString(values.at("列表")), QString("1"));
        QCOMPARE(QString::fromStdString(values.at("日期")), QString("2021-12-31 23:04:05"));
        QCOMPARE(QString::fromStdString(values.at("空日期")), QString());
        QCOMPARE(QString::fromStdString(values.at("精确")), QString("ok"));
        QCOMPARE(child<QDateTimeEdit>("空日期_dte")->toolTip(), Zuno::keptValueTip(""));
    }

    // The note stands beside what else the form says on opening.
    void keptFieldsAreNamedBesideAReadProblem_data() {
        QTest::addColumn<QByteArray>("before"); // components before the date
        QTest::addColumn<QString>("problem");
        QTest::newRow("an element that is no component") << QByteArray("5,") << QString();
        QTest::newRow("bytes that are no UTF-8")
            << QByteArray("{\"label\":\"T\",\"component\":\"textEdit\",\"readOnly\":false,\"value\":\"\xd6\xd0\"},")
            << " (文件不是UTF-8编码)";
    }
    void keptFieldsAreNamedBesideAReadProblem() {
        QFETCH(QByteArray, before);
        QFETCH(QString, problem);
        tree->write("conf/model/gps.json", R"({"cmd":"GPS12","protocol":"P","components":[)" + before +
                                               R"({"label":"日期","component":"dateTimeEdit","readOnly":false,"value":""}]})");
        open(1);
        activate(1);
        QCOMPARE(message(), "读取配置\"GPS12\"错误, 文件:conf/model/gps.json" + problem + "; " + kKept + "日期");
    }

    void changedFieldsAreWrittenAsShown() {
        tree->write("conf/model/gps.json", R"({"cmd":"GPS12","protocol":"P","components":[
            {"label":"T","component":"textEdit","readOnly":false,"value":"a\nb","maxLength":0},
            {"label":"L","component":"comoboxList","readOnly":false,"value":"7","dataSource":{"inner":true,
              "data":[{"key":"P","val":1},{"key":"Q","val":2}]}}]})");
        open(1);
        activate(1);
        auto* text = child<QLineEdit>("T_edt");
        text->setFocus();
        text->end(false);
        QTest::keyClicks(text, "c");
        // Picking the item on show replaces the code the list does not hold.
        auto* list = child<QComboBox>("L_scb");
        QCOMPARE(list->currentText(), QString("P"));
        QVERIFY(zt::pickItem(list, "P"));
        save();
        const Zuno::LabelValueMap values = saved("conf/model/gps.json");
        QCOMPARE(QString::fromStdString(values.at("T")), QString("a\nbc"));
        QCOMPARE(QString::fromStdString(values.at("L")), QString("1"));
    }

    // A file that is no UTF-8 is never rewritten: its text holds
    // replacements for the bytes it cannot decode. Command replies alike.
    void fileThatIsNoUtf8IsNotSaved_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("cmd");
        QTest::addColumn<int>("row");
        QTest::newRow("model") << 1 << "conf/model/gps.json" << "GPS12" << 1;
        QTest::newRow("command reply") << 2 << "conf/cmd/cmd81.json" << "CMD81" << 1;
    }
    void fileThatIsNoUtf8IsNotSaved() {
        QFETCH(int, mode);
        QFETCH(QString, file);
        QFETCH(QString, cmd);
        QFETCH(int, row);
        const QByteArray text = "{\"cmd\":\"" + cmd.toUtf8() + "\",\"protocol\":\"P\",\"components\":["
                                "{\"label\":\"T\",\"component\":\"textEdit\",\"readOnly\":false,\"value\":\"\xd6\xd0\"}]}";
        tree->write(file, text);
        open(static_cast<uint8_t>(mode));
        QSignalSpy spy(form.data(), &DataSettingForm::signalSendConfigChange);
        activate(row);
        QCOMPARE(message(), "读取配置\"" + cmd + "\"错误, 文件:" + file + " (文件不是UTF-8编码)");
        save();
        QCOMPARE(message(), "保存配置\"" + cmd + "\"失败, 文件:" + file + " (文件不是UTF-8编码)");
        QCOMPARE(tree->read(file), text);
        QCOMPARE(spy.count(), 0);
        QVERIFY(commands.isEmpty());
    }

    // Files written by hand are read as their first JSON value: a byte-order
    // mark, CRLF line ends and no final line feed change nothing, and a save
    // writes the file without the mark, with LF. What follows the value (a
    // note, a trailing comma) is not read: the form shows the value and says
    // so, and a save, which would drop it, is refused; the file stays byte
    // for byte. Command replies alike (nothing is sent then).
    void filesWrittenByHandAreReadAsTheirFirstValue_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("afterSave");
        for (const auto& entry : {std::make_pair(1, QString("conf/model/gps.json")), std::make_pair(2, QString("conf/cmd/cmd81.json"))}) {
            const int mode = entry.first;
            const QString file = entry.second;
            const QString cmd = mode == 1 ? "GPS12" : "CMD81";
            const QByteArray plain = "{\"cmd\":\"" + cmd.toUtf8() + "\",\"protocol\":\"P\",\"components\":[\n"
                                     " {\"label\":\"内容\",\"component\":\"textEdit\",\"readOnly\":false,\"value\":\"ok\"}]}";
            QByteArray byHand = plain;
            byHand.replace("\n", "\r\n").prepend("\xEF\xBB\xBF");
            const QString head = "配置\"" + cmd + "\"";
            QTest::newRow(qPrintable(cmd + ", byte-order mark, CRLF, no final line feed"))
                << mode << file << byHand << "" << "保存" + head + "完成, 文件:" + file;
            const struct {
                const char* name;
                const char* text;
                int line;
            } after[] = {{"a note after it", "\n// IMEI of the test unit\n", 3}, {"a trailing comma", ",", 2}};
            for (const auto& a : after)
                QTest::newRow(qPrintable(cmd + ", " + a.name))
                    << mode << file << plain + a.text
                    << QString("读取%1完成, 文件:%2 (第%3行起JSON值之后还有内容, 已忽略, 不会保存此文件)").arg(head, file).arg(a.line)
                    << QString("保存%1失败, 文件:%2 (第%3行起JSON值之后还有内容, 保存会丢失它)").arg(head, file).arg(a.line);
        }
    }
    void filesWrittenByHandAreReadAsTheirFirstValue() {
        QFETCH(int, mode);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, opened);
        QFETCH(QString, afterSave);
        tree->write(file, bytes);
        open(static_cast<uint8_t>(mode));
        QSignalSpy spy(form.data(), &DataSettingForm::signalSendConfigChange);
        QCOMPARE(list()->model()->rowCount(), 2);
        activate(1);
        QCOMPARE(message(), opened);
        QCOMPARE(child<QLineEdit>("内容_edt")->text(), QString("ok"));
        save();
        QCOMPARE(message(), afterSave);
        const bool refused = afterSave.contains("失败");
        const QByteArray written = tree->read(file);
        if (refused) {
            QCOMPARE(written, bytes);
        } else {
            QVERIFY(written.startsWith("{\n  \"cmd\": "));
            QVERIFY(!written.contains('\r'));
            QCOMPARE(saved(file), (Zuno::LabelValueMap{{"内容", "ok"}}));
        }
        QCOMPARE(spy.count(), !refused && mode == 1 ? 1 : 0);
        QCOMPARE(commands.size(), !refused && mode == 2 ? 1 : 0);
    }

    // A save never writes what the editor could not read back: a model of
    // 20 KB whose extra member nests 10,000 numbers 250 levels deep grows
    // past 4 MB in the indented form. The save says "失败" and why, and the
    // file stays byte for byte.
    void saveThatWouldGrowPastTheReadersLimitIsRefused() {
        const QByteArray nested = QByteArray(249, '[') + "0" + QByteArray(",0").repeated(9999) + QByteArray(249, ']');
        const QByteArray text = "{\"cmd\":\"GPS12\",\"protocol\":\"P\",\"x\":" + nested + ",\"components\":["
                                "{\"label\":\"内容\",\"component\":\"textEdit\",\"readOnly\":false,\"value\":\"ok\"}]}";
        QVERIFY(text.size() < 21 * 1024);
        tree->write("conf/model/gps.json", text);
        open(1);
        activate(1);
        QVERIFY2(message().isEmpty(), qPrintable(message()));
        save();
        QCOMPARE(message(), QString("保存配置\"GPS12\"失败, 文件:conf/model/gps.json (文件超过4 MB)"));
        QCOMPARE(tree->read("conf/model/gps.json"), text);
        QCOMPARE(QDir(tree->path("conf/model")).entryList({"*gps.json*"}, QDir::Files | QDir::Hidden),
                 QStringList{"gps.json"});
    }

    void enterOpensARowWithoutSaving() {
        open(2);
        activate(1);
        activate(0);
        QVERIFY(commands.isEmpty());
        QCOMPARE(tree->read("conf/cmd/cmd81.json"), kReply);
    }

    void saveWritesTheFileOnShowAfterASingleClick() {
        open(1); // shows z.json
        zt::clickRow(list(), 1);
        QCOMPARE(list()->currentIndex().row(), 1);
        save();
        QCOMPARE(tree->read("conf/model/gps.json"), kGps);
        QCOMPARE(message(), QString("保存配置\" ZED \"完成, 文件:conf/model/z.json"));
    }

    void brokenFilesAreReported_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("syntax") << QByteArray("{\"cmd\":\"GPS12\",");
        QTest::newRow("array") << QByteArray("[]");
        QTest::newRow("huge number") << QByteArray("{\"cmd\":\"GPS12\",\"protocol\":\"P\",\"components\":[],\"n\":1e999}");
        QTest::newRow("components an object") << QByteArray("{\"cmd\":\"GPS12\",\"protocol\":\"P\",\"components\":{}}");
    }
    void brokenFilesAreReported() {
        QFETCH(QByteArray, text);
        open(1);
        QSignalSpy spy(form.data(), &DataSettingForm::signalSendConfigChange);
        tree->write("conf/model/gps.json", text);
        activate(1);
        const QString error = "读取配置\"GPS12\"错误, 文件:conf/model/gps.json";
        QCOMPARE(message(), error);
        QCOMPARE(panel()->count(), 0);
        save();
        QCOMPARE(message(), error);
        QCOMPARE(tree->read("conf/model/gps.json"), text);
        QCOMPARE(spy.count(), 0);
    }

    void illTypedComponentsAreSkipped() {
        const QByteArray text = R"({"cmd":"GPS12","protocol":"P","components":[
            5, {"label":["L"],"component":"textEdit","readOnly":false},
            {"label":"A","component":"comoboxList","readOnly":false,"value":{},"dataSource":{"inner":true,"data":[1,{"key":2,"val":1},{"key":"k","val":"1"},{"key":"ok","val":9}]}},
            {"label":"B","component":"checkComboBox","readOnly":false,"value":[1],"dataSource":{"inner":"yes"}},
            {"label":"C","component":"dateTimeEdit","readOnly":false,"value":null},
            {"label":"D","component":"actionEdit","readOnly":false,"value":7},
            {"label":"E","component":"textEdit","readOnly":false,"placeholder":1,"mask":[],"maxLength":1e3}]})";
        tree->write("conf/model/gps.json", text);
        open(1);
        activate(1);
        QCOMPARE(message(), QString("读取配置\"GPS12\"错误, 文件:conf/model/gps.json"));
        QCOMPARE(child<QComboBox>("A_scb")->count(), 1);
        QCOMPARE(child<QComboBox>("A_scb")->currentText(), QString("ok"));
        QCOMPARE(child<QtCheckComboBox>("B_ccb")->count(), 0);
        QCOMPARE(child<QDateTimeEdit>("C_dte")->dateTime().toSecsSinceEpoch(), 4294967295LL);
        QCOMPARE(child<QLineEdit>("D_ace")->text(), QString());
        QCOMPARE(child<QLineEdit>("E_edt")->maxLength(), 32);
        save();
        const Zuno::LabelValueMap values = saved("conf/model/gps.json");
        QVERIFY(values.empty()); // the file still holds elements that are no components
        QVERIFY(tree->read("conf/model/gps.json").contains("\"value\": \"9\""));
    }

    void unwritableFileIsReportedNotSaved() {
        open(1);
        QSignalSpy spy(form.data(), &DataSettingForm::signalSendConfigChange);
        zt::LockedFolder lock(tree->path("conf/model/z.json"));
        QVERIFY(lock.locked());
        save();
        QVERIFY2(message().startsWith("保存配置\" ZED \"失败, 文件:conf/model/z.json"), qPrintable(message()));
        QCOMPARE(spy.count(), 1); // the window still reloads
        QCOMPARE(tree->read("conf/model/z.json"), kSmall);
    }

    // A save that fails on the way (a full disk, a flush that fails, a folder
    // that takes no new file) leaves the file byte for byte and says "失败"
    // and why; never "完成", never a file written in place.
    void failedSaveLeavesTheFileAndSaysWhy_data() { zt::addSaveFailureRows(); }
    void failedSaveLeavesTheFileAndSaysWhy() {
        QFETCH(int, failure);
        open(1);
        QSignalSpy spy(form.data(), &DataSettingForm::signalSendConfigChange);
        child<QLineEdit>("LAC0_edt")->setText("1234");
        {
            const zt::FailingSave failing(failure, tree->path("conf/model"));
            QVERIFY(failing.ready());
            save();
        }
        QVERIFY2(message().startsWith("保存配置\" ZED \"失败, 文件:conf/model/z.json ("), qPrintable(message()));
        if (failure < 2)
            QVERIFY(message().endsWith(QString("(") + zt::FullDisk::kReason + ")"));
        QCOMPARE(tree->read("conf/model/z.json"), kSmall);
        QCOMPARE(QDir(tree->path("conf/model")).entryList({"*z.json*"}, QDir::Files | QDir::Hidden),
                 QStringList{"z.json"});
        QCOMPARE(spy.count(), 1); // the window still reloads
        // The next save that works says so.
        save();
        QCOMPARE(message(), QString("保存配置\" ZED \"完成, 文件:conf/model/z.json"));
        QVERIFY(tree->read("conf/model/z.json").contains("12-34"));
    }

    // The window's check of what the builders make of a saved model: its
    // reason stands beside the save's message.
    void saveNamesWhyTheModelCannotBeBuilt() {
        open(1);
        std::vector<std::pair<std::string, std::string>> checked;
        form->setBuildCheck([&checked](const std::string& cmd, const std::string& text) {
            checked.emplace_back(cmd, text);
            return std::string("IMEI 无效");
        });
        save();
        QCOMPARE(message(), QString("保存配置\" ZED \"完成, 文件:conf/model/z.json; 无法生成报文: IMEI 无效"));
        QCOMPARE(checked.size(), size_t(1));
        QCOMPARE(checked[0].first, std::string(" ZED "));
        QCOMPARE(QByteArray::fromStdString(checked[0].second), tree->read("conf/model/z.json"));
        form->setBuildCheck([](const std::string&, const std::string&) { return std::string(); });
        save();
        QCOMPARE(message(), QString("保存配置\" ZED \"完成, 文件:conf/model/z.json"));
    }

    void lockedReplyIsStillHandedOn() {
        open(2);
        activate(1);
        zt::LockedFolder lock(tree->path("conf/cmd/cmd81.json"));
        QVERIFY(lock.locked());
        save();
        QVERIFY(message().startsWith("保存配置\"CMD81\"失败, 文件:conf/cmd/cmd81.json"));
        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands[0].first, std::string("CMD81"));
        QVERIFY(QByteArray::fromStdString(commands[0].second).contains("\"value\": \"ok\""));
        QCOMPARE(tree->read("conf/cmd/cmd81.json"), kReply);
    }

    void emptyOrMissingFolderGivesAnEmptyDialog_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty model folder") << 1 << "" << "";
        QTest::newRow("empty reply folder") << 2 << "" << "";
        QTest::newRow("no model folder") << 1 << "conf/model" << "文件夹不存在: conf/model";
        QTest::newRow("no reply folder") << 2 << "conf/cmd" << "文件夹不存在: conf/cmd";
        QTest::newRow("no conf folder") << 1 << "conf" << "文件夹不存在: conf";
        QTest::newRow("no conf folder, replies") << 2 << "conf" << "文件夹不存在: conf";
    }
    // A folder removed while the program runs is named when the editor
    // opens; a folder that is there but empty says nothing.
    void emptyOrMissingFolderGivesAnEmptyDialog() {
        QFETCH(int, mode);
        QFETCH(QString, removed);
        QFETCH(QString, message);
        open(static_cast<uint8_t>(mode));
        delete form.data();
        const QString folder = mode == 2 ? "conf/cmd" : "conf/model";
        QVERIFY(QDir(tree->path(folder)).removeRecursively());
        if (removed.isEmpty())
            tree->mkdir(folder);
        else
            QVERIFY(QDir(tree->path(removed)).removeRecursively());
        open(static_cast<uint8_t>(mode));
        QSignalSpy config(form.data(), &DataSettingForm::signalSendConfigChange);
        QSignalSpy replies(form.data(), &DataSettingForm::signalSendCmd);
        QCOMPARE(list()->model()->rowCount(), 0);
        QCOMPARE(panel()->count(), 0);
        QCOMPARE(this->message(), message);
        save();
        QCOMPARE(config.count() + replies.count(), 0);
        QCOMPARE(this->message(), message);
    }

    void closingDeletesTheDialog_data() {
        QTest::addColumn<zt::CloseBy>("how");
        QTest::addColumn<int>("mode");
        QTest::newRow("Close button") << zt::CloseBy::Button << 1;
        QTest::newRow("window") << zt::CloseBy::Window << 2;
        QTest::newRow("Escape") << zt::CloseBy::Escape << 1;
    }
    void closingDeletesTheDialog() {
        QFETCH(zt::CloseBy, how);
        QFETCH(int, mode);
        QVERIFY(zt::execClosesAndDeletes(new DataSettingForm(window, static_cast<uint8_t>(mode)), how));
    }

    // Every number field of the shipped models and replies reads as its
    // value followed by a unit or by nothing: a hint kept as the suffix ran
    // into the digits ("1212: 有GPS" for the value 12). Every other field
    // shows the file's value as it is.
    void shippedNumberFieldsReadAsTheirValue_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("models") << 1;
        QTest::newRow("replies") << 2;
    }
    void shippedNumberFieldsReadAsTheirValue() {
        QFETCH(int, mode);
        tree = std::make_unique<zt::ConfigTree>();
        Zuno::setBaseFolder(tree->root());
        QVERIFY(tree->copyFolder(qEnvironmentVariable("ZUNO_SOURCE_DIR") + "/conf", "conf"));
        open(static_cast<uint8_t>(mode));
        // After the value, a unit or nothing: no digit first, and no blank,
        // colon or comma within, which belong to a hint.
        const QRegularExpression unit("^(\\D\\S*)?$");
        const QRegularExpression hint("[:,：，]");
        int fields = 0;
        for (int row = 0; row < list()->model()->rowCount(); ++row) {
            activate(row);
            const QString file = list()->model()->index(row, 0).data().toString();
            QVERIFY2(message().isEmpty(), qPrintable(file + ": " + message()));
            for (auto* spin : form->findChildren<QtLongLongSpinBox*>()) {
                const QString value = QString::number(spin->value());
                const QString text = spin->text();
                const QString where = file + " " + spin->objectName() + ": " + text;
                QVERIFY2(text.startsWith(value), qPrintable(where));
                const QString after = text.mid(value.size());
                QVERIFY2(unit.match(after).hasMatch() && !hint.match(after).hasMatch(), qPrintable(where));
                ++fields;
            }
            // Saved as shown, the file stays byte for byte: it is in the editor's own form.
            const QString relative = QString(mode == 1 ? "conf/model/" : "conf/cmd/") + file.section('\t', 1);
            const QByteArray before = tree->read(relative);
            save();
            QVERIFY2(message().contains("完成"), qPrintable(message()));
            QCOMPARE(tree->read(relative), before);
        }
        QVERIFY(fields > 0);
    }
};

ZT_GUI_TEST_MAIN(DataSettingFormTest)
#include "data_setting_form_qtest.moc"
