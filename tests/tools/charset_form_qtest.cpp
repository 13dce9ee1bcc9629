// The text-encoding converter dialog, driven by object name. It sets the
// process-wide codec for local text, hence an executable of its own.
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCodec>
#include <QTextEdit>
#include <QtTest>

#include "dialog_support.h"
#include "tools/charset_form.h"

class CharSetFormTest : public QObject {
    Q_OBJECT

    QWidget* window = nullptr;
    QPointer<CharSetForm> form;
    QTextEdit* edIn = nullptr;
    QTextEdit* edOut = nullptr;
    QLabel* lbMsg = nullptr;

    void open(int mode) {
        form = new CharSetForm(window, static_cast<char>(mode));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        edIn = form->findChild<QTextEdit*>("edIn");
        edOut = form->findChild<QTextEdit*>("edOut");
        lbMsg = form->findChild<QLabel*>("lbMsg");
        QVERIFY(edIn && edOut && lbMsg);
    }
    QPushButton* button(QDialogButtonBox::StandardButton which) {
        return form->findChild<QDialogButtonBox*>("buttonBox")->button(which);
    }
    void convert(const QString& input) {
        edIn->setPlainText(input);
        QTest::mouseClick(button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

private slots:
    void initTestCase() {
        // Start from another codec so that the switch to UTF-8 shows.
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    }
    void init() { window = new QWidget; }
    void cleanup() { delete window; }

    void opensWithTheTitleOfItsMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("0") << 0 << "Hex String转为ASCII & GBK";
        QTest::newRow("1") << 1 << "ASCII & GBK转为Hex String";
        QTest::newRow("2") << 2 << "Hex String转为UTF8";
        QTest::newRow("3") << 3 << "UTF8转为Hex String";
        QTest::newRow("4") << 4 << "Hex String转为UTF16BE";
        QTest::newRow("5") << 5 << "UTF16BE转为Hex String";
        QTest::newRow("6") << 6 << "Hex String转为UTF16LE";
        QTest::newRow("7") << 7 << "UTF16LE转为Hex String";
        QTest::newRow("no such mode") << 8 << "";
    }
    void opensWithTheTitleOfItsMode() {
        QFETCH(int, mode);
        QFETCH(QString, title);
        open(mode);
        QCOMPARE(form->objectName(), QString("CharSetForm"));
        QCOMPARE(form->windowTitle(), title);
        // 320 x 320, larger where the font needs it.
        QVERIFY(form->width() >= 320 && form->height() >= 320);
        QCOMPARE(form->findChild<QLabel*>("lbIn")->text(), QString("输入:"));
        QCOMPARE(form->findChild<QLabel*>("lbOut")->text(), QString("输出:"));
        QVERIFY(edOut->isReadOnly());
        QVERIFY(lbMsg->text().isEmpty());
        QVERIFY(button(QDialogButtonBox::Ok) && button(QDialogButtonBox::Close));
    }

    void converts_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("GBK bytes to text") << 0 << "C4E3BAC3" << "你好";
        QTest::newRow("text to GBK") << 1 << "你好" << "C4 E3 BA C3";
        QTest::newRow("UTF-8 bytes to text") << 2 << "E4 BD A0 E5 A5 BD" << "你好";
        QTest::newRow("UTF-8 bytes with 0x and commas") << 2 << "0xE4,0xBD,0xA0,0xE5,0xA5,0xBD" << "你好";
        QTest::newRow("UTF-8 bytes 01 23") << 2 << "123" << QString(QChar(1)) + "#";
        QTest::newRow("UTF-8 bytes over two lines") << 2 << "41 42\n43 44" << "ABCD";
        QTest::newRow("text to UTF-8") << 3 << "你好" << "E4 BD A0 E5 A5 BD";
        QTest::newRow("text with blanks and commas to UTF-8") << 3 << "a, b" << "61 2C 20 62";
        QTest::newRow("UTF-16BE bytes to text") << 4 << "0041" << "A";
        QTest::newRow("UTF-16BE, odd last byte") << 4 << "004100" << "A";
        QTest::newRow("text to UTF-16BE") << 5 << "A" << "00 41";
        QTest::newRow("UTF-16LE bytes to text") << 6 << "4100" << "A";
        QTest::newRow("text to UTF-16LE") << 7 << "A" << "41 00";
        // Shown as typed, never as markup.
        QTest::newRow("markup stays text") << 2 << "3C 62 3E 68 69" << "<b>hi";
    }
    void converts() {
        QFETCH(int, mode);
        QFETCH(QString, input);
        QFETCH(QString, output);
        open(mode);
        convert(input);
        QCOMPARE(edOut->toPlainText(), output);
        QVERIFY(lbMsg->text().isEmpty());
        QVERIFY(form->isVisible()); // OK converts, it does not close
        QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));
    }

    // A failure leaves the output as it was and says why; a later success
    // takes the failure's message away.
    void failureKeepsOutputAndShowsMessage_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("good");
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("message");
        QTest::newRow("GBK, 0x alone") << 0 << "41" << "0x" << "Hex String转为ASCII & GBK 转换失败!";
        QTest::newRow("UTF-16BE, one byte") << 4 << "0041" << "41" << "Hex String转为UTF16BE转换失败!";
        QTest::newRow("UTF-8, commas only") << 2 << "41" << ", ," << "Hex String转为UTF8转换失败!";
        QTest::newRow("UTF-8, blanks only") << 3 << "A" << "  \n " << "UTF8转为Hex String转换失败!";
        QTest::newRow("GBK lacks the character") << 1 << "A" << "😀" << "ASCII & GBK转为Hex String转换失败!";
        QTest::newRow("UTF-8, not hexadecimal")
            << 2 << "41" << "zz" << "十六进制无法识别: \"zz\"";
        QTest::newRow("UTF-16LE, not hexadecimal")
            << 6 << "4100" << "41 00 4G 00" << "十六进制无法识别: \"4G\"";
    }
    void failureKeepsOutputAndShowsMessage() {
        QFETCH(int, mode);
        QFETCH(QString, good);
        QFETCH(QString, bad);
        QFETCH(QString, message);
        open(mode);
        convert(good);
        const QString shown = edOut->toPlainText();
        QVERIFY(!shown.isEmpty());
        convert(bad);
        QCOMPARE(lbMsg->text(), message);
        QCOMPARE(edOut->toPlainText(), shown);
        convert(good);
        QCOMPARE(edOut->toPlainText(), shown);
        QVERIFY(lbMsg->text().isEmpty());
    }

    // A message naming a long piece of input stays inside the dialog, whole.
    void longMessageIsShownWhole() {
        open(2);
        convert("31323334353637z8393a3b3c3d3e3f4041 g1 g2 g3");
        QCOMPARE(lbMsg->text(), QString("十六进制无法识别: \"…3637z8393a3b3c3d…\", \"g1\", \"g2\", …"));
        QVERIFY(lbMsg->minimumSizeHint().width() <= lbMsg->width());
        QTRY_VERIFY(lbMsg->height() >= lbMsg->heightForWidth(lbMsg->width()));
        QVERIFY(form->rect().contains(lbMsg->geometry()));
    }

    // OK with an empty input box does nothing at all.
    void emptyInputChangesNothing() {
        open(3);
        convert("");
        QVERIFY(edOut->toPlainText().isEmpty());
        QVERIFY(lbMsg->text().isEmpty());
        convert("A");
        QCOMPARE(edOut->toPlainText(), QString("41"));
        convert("");
        QCOMPARE(edOut->toPlainText(), QString("41"));
        QVERIFY(lbMsg->text().isEmpty());
        convert(" ");
        QCOMPARE(lbMsg->text(), QString("UTF8转为Hex String转换失败!"));
        convert("");
        QCOMPARE(edOut->toPlainText(), QString("41"));
        QCOMPARE(lbMsg->text(), QString("UTF8转为Hex String转换失败!"));
    }

    void closeDeletesTheDialog_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Close button") << int(zt::CloseBy::Button);
        QTest::newRow("window close") << int(zt::CloseBy::Window);
        QTest::newRow("Escape") << int(zt::CloseBy::Escape);
    }
    void closeDeletesTheDialog() {
        QFETCH(int, how);
        QVERIFY(zt::execClosesAndDeletes(new CharSetForm(window, 2), zt::CloseBy(how)));
        // The codec stays UTF-8 after the dialog is gone.
        QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));
    }
};

QTEST_MAIN(CharSetFormTest)
#include "charset_form_qtest.moc"
