// Every window and dialog, opened at its own size in the Fusion style with
// the CJK fonts of Linux desktops at 9 to 12 pt and Qt's own texts in
// Chinese, shows the whole text and value of each of its controls, and opens
// within a laptop's screen and within a smaller one. The model editor opens
// every shipped model and command-reply file, the send-flow editor every
// shipped flow.
//
// ZUNO_FIT_FONT=<family> and ZUNO_FIT_POINTS=<size> in the environment limit
// the run to one font and one size (ctest runs one entry per pair);
// ZUNO_FIT_SHOTS=<folder> saves a picture of each window.

#include <chrono>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QFileDevice>
#include <QStatusBar>
#include <QtTest>

#include "app/mainform.h"
#include "app/message_boxes.h"
#include "app/message_log.h"
#include "config/config_file.h"
#include "app/qt_translation.h"
#include "config/base_folder.h"
#include "support/config_tree.h"
#include "support/name_servers.h"
#include "dialogs/alert_lng_form.h"
#include "dialogs/alert_status_form.h"
#include "dialogs/data_setting_form.h"
#include "dialogs/device_status_form.h"
#include "dialogs/task_setting_form.h"
#include "fit_check.h"
#include "app/gui_test_main.h"
#include "protocol/value_types.h"
#include "tools/about_form.h"
#include "tools/bin_form.h"
#include "tools/calc_form.h"
#include "tools/charset_form.h"
#include "widgets/elided_label.h"
#include "widgets/fit_size.h"

namespace {

const QStringList kFonts = {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")};
const QList<int> kPoints = {9, 10, 11, 12};

// A screen the windows open on: its size less a 30 px panel is the room the
// desktop gives windows, and less a title bar as well (70 px in all) the
// largest size a window may take.
struct Screen {
    const char* name;
    QSize available;
    QSize window;
};
const Screen kScreens[] = {{"1366x768", {1366, 738}, {1366, 698}}, {"1024x600", {1024, 570}, {1024, 530}}};

// What keeps `w` from its screen: a size or minimum size beyond `most`.
QStringList beyondScreen(const QWidget* w, const QSize& most) {
    QStringList out;
    const auto text = [](const QSize& s) { return QString("%1x%2").arg(s.width()).arg(s.height()); };
    if (w->width() > most.width() || w->height() > most.height())
        out << QString("window: opens at %1, beyond %2").arg(text(w->size()), text(most));
    if (w->minimumWidth() > most.width() || w->minimumHeight() > most.height())
        out << QString("window: cannot be made smaller than %1, beyond %2").arg(text(w->minimumSize()), text(most));
    return out;
}

QStringList fontsToTry() {
    const QString only = qEnvironmentVariable("ZUNO_FIT_FONT");
    return only.isEmpty() ? kFonts : QStringList{only};
}

QList<int> pointsToTry() {
    const QString only = qEnvironmentVariable("ZUNO_FIT_POINTS");
    return only.isEmpty() ? kPoints : QList<int>{only.toInt()};
}

QString shippedConf() { return qEnvironmentVariable("ZUNO_SOURCE_DIR") + "/conf"; }

QStringList shippedFiles(const QString& folder) {
    return QDir(shippedConf() + "/" + folder).entryList({"*.json"}, QDir::Files, QDir::Name);
}

struct Window {
    QString name;
    // Makes the window, a child of `parent` when it is a dialog.
    std::function<QWidget*(QWidget* parent)> open;
};

// A settings dialog showing the file of its list named `file`, opened as a
// user opens it: on show, after the dialog's first file.
template <class Form>
QWidget* showingFile(Form* form, const QString& file) {
    form->show();
    if (!QTest::qWaitForWindowExposed(form))
        qFatal("%s not shown", qPrintable(file));
    auto* list = form->template findChild<QListView*>("lvProtocol");
    const QModelIndexList rows = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, "\t" + file, 1,
                                                      Qt::MatchEndsWith);
    if (rows.isEmpty())
        qFatal("%s not listed", qPrintable(file));
    if (rows[0].row() != list->currentIndex().row()) {
        list->setCurrentIndex(rows[0]);
        QMetaObject::invokeMethod(form, "on_lvProtocol_activated", Q_ARG(QModelIndex, rows[0]));
    }
    return form;
}

std::vector<Window> windows() {
    std::vector<Window> all;
    all.push_back({"main window", [](QWidget*) { return new MainForm; }});
    // Host names of 30 characters, narrow and wide letters.
    for (const char* host : {"gps-tracking.platform-test.com", "www.tracking-platform-demo.com"})
        all.push_back({QString("main window with host %1").arg(host), [host](QWidget*) {
                           auto* form = new MainForm;
                           form->findChild<QLineEdit*>("edtIp")->setText(host);
                           return form;
                       }});
    for (const QString& file : shippedFiles("model"))
        all.push_back({"model editor " + file,
                       [file](QWidget* p) { return showingFile(new DataSettingForm(p, 1), file); }});
    for (const QString& file : shippedFiles("cmd"))
        all.push_back({"command replies " + file,
                       [file](QWidget* p) { return showingFile(new DataSettingForm(p, 2), file); }});
    for (const QString& file : shippedFiles("prop"))
        all.push_back({"send-flow editor " + file,
                       [file](QWidget* p) { return showingFile(new TaskSettingForm(p), file); }});
    for (char mode = 0; mode < 3; ++mode)
        all.push_back({QString("calculator mode %1").arg(int(mode)),
                       [mode](QWidget* p) { return new CalcForm(p, mode); }});
    for (char mode = 0; mode < 8; ++mode)
        all.push_back({QString("encoding converter mode %1").arg(int(mode)),
                       [mode](QWidget* p) { return new CharSetForm(p, mode); }});
    // Results wider than the output box: a distance across the globe, and
    // every part unreadable.
    for (const char* input : {"N0.0, E0.0, S0.0, W179.999", "N23.1l, E114.4x, N22.1y, E113.4z"})
        all.push_back({QString("calculator result of %1").arg(input), [input](QWidget* p) {
                           auto* form = new CalcForm(p, 2);
                           form->show();
                           form->findChild<QTextEdit*>("edIn")->setPlainText(input);
                           QMetaObject::invokeMethod(form, "on_buttonBox_accepted");
                           // The dialog grows on the next turn of the event loop.
                           QCoreApplication::processEvents();
                           return form;
                       }});
    // Values that show the widest texts: course 360, the SOS alarm, the
    // longest alarm name.
    all.push_back({"course/status editor", [](QWidget* p) {
                       Zuno::DirectionAndStat v;
                       v.direction = 360;
                       return new DeviceStatusForm(p, v, "航向/状态_ace");
                   }});
    all.push_back({"terminal-information editor", [](QWidget* p) {
                       Zuno::TerminalContent v;
                       v.alarm = 4;
                       return new AlertStatusForm(p, v, "终端信息_ace");
                   }});
    all.push_back({"alarm/language editor", [](QWidget* p) {
                       return new AlertLngForm(p, Zuno::AlertAndLang{0x12, 0}, "告警语言_ace");
                   }});
    all.push_back({"base converter", [](QWidget* p) { return new BinForm(p); }});
    all.push_back({"About", [](QWidget* p) { return new AboutForm(p); }});
    return all;
}

} // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<zt::ConfigTree> tree;
    std::vector<Window> all;

private slots:
    void initTestCase() {
        QApplication::setStyle("Fusion");
        for (const QString& font : fontsToTry())
            QVERIFY2(QFontInfo(QFont(font, 9)).family() == font, qPrintable("the font " + font + " is not installed"));
        QVERIFY2(Zuno::installQtTranslation(qApp), "Qt's Chinese translation is not installed");
        Zuno::MessageBoxes::setUnattended(true);
        MainForm::registerSignalTypes();
        // The windows read (and the main window writes) a copy of the shipped conf/.
        tree = std::make_unique<zt::ConfigTree>();
        QVERIFY(tree->copyFolder(shippedConf(), "conf"));
        Zuno::setBaseFolder(tree->root());
        all = windows();
    }
    void cleanupTestCase() {
        fitsize::assumeAvailableSize(QSize());
        Zuno::setBaseFolder(QString());
        QApplication::setFont(QFont());
    }

    void standardButtonsReadChinese() {
        const QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Close);
        QVERIFY2(box.button(QDialogButtonBox::Save)->text().startsWith("保存"),
                 qPrintable(box.button(QDialogButtonBox::Save)->text()));
        QMessageBox question(QMessageBox::Question, "错误", "?", QMessageBox::Yes | QMessageBox::No);
        QVERIFY2(question.button(QMessageBox::Yes)->text().startsWith("是"),
                 qPrintable(question.button(QMessageBox::Yes)->text()));
    }

    void showsWholeTexts_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("font");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("screen");
        for (int screen = 0; screen < int(std::size(kScreens)); ++screen)
            for (const QString& font : fontsToTry())
                for (int points : pointsToTry())
                    for (size_t i = 0; i < all.size(); ++i)
                        QTest::addRow("%s, %s %d pt, %s", qPrintable(all[i].name), qPrintable(font), points,
                                      kScreens[screen].name)
                            << int(i) << font << points << screen;
    }
    void showsWholeTexts() {
        QFETCH(int, window);
        QFETCH(QString, font);
        QFETCH(int, points);
        QFETCH(int, screen);
        QApplication::setFont(QFont(font, points));
        fitsize::assumeAvailableSize(kScreens[screen].available);
        QWidget parent;
        std::unique_ptr<QWidget> w(all[size_t(window)].open(&parent));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QStringList unfit = zt::unfitControls(w.get());
        // Measured once the window has settled to its size.
        unfit += beyondScreen(w.get(), kScreens[screen].window);
        const QString shots = qEnvironmentVariable("ZUNO_FIT_SHOTS");
        if (!shots.isEmpty())
            w->grab().save(shots + "/" + QString(QTest::currentDataTag()).replace(QRegularExpression("[^\\w.]+"), "_") +
                           ".png");
        // One line each: a long list would be cut in the failure message.
        for (const QString& line : unfit)
            qWarning("%s", qPrintable(line));
        QVERIFY2(unfit.isEmpty(), qPrintable(QString("%1 controls do not fit").arg(unfit.size())));
    }

    // With every note showing, each naming a long path, and a long state, the
    // status bar still shows the connection state whole at its right end;
    // the notes take the room left of it, their whole texts as tool tips.
    void statusBarShowsTheStateWholeBesideEveryNote() {
        QApplication::setFont(QFont(fontsToTry().first(), pointsToTry().first()));
        fitsize::assumeAvailableSize(kScreens[0].available);
        const QString deep = "users/somebody/projects/tracking-platform-debugging/terminal-simulator/build";
        QVERIFY(tree->copyFolder(shippedConf(), deep + "/conf"));
        Zuno::setBaseFolder(tree->path(deep));
        // The log cannot be written (its folder does not exist) ...
        Zuno::setLogFolder(tree->path(deep + "/missing/logs"));
        Zuno::setLogDate("20261211");
        const QtMessageHandler previous = qInstallMessageHandler(Zuno::messageOutput);
        qDebug("a record");
        // ... and conf.json cannot be saved, for a reason that names its path.
        const QString why = "Existing file " + tree->path(deep + "/conf/conf.json") + " is not writable";
        Zuno::ConfigWriteOps ops;
        ops.write = [why](QFileDevice&, const char*, qint64) { return why; };
        Zuno::setConfigWriteOps(ops);
        struct Restore {
            QtMessageHandler handler;
            ~Restore() {
                Zuno::setConfigWriteOps({});
                qInstallMessageHandler(handler);
            }
        } restore{previous};

        MainForm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setResolver(&zt::unknownName);
        w.findChild<QLineEdit*>("edtIp")->setText("no-such-host-of-thirty-chars.invalid");
        QMetaObject::invokeMethod(&w, "on_btnConnect_clicked");
        auto* state = w.findChild<QLabel*>("lbConnState");
        auto* conf = w.findChild<QLabel*>("lbConfState");
        auto* log = w.findChild<QLabel*>("lbLogState");
        QTRY_VERIFY(state->text().startsWith("无法解析服务器地址"));
        QVERIFY(w.waitForConnectionEnd(std::chrono::seconds(10)));
        zt::fit::settle();
        QVERIFY(conf->isVisible() && log->isVisible());
        QVERIFY(conf->toolTip().contains(why));
        QVERIFY(log->toolTip().contains(tree->path(deep + "/missing/logs")));
        const QRect bar = w.statusBar()->rect();
        QVERIFY2(state->width() >= state->fontMetrics().horizontalAdvance(state->text()),
                 qPrintable(QString("%1 of %2 px").arg(state->width()).arg(state->sizeHint().width())));
        QVERIFY(state->geometry().right() <= bar.right());
        for (QLabel* note : {conf, log}) {
            QVERIFY2(note->geometry().left() >= bar.left() && note->geometry().right() < state->geometry().left(),
                     qPrintable(note->objectName()));
            // A fair share of the room: none squeezed while another shows whole.
            QVERIFY2(note->width() >= std::min(note->sizeHint().width(), (bar.width() - state->width()) / 4),
                     qPrintable(QString("%1: %2 px").arg(note->objectName()).arg(note->width())));
        }
        QVERIFY(w.width() <= kScreens[0].window.width());
        const QString shots = qEnvironmentVariable("ZUNO_FIT_SHOTS");
        if (!shots.isEmpty())
            w.grab().save(shots + "/status_bar.png");

        // A shorter state gives back the room it no longer needs: it stands
        // at the bar's right end, as wide as its text.
        w.setResolver(&zt::silentNameServer);
        w.findChild<QLineEdit*>("edtIp")->setText("127.0.0.1");
        QMetaObject::invokeMethod(&w, "on_btnConnect_clicked");
        zt::fit::settle();
        QVERIFY(state->text().startsWith("正在连接"));
        const int textWidth = state->fontMetrics().horizontalAdvance(state->text());
        QVERIFY2(state->width() >= textWidth && state->width() <= textWidth + 8,
                 qPrintable(QString("%1 px for a state of %2 px").arg(state->width()).arg(textWidth)));
        QVERIFY2(bar.right() - state->geometry().right() < 40,
                 qPrintable(QString("state ends at %1 in a bar of %2").arg(state->geometry().right()).arg(bar.width())));
        QMetaObject::invokeMethod(&w, "on_btnConnect_clicked");
        QVERIFY(w.waitForConnectionEnd(std::chrono::seconds(10)));
        Zuno::setBaseFolder(tree->root());
    }

    // With the conf.json note (a port and a duration it cannot use) and the
    // log note showing, each message of the status bar shows whole at the
    // window's minimum width: the notes give way, shortened in the middle and
    // whole as tool tips, while the state stays whole. Once the message is
    // gone the notes take their room again.
    void statusBarMessagesShowWholeBesideTheNotes_data() {
        QTest::addColumn<QString>("message");
        QTest::newRow("log cleared") << "目录下日志清理完成!";
        QTest::newRow("reply not built") << "指令回复未生成";
        QTest::newRow("flow without steps") << "待发送协议的流程逻辑文件未设置!";
        QTest::newRow("login not built") << "流程中的登录包无法生成";
    }
    void statusBarMessagesShowWholeBesideTheNotes() {
        QFETCH(QString, message);
        QApplication::setFont(QFont(fontsToTry().first(), pointsToTry().first()));
        fitsize::assumeAvailableSize(kScreens[0].available);
        const QString base = "zuno";
        zt::ConfigTree t;
        QVERIFY(t.copyFolder(shippedConf(), base + "/conf"));
        t.write(base + "/conf/conf.json", R"({"ip":"127.0.0.1","port":70000,"duration":"fast","protocol":0})");
        t.write(base + "/conf/prop/empty.json", R"({"cmd":"空流程","protocol":"zuno"})");
        Zuno::setBaseFolder(t.path(base));
        Zuno::setLogFolder(t.path(base + "/missing/logs"));
        Zuno::setLogDate("20261211");
        const QtMessageHandler previous = qInstallMessageHandler(Zuno::messageOutput);
        qDebug("a record");
        struct Restore {
            QtMessageHandler handler;
            QString root;
            ~Restore() {
                qInstallMessageHandler(handler);
                Zuno::setBaseFolder(root);
            }
        } restore{previous, tree->root()};

        MainForm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(w.minimumWidth(), w.height());
        zt::fit::settle();
        auto* state = w.findChild<QLabel*>("lbConnState");
        auto* conf = w.findChild<ElidedLabel*>("lbConfState");
        auto* log = w.findChild<ElidedLabel*>("lbLogState");
        QVERIFY(conf->isVisible() && log->isVisible());
        const QString confText = conf->text();
        QVERIFY2(confText.contains("70000") && confText.contains("fast"), qPrintable(confText));

        if (message == "目录下日志清理完成!") {
            QMetaObject::invokeMethod(&w, "on_actionClearLog_triggered");
        } else if (message == "指令回复未生成") {
            w.signalReceiveCmd("PING13", R"({"cmd":"PING13","protocol":"zuno","components":[)");
        } else if (message == "待发送协议的流程逻辑文件未设置!") {
            auto* box = w.findChild<QComboBox*>("cbProtocol");
            box->setCurrentIndex(box->findText("空流程"));
        } else {
            QByteArray model = t.read(base + "/conf/model/login.json");
            const QString imei = QRegularExpression("\"(\\d{15,16})\"").match(QString::fromUtf8(model)).captured(1);
            QVERIFY(!imei.isEmpty());
            t.write(base + "/conf/model/login.json", model.replace(imei.toUtf8(), "01234567890123G5"));
            w.signalReceiveConfigChange(ProtocolDataModel());
        }
        zt::fit::settle();
        QStatusBar* bar = w.statusBar();
        const QString shown = bar->currentMessage();
        QVERIFY2(shown.startsWith(message) || shown.endsWith(message), qPrintable(shown));
        QVERIFY(conf->isVisible() && log->isVisible());

        // The bar draws its message from 6 px to 2 px before the first note.
        const int messageWidth = bar->fontMetrics().horizontalAdvance(shown);
        const int firstNote = std::min(conf->x(), log->x());
        QVERIFY2(firstNote - 2 - 6 >= messageWidth,
                 qPrintable(QString("%1 px for a message of %2 px in a bar of %3 px")
                                .arg(firstNote - 8)
                                .arg(messageWidth)
                                .arg(bar->width())));
        QVERIFY(state->width() >= state->fontMetrics().horizontalAdvance(state->text()));
        QVERIFY(state->geometry().right() <= bar->rect().right());
        for (ElidedLabel* note : {conf, log}) {
            QVERIFY(note->geometry().right() < state->geometry().left());
            QVERIFY2(note->toolTip().startsWith(note->text()), qPrintable(note->objectName()));
        }
        QCOMPARE(conf->toolTip(), confText);
        const QString shots = qEnvironmentVariable("ZUNO_FIT_SHOTS");
        if (!shots.isEmpty())
            w.grab().save(shots + "/status_bar_" + QString(QTest::currentDataTag()).replace(' ', '_') + ".png");

        // The message gone, the notes take back the room it held.
        bar->clearMessage();
        zt::fit::settle();
        for (ElidedLabel* note : {conf, log})
            QVERIFY2(note->width() >= std::min(note->sizeHint().width(), (bar->width() - state->width()) / 4),
                     qPrintable(QString("%1: %2 px").arg(note->objectName()).arg(note->width())));
    }

    // Save's message wraps within the send-flow editor: the steps keep the
    // width they had, every spin box in view, none to be scrolled to.
    void sendFlowEditorKeepsItsStepsInViewAfterSave() {
        QApplication::setFont(QFont(fontsToTry().first(), pointsToTry().first()));
        fitsize::assumeAvailableSize(kScreens[0].available);
        QWidget parent;
        std::unique_ptr<QWidget> form(showingFile(new TaskSettingForm(&parent), shippedFiles("prop").first()));
        zt::fit::settle();
        auto* area = form->findChild<QScrollArea*>("scrollArea");
        const auto stepsInView = [&] {
            QStringList out;
            if (area->horizontalScrollBar()->isVisible())
                out << "the steps scroll sideways";
            for (QSpinBox* spin : area->widget()->findChildren<QSpinBox*>()) {
                const QRect shown = QRect(spin->mapTo(area->viewport(), QPoint()), spin->size());
                if (shown.right() > area->viewport()->width())
                    out << QString("%1 ends at %2 of %3 px").arg(spin->objectName()).arg(shown.right()).arg(area->viewport()->width());
            }
            return out;
        };
        QCOMPARE(stepsInView(), QStringList());
        const QSize steps = area->size();
        QMetaObject::invokeMethod(form.get(), "on_buttonBox_accepted");
        zt::fit::settle();
        auto* msg = form->findChild<QLabel*>("lbMsg");
        QVERIFY2(msg->text().contains("完成"), qPrintable(msg->text()));
        QCOMPARE(stepsInView(), QStringList());
        // A message of one line takes no room from the steps.
        QCOMPARE(area->size(), steps);
        QVERIFY(form->rect().contains(msg->geometry()));
        QVERIFY(msg->height() >= msg->heightForWidth(msg->width()));

        // A failure's reason wraps over lines within the dialog's width; the
        // steps may scroll up and down, never sideways.
        const int width = form->width();
        const QString why = "Existing file " + tree->path("conf/prop/" + shippedFiles("prop").first()) +
                            " is not writable: the folder holding it is mounted read-only for this user";
        Zuno::ConfigWriteOps ops;
        ops.write = [why](QFileDevice&, const char*, qint64) { return why; };
        Zuno::setConfigWriteOps(ops);
        QCheckBox* step = area->widget()->findChildren<QCheckBox*>().last();
        step->setChecked(!step->isChecked());
        QMetaObject::invokeMethod(form.get(), "on_buttonBox_accepted");
        Zuno::setConfigWriteOps({});
        zt::fit::settle();
        QVERIFY2(msg->text().contains(why), qPrintable(msg->text()));
        QVERIFY(msg->heightForWidth(msg->width()) > msg->fontMetrics().height() + 1);
        QCOMPARE(stepsInView(), QStringList());
        QCOMPARE(form->width(), width);
        QVERIFY(form->rect().contains(msg->geometry()));
        QVERIFY(msg->height() >= msg->heightForWidth(msg->width()));
        QVERIFY(form->width() <= kScreens[0].window.width());
    }

    // A model whose forty fields keep values the editor cannot show: the
    // message naming them (cut where the list grows long) wraps within the
    // dialog, shown whole, and the dialog stays within its screen.
    void modelEditorNamesKeptFieldsWithinTheScreen_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("points");
        for (int screen = 0; screen < int(std::size(kScreens)); ++screen)
            for (int points : pointsToTry())
                QTest::addRow("%s, %d pt", kScreens[screen].name, points) << screen << points;
    }
    void modelEditorNamesKeptFieldsWithinTheScreen() {
        QFETCH(int, screen);
        QFETCH(int, points);
        QApplication::setFont(QFont(fontsToTry().first(), points));
        fitsize::assumeAvailableSize(kScreens[screen].available);
        QStringList fields;
        for (int i = 0; i < 40; ++i)
            fields << QString(R"({"label":"第%1个无法显示文件值的字段","component":"dateTimeEdit","readOnly":false,"value":""})")
                          .arg(i + 1);
        tree->write("conf/model/kept.json",
                    R"({"cmd":"KEPT","protocol":"kept","components":[)" + fields.join(",").toUtf8() + "]}");
        struct Remove {
            zt::ConfigTree& tree;
            ~Remove() { QFile::remove(tree.path("conf/model/kept.json")); }
        } remove{*tree};
        QWidget parent;
        std::unique_ptr<QWidget> form(showingFile(new DataSettingForm(&parent, 1), "kept.json"));
        zt::fit::settle();
        auto* msg = form->findChild<QLabel*>("lbMsg");
        QVERIFY2(msg->text().startsWith("这些字段无法显示文件中的值") && msg->text().endsWith("…"), qPrintable(msg->text()));
        QVERIFY(msg->heightForWidth(msg->width()) > 2 * msg->fontMetrics().height());
        QVERIFY(msg->height() >= msg->heightForWidth(msg->width()));
        QVERIFY(form->rect().contains(msg->geometry()));
        QStringList unfit = zt::unfitControls(form.get());
        unfit += beyondScreen(form.get(), kScreens[screen].window);
        const QString shots = qEnvironmentVariable("ZUNO_FIT_SHOTS");
        if (!shots.isEmpty())
            form->grab().save(shots + "/kept_fields_" + QString(QTest::currentDataTag()).replace(QRegularExpression("[^\\w.]+"), "_") + ".png");
        for (const QString& line : unfit)
            qWarning("%s", qPrintable(line));
        QVERIFY2(unfit.isEmpty(), qPrintable(QString("%1 controls do not fit").arg(unfit.size())));
    }

    // The reason of an input with four unreadable parts of 80 letters goes
    // into the message line, which wraps and grows the calculator as far as
    // its screen has room, no further; the output box keeps what it held.
    void aLongReasonStaysWithinTheScreen_data() {
        QTest::addColumn<int>("screen");
        for (int screen = 0; screen < int(std::size(kScreens)); ++screen)
            QTest::addRow("%s", kScreens[screen].name) << screen;
    }
    void aLongReasonStaysWithinTheScreen() {
        QFETCH(int, screen);
        QApplication::setFont(QFont(fontsToTry().first(), pointsToTry().first()));
        fitsize::assumeAvailableSize(kScreens[screen].available);
        QWidget parent;
        auto form = std::make_unique<CalcForm>(&parent, 2);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QString part(80, QLatin1Char('x'));
        form->findChild<QTextEdit*>("edIn")->setPlainText(QString("N%1, E%1, N%1, E%1").arg(part));
        QMetaObject::invokeMethod(form.get(), "on_buttonBox_accepted");
        zt::fit::settle();
        auto* msg = form->findChild<QLabel*>("lbMsg");
        QVERIFY2(msg->text().startsWith("坐标无法识别"), qPrintable(msg->text()));
        QVERIFY(form->findChild<QLineEdit*>("edOut")->text().isEmpty());
        const QSize most = kScreens[screen].window;
        QVERIFY2(form->width() <= most.width() && form->height() <= most.height() &&
                     form->minimumWidth() <= most.width() && form->minimumHeight() <= most.height(),
                 qPrintable(QString("%1 x %2").arg(form->width()).arg(form->height())));
        QVERIFY(msg->height() >= msg->heightForWidth(msg->width()));
    }
};

ZT_GUI_TEST_MAIN(WindowFitTest)
#include "window_fit_qtest.moc"
