// The elided label beside a label that must stay whole: it takes the room
// that is left and shows its text elided in the middle, whole as tool tip.
#include <QHBoxLayout>
#include <QLabel>
#include <QtTest>

#include "widgets/elided_label.h"

class ElidedLabelTest : public QObject {
    Q_OBJECT

private slots:
    void takesTheRoomThatIsLeft() {
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* note = new ElidedLabel(&window);
        auto* state = new QLabel(QStringLiteral("连接被拒绝"), &window);
        layout->addWidget(note, 1);
        layout->addWidget(state);
        const QString text = QStringLiteral("conf.json 保存失败 (Existing file /home/somebody/a/long/path/conf/conf.json is not writable)");
        note->setFullText(text);
        QCOMPARE(note->toolTip(), text);
        QCOMPARE(note->text(), text);
        QVERIFY(note->minimumSizeHint().width() < state->sizeHint().width());
        QVERIFY(note->sizeHint().width() >= note->fontMetrics().horizontalAdvance(text));
        QVERIFY(note->minimumSizeHint().width() < note->sizeHint().width());

        // Too narrow for both: the state stays whole, the note gives way.
        window.resize(state->sizeHint().width() + 220, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(state->width() >= state->sizeHint().width());
        QVERIFY(note->shownText() != text);
        QVERIFY(note->shownText().contains(QStringLiteral("…")));
        QVERIFY(note->shownText().startsWith(QStringLiteral("conf")));
        QVERIFY2(note->shownText().endsWith(QStringLiteral(")")), qPrintable(note->shownText()));
        QVERIFY(note->fontMetrics().horizontalAdvance(note->shownText()) <= note->contentsRect().width());

        // Room enough: shown whole.
        window.resize(note->sizeHint().width() + state->sizeHint().width() + 60, 40);
        QTRY_COMPARE(note->shownText(), text);
        note->setFullText(QString());
        QCOMPARE(note->shownText(), QString());
        QCOMPARE(note->minimumSizeHint().width(), 0);
    }
};

QTEST_MAIN(ElidedLabelTest)
#include "elided_label_qtest.moc"
