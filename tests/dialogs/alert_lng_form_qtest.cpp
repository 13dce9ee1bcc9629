// The alarm and language editor, driven by object name.
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "dialogs/alert_lng_form.h"
#include "field_dialog_support.h"
#include "protocol/message.h"

using Zuno::AlertAndLang;

namespace {

AlertAndLang pair(int alert, int language) { return {uint8_t(alert), uint8_t(language)}; }

} // namespace

class AlertLngFormTest : public QObject {
    Q_OBJECT

private slots:
    void theForm() {
        QWidget parent;
        auto* form = new AlertLngForm(&parent, AlertAndLang{}, zt::kEditName);
        QCOMPARE(zt::formShape(form, QSize(400, 215)), QString("AlertLngForm \"告警&语言\" 400x215 fixed"));
        QCOMPARE(form->findChild<QLabel*>("label")->text(), QString("告警:"));
        QCOMPARE(form->findChild<QLabel*>("label_2")->text(), QString("语言:"));
        auto* language = form->findChild<QComboBox*>("cbLng");
        QCOMPARE(zt::itemTexts(language), (QStringList{"不回复", "中文", "EN"}));
    }

    // One item per row of the protocol's alarm table, in ascending code order.
    void theAlarmListIsTheTable() {
        QWidget parent;
        auto* form = new AlertLngForm(&parent, AlertAndLang{}, zt::kEditName);
        auto* alarm = form->findChild<QComboBox*>("cbAlert");
        const auto table = Zuno::ZunoMSG::alarmNameMap();
        QCOMPARE(alarm->count(), 79);
        QCOMPARE(alarm->count(), int(table.size()));
        int row = 0;
        for (const auto& [code, text] : table) {
            QCOMPARE(alarm->itemData(row, Qt::UserRole).toInt(), int(code));
            QCOMPARE(alarm->itemText(row), QString::fromStdString(text));
            ++row;
        }
        int flips = 0;
        for (int i = 0; i < alarm->count(); ++i) flips += alarm->itemText(i) == "车辆翻转报警";
        QCOMPARE(flips, 1);
        QCOMPARE(alarm->findText("车辆翻转报警"), alarm->findData(0x2C));
    }

    void opensWithThePair_data() {
        QTest::addColumn<int>("alert");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("alertCode"); // of the current item, -1 for none
        QTest::addColumn<QString>("alertText");
        QTest::addColumn<int>("languageIndex");
        QTest::newRow("SOS, Chinese") << 0x01 << 1 << 0x01 << "SOS求救" << 1;
        QTest::newRow("0x88 second power cut") << 0x88 << 2 << 0x88 << "断电报警" << 2;
        QTest::newRow("0xA3") << 0xA3 << 0 << 0xA3 << "内部低电报警" << 0;
        QTest::newRow("0xFF") << 0xFF << 0 << 0xFF << "ACC关" << 0;
        QTest::newRow("unknown 0x07") << 0x07 << 1 << -1 << "" << 1;
        QTest::newRow("language 5") << 0x00 << 5 << 0x00 << "正常" << -1;
    }
    void opensWithThePair() {
        QFETCH(int, alert);
        QFETCH(int, language);
        QFETCH(int, alertCode);
        QFETCH(QString, alertText);
        QFETCH(int, languageIndex);
        QWidget parent;
        auto* form = new AlertLngForm(&parent, pair(alert, language), zt::kEditName);
        auto* alarm = form->findChild<QComboBox*>("cbAlert");
        if (alertCode < 0)
            QCOMPARE(alarm->currentIndex(), -1);
        else
            QCOMPARE(alarm->currentData().toInt(), alertCode);
        QCOMPARE(alarm->currentText(), alertText);
        QCOMPARE(form->findChild<QComboBox*>("cbLng")->currentIndex(), languageIndex);
    }

    void okSendsTheEditedPairOnce_data() {
        QTest::addColumn<int>("alert");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("chooseAlert");
        QTest::addColumn<QString>("chooseLanguage");
        QTest::addColumn<int>("sent");
        QTest::newRow("SOS, Chinese unchanged") << 0x01 << 1 << "" << "" << 0x0101;
        QTest::newRow("0x88 stays 0x88") << 0x88 << 0 << "" << "" << 0x8800;
        QTest::newRow("0xA3 stays 0xA3") << 0xA3 << 2 << "" << "" << 0xA302;
        QTest::newRow("0x83, 1 unchanged") << 0x83 << 1 << "" << "" << 0x8301;
        QTest::newRow("choose vibration, EN") << 0x00 << 0 << "震动报警" << "EN" << 0x0302;
        QTest::newRow("unknown code kept") << 0x07 << 1 << "" << "" << 0x0701;
        QTest::newRow("unknown code replaced") << 0x07 << 1 << "SOS求救" << "" << 0x0101;
        QTest::newRow("language 5 kept") << 0x01 << 5 << "" << "" << 0x0105;
        QTest::newRow("language 5 replaced") << 0x01 << 5 << "" << "不回复" << 0x0100;
    }
    void okSendsTheEditedPairOnce() {
        QFETCH(int, alert);
        QFETCH(int, language);
        QFETCH(QString, chooseAlert);
        QFETCH(QString, chooseLanguage);
        QFETCH(int, sent);
        const auto out = zt::runEditor<AlertLngForm>(pair(alert, language), [=](QWidget* form) {
            if (!chooseAlert.isEmpty()) QVERIFY(zt::pickItem(form->findChild<QComboBox*>("cbAlert"), chooseAlert));
            if (!chooseLanguage.isEmpty())
                QVERIFY(zt::pickItem(form->findChild<QComboBox*>("cbLng"), chooseLanguage));
        });
        QCOMPARE(out.report(), zt::sentOnce(sent));
    }

    void closingWithoutOkSendsNothing_data() { zt::addCloseRows(); }
    void closingWithoutOkSendsNothing() {
        QFETCH(int, how);
        const auto out = zt::runEditor<AlertLngForm>(
            pair(0x01, 1), [](QWidget* form) { QVERIFY(zt::pickItem(form->findChild<QComboBox*>("cbLng"), "EN")); },
            zt::CloseBy(how), QDialogButtonBox::Cancel);
        QCOMPARE(out.report(), QStringList{"deleted"});
    }
};

QTEST_MAIN(AlertLngFormTest)
#include "alert_lng_form_qtest.moc"
