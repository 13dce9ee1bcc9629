// The About dialog, driven by object name.
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "dialog_support.h"
#include "tools/about_form.h"

class AboutFormTest : public QObject {
    Q_OBJECT

private slots:
    void showsNameAndVersion() {
        QWidget window;
        auto* form = new AboutForm(&window);
        QCOMPARE(form->objectName(), QString("AboutForm"));
        QCOMPARE(form->windowTitle(), QString("关于"));
        // 400 x 220, larger where the font needs it.
        QVERIFY(form->width() >= 400 && form->height() >= 220);
        QCOMPARE(form->findChild<QLabel*>("label")->text(), QString("标题:"));
        QCOMPARE(form->findChild<QLabel*>("label_2")->text(), QString("软件名称:"));
        QCOMPARE(form->findChild<QLabel*>("label_3")->text(), QString("版本:"));
        QCOMPARE(form->findChild<QLabel*>("lbTitle")->text(), QString("Zuno终端协议模拟器"));
        QCOMPARE(form->findChild<QLabel*>("lbAppName")->text(), QString("ZunoProtocol"));
        QCOMPARE(form->findChild<QLabel*>("lbVersion")->text(), QString("v0.9.4.4"));
    }

    void closeDeletesTheDialog_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("OK button") << int(zt::CloseBy::Button);
        QTest::newRow("window close") << int(zt::CloseBy::Window);
        QTest::newRow("Escape") << int(zt::CloseBy::Escape);
    }
    void closeDeletesTheDialog() {
        QFETCH(int, how);
        QWidget window;
        QVERIFY(zt::execClosesAndDeletes(new AboutForm(&window), zt::CloseBy(how), QDialogButtonBox::Ok));
    }
};

QTEST_MAIN(AboutFormTest)
#include "about_form_qtest.moc"
