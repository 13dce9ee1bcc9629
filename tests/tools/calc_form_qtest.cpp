// The CRC, MD5 and distance calculator dialog, driven by object name.
#include <QTextBlock>
#include <QTextLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include "dialog_support.h"
#include "tools/calc.h"
#include "tools/calc_form.h"

namespace {

const QString kSample = "N23.111669, E114.409182, N22.111669, E113.409182";
const QString kSampleResult = "\"GPS距离\":151498.280383, \"WGS84距离\":151498.280383";

} // namespace

class CalcFormTest : public QObject {
    Q_OBJECT

    QWidget* window = nullptr;
    QPointer<CalcForm> form;
    QTextEdit* edIn = nullptr;
    QLineEdit* edOut = nullptr;

    void open(char mode) {
        form = new CalcForm(window, mode);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        edIn = form->findChild<QTextEdit*>("edIn");
        edOut = form->findChild<QLineEdit*>("edOut");
        QVERIFY(edIn && edOut);
    }
    QPushButton* button(QDialogButtonBox::StandardButton which) {
        return form->findChild<QDialogButtonBox*>("buttonBox")->button(which);
    }
    void pressOk() { QTest::mouseClick(button(QDialogButtonBox::Ok), Qt::LeftButton); }

private slots:
    void init() { window = new QWidget; }
    void cleanup() { delete window; }

    void opensPerMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("input");
        QTest::newRow("crc") << 0 << "CRC" << "";
        QTest::newRow("md5") << 1 << "MD5" << "";
        QTest::newRow("distance") << 2 << "距离计算" << kSample;
    }
    void opensPerMode() {
        QFETCH(int, mode);
        QFETCH(QString, title);
        QFETCH(QString, input);
        open(static_cast<char>(mode));
        QCOMPARE(form->objectName(), QString("CalcForm"));
        QCOMPARE(form->windowTitle(), title);
        // 320 x 320, larger where the font needs it.
        QVERIFY(form->width() >= 320 && form->height() >= 320);
        QCOMPARE(edIn->toPlainText(), input);
        QVERIFY(edOut->isReadOnly());
        QVERIFY(edOut->text().isEmpty());
        QVERIFY(form->findChild<QLabel*>("lbMsg")->text().isEmpty());
    }

    void computes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("crc with blanks") << 0 << "31 32 33 34 35 36 37 38 39" << "906e";
        QTest::newRow("crc with 0x and commas") << 0 << "0x31,0x32,0x33,0x34,0x35,0x36,0x37,0x38,0x39" << "906e";
        QTest::newRow("crc of one digit") << 0 << "1" << "e1f1";
        QTest::newRow("crc of 01 23 45") << 0 << "12 345" << "80e2";
        QTest::newRow("crc over lines") << 0 << "31323334\n  35363738 \n39" << "906e";
        QTest::newRow("md5 of abc") << 1 << "616263" << "900150983cd24fb0d6963f7d28e17f72";
        QTest::newRow("md5 of 01 23") << 1 << "123" << "6b7773b93c84b59b4242fd567d4e9c84";
        QTest::newRow("sample distance") << 2 << kSample << kSampleResult;
        QTest::newRow("one degree of equator")
            << 2 << "N0.0, E0.0, N0.0, E1.0" << "\"GPS距离\":111319.490793, \"WGS84距离\":111319.490793";
        QTest::newRow("south and west")
            << 2 << "S33.5, W70.25, N51.5, W0.125" << "\"GPS距离\":11666444.345674, \"WGS84距离\":11666444.345674";
        QTest::newRow("antipodes")
            << 2 << "S65.123456789, E0.987654321, N65.123456789, W179.012345679"
            << "\"GPS距离\":20037508.342789, \"WGS84距离\":20037508.342789";
        QTest::newRow("tab after a comma") << 2 << "N23.111669,\tE114.409182, N22.111669,\tE113.409182" << kSampleResult;
        QTest::newRow("longitude round the circle")
            << 2 << "N0.0, E179.0, N0.0, E181.0" << "\"GPS距离\":222638.981587, \"WGS84距离\":222638.981587";
    }
    void computes() {
        QFETCH(int, mode);
        QFETCH(QString, input);
        QFETCH(QString, output);
        open(static_cast<char>(mode));
        edIn->setPlainText(input);
        pressOk();
        QCOMPARE(edOut->text(), output);
        QVERIFY(form->findChild<QLabel*>("lbMsg")->text().isEmpty());
        QVERIFY(form->isVisible()); // OK computes, it does not close
    }

    void typedInputIsRead() {
        open(0);
        edIn->setFocus();
        QTest::keyClicks(edIn, "3132");
        QTest::keyClick(edIn, Qt::Key_Return);
        QTest::keyClicks(edIn, " 33 ");
        pressOk();
        QCOMPARE(edOut->text(), QString("9cb4")); // CRC of 31 32 33
    }

    // A line longer than the box wraps on screen; it is still one line of input.
    void wrappedLineIsReadOnce() {
        open(0);
        QString frame;
        for (int i = 0; i < 9; ++i) frame += "31 32 33 34 35 36 37 38 39 ";
        edIn->setPlainText(frame.trimmed());
        QTRY_VERIFY(edIn->document()->begin().layout()->lineCount() > 1);
        pressOk();
        QCOMPARE(edOut->text(), Tools::crcOfHex(frame.remove(' ')).result);
    }

    // Input that gives no result leaves the last result shown: the reason, if
    // there is one, goes into lbMsg, and emptying the input or the next
    // result takes it away.
    void inputWithoutAResultLeavesTheLastOne_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("reason");
        QTest::newRow("crc, empty") << 0 << "313233" << "" << "";
        QTest::newRow("crc, blanks only") << 0 << "313233" << "  \n\t " << "";
        QTest::newRow("crc, 0x alone") << 0 << "313233" << "0x" << "";
        QTest::newRow("crc, not hexadecimal") << 0 << "313233" << "zz" << "十六进制无法识别: \"zz\"";
        QTest::newRow("md5, commas only") << 1 << "616263" << ", ," << "";
        QTest::newRow("md5, not hexadecimal") << 1 << "616263" << "xyz" << "十六进制无法识别: \"xyz\"";
        QTest::newRow("distance, three parts") << 2 << kSample << "N23.1, E114.4, N22.1" << "坐标无法识别: 需要4个坐标, 输入了3个";
        QTest::newRow("distance, five parts")
            << 2 << kSample << "N23.1, E114.4, N22.1, E113.4," << "坐标无法识别: 需要4个坐标, 输入了5个";
        QTest::newRow("distance, empty") << 2 << kSample << "" << "";
        QTest::newRow("distance, latitude 91") << 2 << kSample << "N91, E114.4, N22.1, E113.4" << "坐标无法识别: 纬度1 \"N91\"";
        QTest::newRow("distance, unreadable latitude")
            << 2 << kSample << "N23.1l, E114.4, N22.1, E113.4" << "坐标无法识别: 纬度1 \"N23.1l\"";
    }
    void inputWithoutAResultLeavesTheLastOne() {
        QFETCH(int, mode);
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(QString, reason);
        open(static_cast<char>(mode));
        auto* lbMsg = form->findChild<QLabel*>("lbMsg");
        edIn->setPlainText(first);
        pressOk();
        const QString shown = edOut->text();
        QVERIFY(!shown.isEmpty());
        edIn->setPlainText(then);
        pressOk();
        QCOMPARE(edOut->text(), shown);
        QCOMPARE(lbMsg->text(), reason);
        // Emptied, the input has nothing to compute, and no reason either.
        edIn->setPlainText(" \n\t");
        pressOk();
        QCOMPARE(edOut->text(), shown);
        QVERIFY(lbMsg->text().isEmpty());
        // The next result replaces the last one and the reason alike.
        edIn->setPlainText(first);
        pressOk();
        QCOMPARE(edOut->text(), shown);
        QVERIFY(lbMsg->text().isEmpty());
    }

    // A reason naming long parts of the input stays inside the dialog, whole.
    void longReasonIsShownWhole() {
        open(2);
        const QString part = "114.409182409182409182x";
        edIn->setPlainText("N" + part + ", E" + part + ", S" + part + ", W" + part);
        pressOk();
        auto* lbMsg = form->findChild<QLabel*>("lbMsg");
        QCOMPARE(lbMsg->text(), QString("坐标无法识别: 纬度1 \"N114.40918240918…\", 经度1 \"E114.40918240918…\", "
                                        "纬度2 \"S114.40918240918…\", 经度2 \"W114.40918240918…\""));
        QVERIFY(edOut->text().isEmpty());
        QVERIFY(lbMsg->minimumSizeHint().width() <= lbMsg->width());
        // The dialog grows on the next turn of the event loop.
        QTRY_VERIFY(lbMsg->height() >= lbMsg->heightForWidth(lbMsg->width()) &&
                    form->rect().contains(lbMsg->geometry()));
    }

    void closeDeletesTheDialog_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("how");
        for (int mode = 0; mode < 3; ++mode) {
            QTest::addRow("mode %d, Close", mode) << mode << int(zt::CloseBy::Button);
            QTest::addRow("mode %d, window close", mode) << mode << int(zt::CloseBy::Window);
            QTest::addRow("mode %d, Escape", mode) << mode << int(zt::CloseBy::Escape);
        }
    }
    void closeDeletesTheDialog() {
        QFETCH(int, mode);
        QFETCH(int, how);
        QVERIFY(zt::execClosesAndDeletes(new CalcForm(window, static_cast<char>(mode)), zt::CloseBy(how)));
    }
};

QTEST_MAIN(CalcFormTest)
#include "calc_form_qtest.moc"
