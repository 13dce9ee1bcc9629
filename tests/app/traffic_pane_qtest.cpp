// Texts going into a traffic pane: one insertion per batch, the pane emptied
// first when it holds more than its limits of blocks or of characters.
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

#include "app/traffic_pane.h"
#include "gui_test_main.h"

namespace {

using Zuno::PaneBatch;

PaneBatch::Where whereOf(bool atEnd) { return atEnd ? PaneBatch::AtEnd : PaneBatch::AtStart; }

} // namespace

class TrafficPaneTest : public QObject {
    Q_OBJECT

private slots:
    // The input box (texts at the end) and the report pane (at the top).
    void panesEmptyPastAThousandBlocks_data() {
        QTest::addColumn<bool>("atEnd");
        QTest::newRow("input box") << true;
        QTest::newRow("report pane") << false;
    }
    void panesEmptyPastAThousandBlocks() {
        QFETCH(bool, atEnd);
        QTextBrowser pane;
        const auto put = [&](const QString& text) { Zuno::putIntoPane(&pane, whereOf(atEnd), text); };
        put(QString("x\n").repeated(999));
        QCOMPARE(pane.document()->blockCount(), 1000);
        put("y\n"); // exactly 1000 blocks: kept
        QCOMPARE(pane.document()->blockCount(), 1001);
        put("z\n"); // more than 1000: emptied first
        QCOMPARE(pane.toPlainText(), QString("z\n"));
    }

    // A batch of texts is one insertion: the pane's rule applies once, before
    // it, never between its texts, and every text goes in. Within the limits
    // the pane ends as one insertion per text leaves it ("expected" empty).
    void aBatchIsOneInsertion_data() {
        QTest::addColumn<bool>("atEnd");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("expected");
        const QString ps(QChar::ParagraphSeparator);
        QTest::newRow("end, own lines after a line without feed")
            << true << "78 78 01" << QStringList{"a\n", "b", "c\n", "", "d"} << QString();
        QTest::newRow("end, other line breaks")
            << true << "" << QStringList{"a\r\nb\r", "c" + ps + "d", "e\r\n", "f\rg\n", "h"} << QString();
        QTest::newRow("start, texts without feed")
            << false << "x" << QStringList{"a", "b\n", "", "c\r\nd" + ps, "e"} << QString();
        // The limit is 4 lines: a pane of 4 is kept, one of 5 emptied first;
        // the batch passes the limit inside and stays whole.
        const QStringList texts{"a\n", "b\nc\n", "d\n", "e\nf\ng\nh\n", "i\n"};
        QTest::newRow("end, at the limit") << true << "1\n2\n3\n" << texts << "1\n2\n3\na\nb\nc\nd\ne\nf\ng\nh\ni\n";
        QTest::newRow("end, past the limit") << true << "1\n2\n3\n4\n" << texts << "a\nb\nc\nd\ne\nf\ng\nh\ni\n";
        QTest::newRow("start, at the limit") << false << "1\n2\n3\n" << texts << "i\ne\nf\ng\nh\nd\nb\nc\na\n1\n2\n3\n";
        QTest::newRow("start, past the limit") << false << "1\n2\n3\n4\n" << texts << "i\ne\nf\ng\nh\nd\nb\nc\na\n";
    }
    void aBatchIsOneInsertion() {
        QFETCH(bool, atEnd);
        QFETCH(QString, before);
        QFETCH(QStringList, texts);
        QFETCH(QString, expected);
        QTextEdit single;
        QTextEdit batched;
        single.setPlainText(before);
        batched.setPlainText(before);
        PaneBatch all(whereOf(atEnd), Zuno::paneState(&batched), {4, Zuno::kPaneCharLimit});
        for (const QString& t : texts) {
            Zuno::putIntoPane(&single, whereOf(atEnd), t);
            all.add(t);
        }
        Zuno::fillPane(&batched, all);
        if (expected.isNull()) {
            QCOMPARE(batched.toPlainText(), single.toPlainText());
            QCOMPARE(batched.document()->blockCount(), single.document()->blockCount());
        } else {
            QCOMPARE(batched.toPlainText(), expected);
        }
    }

    void paneLimitIgnoresTheWidth() {
        QTextBrowser out;
        out.resize(400, 300);
        out.show();
        QVERIFY(QTest::qWaitForWindowExposed(&out));
        // 500 blocks that wrap into far more than 1000 laid-out lines.
        Zuno::putIntoPane(&out, PaneBatch::AtStart, (QString("78 78 0B ").repeated(50) + "\n").repeated(500));
        out.document()->documentLayout()->documentSize(); // lays the whole text out
        int laidOutLines = 0;
        for (QTextBlock b = out.document()->firstBlock(); b.isValid(); b = b.next())
            laidOutLines += b.layout()->lineCount();
        QVERIFY2(laidOutLines > 1000, "the blocks should wrap at this width");
        Zuno::putIntoPane(&out, PaneBatch::AtStart, "new\n");
        QCOMPARE(out.document()->blockCount(), 502);
        QVERIFY(out.toPlainText().startsWith("new\n"));
    }

    // Long texts fill a pane long before its thousand blocks: its characters
    // count as well, so that no insertion lays out an unbounded text.
    void panesEmptyPastTheirCharacterLimit() {
        QTextBrowser out;
        const QString line = QString("A").repeated(1023) + "\n";
        Zuno::putIntoPane(&out, PaneBatch::AtStart, line.repeated(Zuno::kPaneCharLimit / 1024));
        Zuno::putIntoPane(&out, PaneBatch::AtStart, "kept\n"); // exactly at the limit
        QCOMPARE(out.document()->blockCount(), Zuno::kPaneCharLimit / 1024 + 2);
        Zuno::putIntoPane(&out, PaneBatch::AtStart, "new\n"); // past it: emptied first
        QCOMPARE(out.toPlainText(), QString("new\n"));
    }
};

ZT_GUI_TEST_MAIN(TrafficPaneTest)
#include "traffic_pane_qtest.moc"
