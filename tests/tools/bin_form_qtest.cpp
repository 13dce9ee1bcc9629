// The number-base converter dialog, driven by object name.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "tools/bin_form.h"
#include "dialog_support.h"

class BinFormTest : public QObject {
    Q_OBJECT

    QWidget* window = nullptr;
    QPointer<BinForm> form;
    QLineEdit* edIn = nullptr;
    QLineEdit* edOut = nullptr;
    QComboBox* cbIn = nullptr;
    QComboBox* cbOut = nullptr;
    QLabel* lbMsg = nullptr;

    void convert(const QString& in, const QString& inItem, const QString& outItem) {
        edIn->setText(in);
        QVERIFY(zt::pickItem(cbIn, inItem));
        QVERIFY(zt::pickItem(cbOut, outItem));
    }

private slots:
    void init() {
        window = new QWidget;
        form = new BinForm(window);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        edIn = form->findChild<QLineEdit*>("edIn");
        edOut = form->findChild<QLineEdit*>("edOut");
        cbIn = form->findChild<QComboBox*>("cbIn");
        cbOut = form->findChild<QComboBox*>("cbOut");
        lbMsg = form->findChild<QLabel*>("lbMsg");
        QVERIFY(edIn && edOut && cbIn && cbOut && lbMsg);
    }
    void cleanup() { delete window; }

    void opensEmptyWithHint() {
        QCOMPARE(form->objectName(), QString("BinForm"));
        QCOMPARE(form->windowTitle(), QString("二进制转换"));
        QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(edOut->isReadOnly());
        QVERIFY(edIn->text().isEmpty());
        QCOMPARE(lbMsg->text(), QString("小写的a-z为64进制, 大写A-Z为16进制"));
        for (QComboBox* cb : {cbIn, cbOut}) {
            QCOMPARE(cb->count(), 63);
            QCOMPARE(cb->itemText(0), QString("2进制"));
            QCOMPARE(cb->itemText(14), QString("16进制"));
            QCOMPARE(cb->itemText(62), QString("64进制"));
            QCOMPARE(cb->currentIndex(), 0);
            QVERIFY(!cb->isEditable());
        }
    }

    void typingAcceptsOnlyDigitCharacters() {
        edIn->setFocus();
        QTest::keyClicks(edIn, "F-f 9.!?#z");
        QCOMPARE(edIn->text(), QString("Ff9!#z"));
    }

    void converts_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("inItem");
        QTest::addColumn<QString>("outItem");
        QTest::addColumn<QString>("out");
        QTest::newRow("FF to base 2") << "FF" << "16进制" << "2进制" << "11111111";
        QTest::newRow("FF to base 64") << "FF" << "16进制" << "64进制" << "3#";
        QTest::newRow("# to base 10") << "#" << "64进制" << "10进制" << "63";
        QTest::newRow("2^64 exactly") << "18446744073709551616" << "10进制" << "16进制" << "10000000000000000";
        QTest::newRow("leading zeros") << "000101" << "2进制" << "10进制" << "5";
        QTest::newRow("zeros") << "000" << "2进制" << "64进制" << "0";
        QTest::newRow("z in base 62") << "z" << "62进制" << "10进制" << "61";
    }
    void converts() {
        QFETCH(QString, in);
        QFETCH(QString, inItem);
        QFETCH(QString, outItem);
        QFETCH(QString, out);
        convert(in, inItem, outItem);
        QCOMPARE(edOut->text(), out);
        QCOMPARE(lbMsg->text(), QString());
    }

    // A refused number has no conversion: the output keeps the last one and
    // lbMsg says why, whether the refusal comes from picking the input base
    // or the output base.
    void refusesDigitsOfAnotherBaseAndKeepsTheOutput() {
        convert("FF", "16进制", "2进制");
        QCOMPARE(edOut->text(), QString("11111111"));

        edIn->setText("ff"); // "f" is digit 41
        QVERIFY(zt::pickItem(cbOut, "10进制"));
        QCOMPARE(lbMsg->text(), QString("您输入的数字并非16进制"));
        QCOMPARE(edOut->text(), QString("11111111"));

        QVERIFY(zt::pickItem(cbIn, "16进制"));
        QCOMPARE(lbMsg->text(), QString("您输入的数字并非16进制"));
        QCOMPARE(edOut->text(), QString("11111111"));

        QVERIFY(zt::pickItem(cbIn, "61进制"));
        QCOMPARE(lbMsg->text(), QString());
        QCOMPARE(edOut->text(), QString("11111111"));
        edIn->setText("z");
        QVERIFY(zt::pickItem(cbOut, "10进制"));
        QCOMPARE(lbMsg->text(), QString("您输入的数字并非61进制"));
        QCOMPARE(edOut->text(), QString("11111111"));

        // The next success replaces the output and clears the message.
        edIn->setText("FF");
        QVERIFY(zt::pickItem(cbIn, "16进制"));
        QVERIFY(zt::pickItem(cbOut, "10进制"));
        QCOMPARE(edOut->text(), QString("255"));
        QCOMPARE(lbMsg->text(), QString());
    }

    void emptyInputIsRefused() {
        QVERIFY(zt::pickItem(cbOut, "10进制"));
        QCOMPARE(lbMsg->text(), QString("您输入的数字并非2进制"));
        QVERIFY(edOut->text().isEmpty());
        convert("777", "8进制", "10进制");
        edIn->clear();
        QVERIFY(zt::pickItem(cbOut, "16进制"));
        QCOMPARE(lbMsg->text(), QString("您输入的数字并非8进制"));
        QCOMPARE(edOut->text(), QString("511"));
    }

    void onlyTheOutputBaseConverts() {
        convert("777", "8进制", "10进制");
        QCOMPARE(edOut->text(), QString("511"));
        edIn->setText("1");
        QVERIFY(zt::pickItem(cbIn, "8进制"));
        QVERIFY(zt::pickItem(cbIn, "2进制"));
        QCOMPARE(edOut->text(), QString("511"));
        // Picking the current output item again converts again.
        QVERIFY(zt::pickItem(cbOut, "10进制"));
        QCOMPARE(edOut->text(), QString("1"));
    }

    void aLongResultShowsItsLeadingDigits() {
        // 2^128 in base 2: 129 digits, far wider than the box.
        convert("340282366920938463463374607431768211456", "10进制", "2进制");
        QCOMPARE(edOut->text(), "1" + QString(128, '0'));
        QCOMPARE(edOut->cursorPosition(), 0);
        const QRect cursor = edOut->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QVERIFY2(edOut->rect().contains(cursor.center()), "the first digit is scrolled out of view");
    }

    void returnInTheInputKeepsTheDialog_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void returnInTheInputKeepsTheDialog() {
        QFETCH(int, key);
        form->activateWindow();
        edIn->setFocus();
        QTest::keyClicks(edIn, "FF");
        QTest::keyClick(edIn, Qt::Key(key));
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(edIn->text(), QString("FF"));
        // Escape still closes it.
        QTest::keyClick(edIn, Qt::Key_Escape);
        QTRY_VERIFY(form.isNull());
    }

    void closeButtonDeletesTheDialog() {
        zt::closeDialog(form, zt::CloseBy::Button, QDialogButtonBox::Close);
        QTRY_VERIFY(form.isNull());
    }

    void modalRunEndsAndDeletesOnClose_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Close button") << int(zt::CloseBy::Button);
        QTest::newRow("window close") << int(zt::CloseBy::Window);
        QTest::newRow("Escape") << int(zt::CloseBy::Escape);
    }
    void modalRunEndsAndDeletesOnClose() {
        QFETCH(int, how);
        form->hide();
        QVERIFY(zt::execClosesAndDeletes(form, zt::CloseBy(how)));
    }
};

QTEST_MAIN(BinFormTest)
#include "bin_form_qtest.moc"
