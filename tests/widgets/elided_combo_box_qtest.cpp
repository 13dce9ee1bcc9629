// The drop-down that draws its current text elided where it is too narrow.
#include <QtTest>

#include "widgets/elided_combo_box.h"

class ElidedComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void elidesTheCurrentTextWhereItIsTooNarrow() {
        ElidedComboBox box;
        const QString name = QStringLiteral("默认流程 of a platform that tests every packet kind there is");
        box.addItems({name, QStringLiteral("短")});
        box.setFixedWidth(120);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY2(box.shownText().endsWith(QStringLiteral("…")), qPrintable(box.shownText()));
        QVERIFY(name.startsWith(box.shownText().chopped(1)));
        QCOMPARE(box.currentText(), name);
        box.setCurrentIndex(1);
        QCOMPARE(box.shownText(), QStringLiteral("短"));
        box.setCurrentIndex(0);
        box.setFixedWidth(box.fontMetrics().horizontalAdvance(name) + 80);
        QCOMPARE(box.shownText(), name);
        // Painted without a fault either way.
        QVERIFY(!box.grab().isNull());
    }
};

QTEST_MAIN(ElidedComboBoxTest)
#include "elided_combo_box_qtest.moc"
