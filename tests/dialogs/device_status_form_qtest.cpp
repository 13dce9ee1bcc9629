// The course and status editor, driven by object name.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

#include "dialogs/device_status_form.h"
#include "field_dialog_support.h"

using Zuno::DirectionAndStat;

class DeviceStatusFormTest : public QObject {
    Q_OBJECT

private slots:
    void theForm() {
        QWidget parent;
        auto* form = new DeviceStatusForm(&parent, DirectionAndStat{}, zt::kEditName);
        QCOMPARE(zt::formShape(form, QSize(400, 215)), QString("DeviceStatusForm \"航向/状态设置\" 400x215 fixed"));
        const QList<QPair<QString, QString>> groups{
            {"gb_gpsMode", "GPS定位"}, {"gb_gpsStat", "GPS定位状态"}, {"gb_gpsLng", "东经/西经"}, {"gb_gpsLati", "南纬/北纬"}};
        for (const auto& [name, title] : groups) QCOMPARE(form->findChild<QGroupBox*>(name)->title(), title);
        const QList<QPair<QString, QString>> radios{
            {"rb_gpsMode1", "实时定位"}, {"rb_gpsMode2", "差分定位"}, {"rb_gpsStatOff", "未定位"}, {"rb_gpsStatOn", "已定位"},
            {"rb_gpsLngEast", "东经"},   {"rb_gpsLngWest", "西经"},   {"rb_latiSouth", "南纬"},   {"rb_latiNorth", "北纬"}};
        for (const auto& [name, text] : radios) QCOMPARE(form->findChild<QRadioButton*>(name)->text(), text);
        QCOMPARE(form->findChild<QLabel*>("label")->text(), QString("航向  "));
        auto* course = form->findChild<QSpinBox*>("sb_gpsDirection");
        QCOMPARE(course->suffix(), QString("°"));
        QCOMPARE(course->whatsThis(), QString("输入方向角度"));
        QCOMPARE(course->maximum(), 360);
        QCOMPARE(course->minimum(), 0);
    }

    void opensWithTheValue_data() {
        QTest::addColumn<int>("word");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<int>("course");
        QTest::newRow("all 0") << 0 << QStringList{"rb_gpsLngEast", "rb_gpsMode1", "rb_gpsStatOff", "rb_latiSouth"} << 0;
        QTest::newRow("all flags, 90") << (0x3C00 | 90)
                                       << QStringList{"rb_gpsLngWest", "rb_gpsMode2", "rb_gpsStatOn", "rb_latiNorth"}
                                       << 90;
        QTest::newRow("located north, 359") << (0x1400 | 359)
                                            << QStringList{"rb_gpsLngEast", "rb_gpsMode1", "rb_gpsStatOn", "rb_latiNorth"}
                                            << 359;
        QTest::newRow("course 400") << 400 << QStringList{"rb_gpsLngEast", "rb_gpsMode1", "rb_gpsStatOff", "rb_latiSouth"}
                                    << 360;
    }
    void opensWithTheValue() {
        QFETCH(int, word);
        QFETCH(QStringList, checked);
        QFETCH(int, course);
        QWidget parent;
        auto* form = new DeviceStatusForm(&parent, Zuno::directionAndStatOf(uint16_t(word)), zt::kEditName);
        QCOMPARE(zt::checkedRadios(form), checked);
        QCOMPARE(form->findChild<QSpinBox*>("sb_gpsDirection")->value(), course);
    }

    void okSendsTheEditedWordOnce_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("course"); // -1: left as shown
        QTest::addColumn<int>("sent");
        QTest::newRow("unchanged 0") << 0 << QStringList{} << -1 << 0;
        QTest::newRow("unchanged flags") << (0x3C00 | 123) << QStringList{} << -1 << (0x3C00 | 123);
        QTest::newRow("all four, 90") << 0 << QStringList{"rb_gpsMode2", "rb_gpsStatOn", "rb_gpsLngWest", "rb_latiNorth"}
                                      << 90 << (0x3C00 | 90);
        QTest::newRow("back to 0") << (0x3C00 | 7) << QStringList{"rb_gpsMode1", "rb_gpsStatOff", "rb_gpsLngEast", "rb_latiSouth"}
                                   << 0 << 0;
        QTest::newRow("course 400 becomes 360") << 400 << QStringList{} << -1 << 360;
    }
    void okSendsTheEditedWordOnce() {
        QFETCH(int, start);
        QFETCH(QStringList, clicks);
        QFETCH(int, course);
        QFETCH(int, sent);
        const auto out = zt::runEditor<DeviceStatusForm>(Zuno::directionAndStatOf(uint16_t(start)), [=](QWidget* form) {
            for (const QString& name : clicks) zt::clickRadio(form, name);
            if (course >= 0) form->findChild<QSpinBox*>("sb_gpsDirection")->setValue(course);
        });
        QCOMPARE(out.report(), zt::sentOnce(sent));
    }

    void closingWithoutOkSendsNothing_data() { zt::addCloseRows(); }
    void closingWithoutOkSendsNothing() {
        QFETCH(int, how);
        const auto out = zt::runEditor<DeviceStatusForm>(
            Zuno::directionAndStatOf(0x1400), [](QWidget* form) { zt::clickRadio(form, "rb_gpsMode2"); },
            zt::CloseBy(how), QDialogButtonBox::Cancel);
        QCOMPARE(out.report(), QStringList{"deleted"});
    }
};

QTEST_MAIN(DeviceStatusFormTest)
#include "device_status_form_qtest.moc"
