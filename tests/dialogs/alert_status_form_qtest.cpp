// The terminal-information editor, driven by object name.
#include <QComboBox>
#include <QGroupBox>
#include <QtTest>

#include "dialogs/alert_status_form.h"
#include "field_dialog_support.h"

using Zuno::TerminalContent;

class AlertStatusFormTest : public QObject {
    Q_OBJECT

private slots:
    void theForm() {
        QWidget parent;
        auto* form = new AlertStatusForm(&parent, TerminalContent{}, zt::kEditName);
        QCOMPARE(zt::formShape(form, QSize(400, 219)), QString("AlertStatusForm \"终端信息\" 400x219 fixed"));
        const QList<QPair<QString, QString>> groups{{"gb_powerStat", "电源充电"}, {"gb_oilStat", "油电"},
                                                    {"gb_accStat", "ACC"},        {"gb_gpsStat", "GPS"},
                                                    {"gb_fenceStat", "栅栏"},     {"gb_alert", "告警"}};
        for (const auto& [name, title] : groups) QCOMPARE(form->findChild<QGroupBox*>(name)->title(), title);
        const QList<QPair<QString, QString>> radios{
            {"rb_powerOn", "已接"}, {"rb_powerOff", "未接"},  {"rb_oilOff", "断开"},     {"rb_oilOn", "接通"},
            {"rb_accStatHigh", "高"}, {"rb_accStatLow", "低"}, {"rb_gpsStatOn", "已定位"}, {"rb_gpsStatOff", "未定位"},
            {"rb_fenceOn", "设防"}, {"rb_fenceOff", "撤防"}};
        for (const auto& [name, text] : radios) QCOMPARE(form->findChild<QRadioButton*>(name)->text(), text);
        auto* alarm = form->findChild<QComboBox*>("cb_alert");
        QCOMPARE(zt::itemTexts(alarm), (QStringList{"正常", "震动报警", "断电报警", "低电报警", "SOS求救"}));
    }

    void opensWithTheByte_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<int>("alarm"); // current index of cb_alert
        QTest::newRow("0") << 0x00
                           << QStringList{"rb_accStatLow", "rb_fenceOff", "rb_gpsStatOff", "rb_oilOn", "rb_powerOff"} << 0;
        QTest::newRow("0x80 oil cut") << 0x80
                                      << QStringList{"rb_accStatLow", "rb_fenceOff", "rb_gpsStatOff", "rb_oilOff", "rb_powerOff"}
                                      << 0;
        QTest::newRow("0x20 SOS") << 0x20
                                  << QStringList{"rb_accStatLow", "rb_fenceOff", "rb_gpsStatOff", "rb_oilOn", "rb_powerOff"} << 4;
        QTest::newRow("0x47 all low bits") << 0x47
                                           << QStringList{"rb_accStatHigh", "rb_fenceOn", "rb_gpsStatOn", "rb_oilOn", "rb_powerOn"}
                                           << 0;
        QTest::newRow("0x28 alarm 5") << 0x28
                                      << QStringList{"rb_accStatLow", "rb_fenceOff", "rb_gpsStatOff", "rb_oilOn", "rb_powerOff"}
                                      << -1;
    }
    void opensWithTheByte() {
        QFETCH(int, byte);
        QFETCH(QStringList, checked);
        QFETCH(int, alarm);
        QWidget parent;
        auto* form = new AlertStatusForm(&parent, Zuno::terminalContentOf(uint8_t(byte)), zt::kEditName);
        QCOMPARE(zt::checkedRadios(form), checked);
        QCOMPARE(form->findChild<QComboBox*>("cb_alert")->currentIndex(), alarm);
    }

    void okSendsTheEditedByteOnce_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("alarm"); // item to choose, empty: none
        QTest::addColumn<int>("sent");
        QTest::newRow("0 unchanged") << 0x00 << QStringList{} << "" << 0x00;
        QTest::newRow("0x80, 接通") << 0x80 << QStringList{"rb_oilOn"} << "" << 0x00;
        QTest::newRow("0x20, vibration") << 0x20 << QStringList{} << "震动报警" << 0x08;
        QTest::newRow("everything on") << 0x00
                                       << QStringList{"rb_oilOff", "rb_gpsStatOn", "rb_powerOn", "rb_accStatHigh",
                                                      "rb_fenceOn"}
                                       << "SOS求救" << 0xE7;
        QTest::newRow("everything off") << 0xE7
                                        << QStringList{"rb_oilOn", "rb_gpsStatOff", "rb_powerOff", "rb_accStatLow",
                                                       "rb_fenceOff"}
                                        << "正常" << 0x00;
        QTest::newRow("alarm 5 kept") << 0x28 << QStringList{} << "" << 0x28;
        QTest::newRow("alarm 7 kept") << 0xFF << QStringList{} << "" << 0xFF;
        QTest::newRow("alarm 6 replaced") << 0x30 << QStringList{} << "低电报警" << 0x18;
    }
    void okSendsTheEditedByteOnce() {
        QFETCH(int, start);
        QFETCH(QStringList, clicks);
        QFETCH(QString, alarm);
        QFETCH(int, sent);
        const auto out = zt::runEditor<AlertStatusForm>(Zuno::terminalContentOf(uint8_t(start)), [=](QWidget* form) {
            for (const QString& name : clicks) zt::clickRadio(form, name);
            if (!alarm.isEmpty()) QVERIFY(zt::pickItem(form->findChild<QComboBox*>("cb_alert"), alarm));
        });
        QCOMPARE(out.report(), zt::sentOnce(sent));
    }

    // Every byte whose alarm state has an item comes back bit for bit.
    void okWithoutChangesKeepsEveryByte() {
        for (int byte = 0; byte < 256; ++byte) {
            QWidget parent;
            auto* form = new AlertStatusForm(&parent, Zuno::terminalContentOf(uint8_t(byte)), zt::kEditName);
            int sent = -1;
            connect(form, &AlertStatusForm::sendData, &parent,
                    [&sent](const TerminalContent& v, const QString&) { sent = Zuno::toByte(v); });
            form->show();
            QTest::mouseClick(form->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
            QCOMPARE(sent, byte);
        }
    }

    void closingWithoutOkSendsNothing_data() { zt::addCloseRows(); }
    void closingWithoutOkSendsNothing() {
        QFETCH(int, how);
        const auto out = zt::runEditor<AlertStatusForm>(
            Zuno::terminalContentOf(0x20), [](QWidget* form) { zt::clickRadio(form, "rb_oilOff"); }, zt::CloseBy(how),
            QDialogButtonBox::Cancel);
        QCOMPARE(out.report(), QStringList{"deleted"});
    }
};

QTEST_MAIN(AlertStatusFormTest)
#include "alert_status_form_qtest.moc"
