// The 64-bit spin box, driven through its text field, its keys and its setters.
#include <limits>

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "widgets/qt_long_long_spin_box.h"

namespace {

constexpr qlonglong kMax = std::numeric_limits<qlonglong>::max();

// Reaches the protected step rule.
struct Probe : QtLongLongSpinBox {
    using QtLongLongSpinBox::stepEnabled;
};

QLineEdit* editOf(QtLongLongSpinBox& box) { return box.findChild<QLineEdit*>(); }

// Both signals of every change, in the order they came.
struct Changes {
    explicit Changes(QtLongLongSpinBox& box) {
        QObject::connect(&box, QOverload<qlonglong>::of(&QtLongLongSpinBox::valueChanged),
                         [this](qlonglong v) { seen << QString::number(v) + "#"; });
        QObject::connect(&box, QOverload<const QString&>::of(&QtLongLongSpinBox::valueChanged),
                         [this](const QString& t) { seen << t; });
    }
    QStringList seen;
};

} // namespace

class LongLongSpinBoxTest : public QObject {
    Q_OBJECT

private slots:
    void startsAtZeroSilently() {
        QtLongLongSpinBox box;
        Changes changes(box);
        QCOMPARE(box.text(), QString("0"));
        QCOMPARE(box.value(), 0LL);
        QCOMPARE(box.minimum(), std::numeric_limits<qlonglong>::min());
        QCOMPARE(box.maximum(), kMax);
        box.setValue(0);
        QVERIFY(changes.seen.isEmpty());
    }

    void setValueRedrawsAndSignalsOnlyChanges() {
        QtLongLongSpinBox box;
        Changes changes(box);
        box.setValue(kMax);
        QCOMPARE(box.text(), QString("9223372036854775807"));
        QCOMPARE(changes.seen, (QStringList{"9223372036854775807#", "9223372036854775807"}));
        editOf(box)->setText("garbage");
        box.setValue(kMax);
        QCOMPARE(box.text(), QString("9223372036854775807"));
        QCOMPARE(changes.seen.size(), 2);
    }

    void settersClampTheValue() {
        QtLongLongSpinBox box;
        box.setValue(999);
        box.setMinimum(0);
        box.setMaximum(700);
        QCOMPARE(box.value(), 700LL);
        QCOMPARE(box.text(), QString("700"));
        box.setSuffix("km");
        QCOMPARE(box.text(), QString("700km"));
        box.setMaximum(-5); // raised to the minimum
        QCOMPARE(box.maximum(), 0LL);
        QCOMPARE(box.value(), 0LL);
        box.setMinimum(10); // above the maximum: the minimum wins
        QCOMPARE(box.value(), 10LL);
    }

    void stepping_data() {
        QTest::addColumn<bool>("wrapping");
        QTest::addColumn<qlonglong>("from");
        QTest::addColumn<int>("steps");
        QTest::addColumn<qlonglong>("to");
        QTest::newRow("at max") << false << 10LL << 1 << 10LL;
        QTest::newRow("at max, wrapping") << true << 10LL << 1 << 0LL;
        QTest::newRow("9 + 5") << false << 9LL << 5 << 10LL;
        QTest::newRow("9 + 5, wrapping") << true << 9LL << 5 << 10LL;
        QTest::newRow("at min, wrapping") << true << 0LL << -1 << 10LL;
    }
    void stepping() {
        QFETCH(bool, wrapping);
        QFETCH(qlonglong, from);
        QFETCH(int, steps);
        QFETCH(qlonglong, to);
        QtLongLongSpinBox box;
        box.setMinimum(0);
        box.setMaximum(10);
        box.setWrapping(wrapping);
        box.setValue(from);
        box.stepBy(steps);
        QCOMPARE(box.value(), to);
        QCOMPARE(editOf(box)->selectedText(), QString::number(to));
    }

    void largestValueDoesNotOverflow() {
        Probe box;
        box.setValue(kMax);
        QCOMPARE(box.stepEnabled() & QAbstractSpinBox::StepUpEnabled, QAbstractSpinBox::StepNone);
        box.stepBy(1);
        QCOMPARE(box.value(), kMax);
        box.stepBy(std::numeric_limits<int>::max());
        QCOMPARE(box.value(), kMax);
        box.setValue(std::numeric_limits<qlonglong>::min());
        box.stepBy(-1);
        QCOMPARE(box.value(), std::numeric_limits<qlonglong>::min());
    }

    void typingWithASuffix() {
        QtLongLongSpinBox box;
        box.setMinimum(0);
        box.setMaximum(700);
        box.setSuffix("km");
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        editOf(box)->clear();
        QTest::keyClicks(editOf(box), "12");
        QCOMPARE(box.text(), QString("12km"));
        QCOMPARE(box.value(), 0LL); // not yet committed
        QTest::keyClick(editOf(box), Qt::Key_Return);
        QCOMPARE(box.value(), 12LL);

        editOf(box)->end(false);
        QTest::keyClick(editOf(box), Qt::Key_Backspace); // would leave "12k"
        QCOMPARE(box.text(), QString("12km"));

        editOf(box)->setCursorPosition(2);
        QTest::keyClick(editOf(box), '9'); // 129 is allowed
        QCOMPARE(box.text(), QString("129km"));
        QTest::keyClick(editOf(box), '9'); // 1299 is above the maximum
        QCOMPARE(box.text(), QString("129km"));
    }

    void suffixOfDigitsIsShownOnce() {
        QWidget window;
        auto* box = new QtLongLongSpinBox(&window);
        auto* other = new QLineEdit(&window);
        box->setMinimum(0);
        box->setValue(12);
        box->setSuffix("5");
        QCOMPARE(box->text(), QString("125"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->activateWindow();
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(box->value(), 12LL);
        QCOMPARE(box->text(), QString("125"));

        box->setFocus();
        editOf(*box)->clear();
        QCOMPARE(box->text(), QString("5"));
        editOf(*box)->home(false);
        QTest::keyClicks(editOf(*box), "34");
        QCOMPARE(box->text(), QString("345"));
        QTest::keyClick(editOf(*box), Qt::Key_Return);
        QCOMPARE(box->value(), 34LL);
        QCOMPARE(box->text(), QString("345"));
        box->stepBy(1);
        QCOMPARE(box->text(), QString("355"));
        QCOMPARE(box->value(), 35LL);
    }

    void belowTheMinimumIsClampedOnCommit_data() {
        QTest::addColumn<bool>("byFocusOut");
        QTest::newRow("Return") << false;
        QTest::newRow("focus out") << true;
    }
    void belowTheMinimumIsClampedOnCommit() {
        QFETCH(bool, byFocusOut);
        QWidget window;
        auto* box = new QtLongLongSpinBox(&window);
        box->setMinimum(5);
        box->setValue(8);
        box->setSuffix("km");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->setFocus();
        editOf(*box)->clear();
        QTest::keyClicks(editOf(*box), "3");
        QCOMPARE(box->text(), QString("3km"));
        if (byFocusOut) {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box, &out);
        } else {
            QTest::keyClick(editOf(*box), Qt::Key_Return);
        }
        QCOMPARE(box->value(), 5LL);
        QCOMPARE(box->text(), QString("5km"));
    }

    void returnCommitsThenTheBaseHandlesTheKey() {
        QtLongLongSpinBox box;
        box.setSuffix("km");
        QSignalSpy finished(&box, &QAbstractSpinBox::editingFinished);
        Changes changes(box);
        editOf(box)->setText("7km");
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.value(), 7LL);
        QCOMPARE(changes.seen, (QStringList{"7#", "7"}));
        QCOMPARE(finished.count(), 1);
        editOf(box)->setText("nonsense");
        QTest::keyClick(&box, Qt::Key_Enter);
        QCOMPARE(box.text(), QString("7km"));
    }

    void readOnly() {
        Probe box;
        box.setValue(3);
        box.setReadOnly(true);
        QCOMPARE(box.stepEnabled(), QAbstractSpinBox::StepNone);
        box.stepBy(1);
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.value(), 3LL);

        QtLongLongSpinBox onlyText;
        onlyText.setValue(3);
        editOf(onlyText)->setReadOnly(true);
        QTest::keyClick(&onlyText, Qt::Key_Up);
        QCOMPARE(onlyText.value(), 4LL);
        QTest::keyClicks(&onlyText, "9");
        QCOMPARE(onlyText.text(), QString("4"));
    }

    void stepCommitsTypedTextFirst() {
        QtLongLongSpinBox box;
        editOf(box)->setText("41");
        box.stepBy(1);
        QCOMPARE(box.value(), 42LL);
    }
};

QTEST_MAIN(LongLongSpinBoxTest)
#include "qt_long_long_spin_box_qtest.moc"
