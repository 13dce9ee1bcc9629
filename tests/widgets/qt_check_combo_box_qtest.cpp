// The check-list combo box, driven through its list and its text field.
#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include "widgets/qt_check_combo_box.h"

namespace {

QStandardItem* checkItem(const QString& text, Qt::CheckState state = Qt::Unchecked) {
    auto* item = new QStandardItem(text);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    item->setCheckState(state);
    return item;
}

QStandardItemModel* modelOf(QtCheckComboBox& box) { return qobject_cast<QStandardItemModel*>(box.model()); }

void addItems(QtCheckComboBox& box, const QStringList& texts) {
    for (const QString& t : texts) modelOf(box)->appendRow(checkItem(t));
}

QString shown(QtCheckComboBox& box) { return box.lineEdit()->text(); }

// Clicks item `row` of the open list in its centre.
void clickItem(QtCheckComboBox& box, int row) {
    QAbstractItemView* view = box.view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(box.model()->index(row, 0)).center());
}

bool openList(QtCheckComboBox& box) {
    box.showPopup();
    return QTest::qWaitForWindowExposed(box.view()->window());
}

// A box with its items in a window of its own.
struct Boxed {
    explicit Boxed(const QStringList& texts, const QString& allCheckedText = QString())
        : box(new QtCheckComboBox(&window)) {
        box->setAllCheckedText(allCheckedText);
        addItems(*box, texts);
    }
    bool show() {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    QWidget window;
    QtCheckComboBox* box;
};

} // namespace

class CheckComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void startsEmpty() {
        QtCheckComboBox box;
        QCOMPARE(shown(box), QString());
        QVERIFY(box.isEditable());
        QVERIFY(box.lineEdit()->isReadOnly());
        box.setCurrentText("x");
        box.updateText();
        QCOMPARE(shown(box), QString()); // the unknown text of an empty box
    }

    void tickingThroughTheListShowsTheTickedItems() {
        Boxed boxed({"P", "Q", "R"}, "P, Q, R");
        auto* box = boxed.box;
        QVERIFY(boxed.show());
        QSignalSpy overall(box, &QtCheckComboBox::globalCheckStateChanged);
        QVERIFY(openList(*box));

        clickItem(*box, 1);
        QCOMPARE(shown(*box), QString("Q"));
        clickItem(*box, 2);
        QCOMPARE(shown(*box), QString("Q, R"));
        QVERIFY2(box->view()->isVisible(), "the list stays open while ticking");
        clickItem(*box, 0);
        QCOMPARE(shown(*box), QString("P, Q, R"));
        for (int row = 0; row < 3; ++row) clickItem(*box, row);
        QCOMPARE(shown(*box), QString());
        QCOMPARE(modelOf(*box)->item(0)->checkState(), Qt::Unchecked);

        QList<int> states;
        for (const auto& args : overall) states << args.at(0).toInt();
        QCOMPARE(states, (QList<int>{1, 1, 2, 1, 1, 0}));
    }

    // Wherever the row is clicked, on its check box included, one click
    // ticks or unticks it once.
    void everyClickTogglesOnce() {
        Boxed boxed({"P", "Q"});
        auto* box = boxed.box;
        QVERIFY(boxed.show());
        QVERIFY(openList(*box));
        QAbstractItemView* view = box->view();
        const QRect rect = view->visualRect(box->model()->index(1, 0));
        Qt::CheckState expected = Qt::Unchecked;
        for (int x = rect.left() + 1; x < rect.left() + 40; x += 3) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, rect.center().y()));
            expected = expected == Qt::Checked ? Qt::Unchecked : Qt::Checked;
            QCOMPARE(modelOf(*box)->item(1)->checkState(), expected);
            QCOMPARE(shown(*box), expected == Qt::Checked ? QString("Q") : QString());
        }
    }

    void partlyTickedItemMakesTheStateUnknown() {
        Boxed boxed({"P", "Q"});
        auto* box = boxed.box;
        QSignalSpy overall(box, &QtCheckComboBox::globalCheckStateChanged);
        modelOf(*box)->item(0)->setCheckState(Qt::Checked);
        modelOf(*box)->item(1)->setCheckState(Qt::PartiallyChecked);
        QCOMPARE(overall.last().at(0).toInt(), 3);
        QCOMPARE(shown(*box), QString());
        QVERIFY(boxed.show());
        QVERIFY(openList(*box));
        clickItem(*box, 1);
        QCOMPARE(modelOf(*box)->item(1)->checkState(), Qt::Checked);
        QCOMPARE(overall.last().at(0).toInt(), 2);
    }

    void setCheckedText_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("checked");
        QTest::newRow("one") << QStringList{"P", "Q", "R"} << "Q" << QList<int>{1};
        QTest::newRow("unknown name") << QStringList{"P", "Q"} << "X, Q" << QList<int>{1};
        QTest::newRow("named twice") << QStringList{"P", "Q"} << "P, P" << QList<int>{0};
        QTest::newRow("same text twice") << QStringList{"P", "Q", "P"} << "P" << QList<int>{0, 2};
        QTest::newRow("empty") << QStringList{"P", "Q"} << "" << QList<int>{};
        QTest::newRow("empty item text") << QStringList{"P", ""} << "" << QList<int>{1};
        QTest::newRow("no blank after comma") << QStringList{"P", "Q"} << "P,Q" << QList<int>{};
    }
    void setCheckedText() {
        QFETCH(QStringList, items);
        QFETCH(QString, text);
        QFETCH(QList<int>, checked);
        QtCheckComboBox box;
        addItems(box, items);
        box.setCheckedText(text);
        QList<int> got;
        for (int r = 0; r < items.size(); ++r)
            if (modelOf(box)->item(r)->checkState() == Qt::Checked) got << r;
        QCOMPARE(got, checked);
        QCOMPARE(shown(box), text); // shown as given until an item changes
    }

    void setCheckedTextUnticksNothing() {
        QtCheckComboBox box;
        addItems(box, {"P", "Q", "R"});
        modelOf(box)->item(0)->setCheckState(Qt::Checked);
        box.setCheckedText("R");
        QCOMPARE(modelOf(box)->item(0)->checkState(), Qt::Checked);
        QCOMPARE(shown(box), QString("R"));
        modelOf(box)->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(shown(box), QString()); // all ticked, no all-checked text set
    }

    void clickIntoTheTextFieldOpensTheList() {
        Boxed boxed({"P", "Q"});
        auto* box = boxed.box;
        QVERIFY(boxed.show());
        QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
        QTRY_VERIFY(box->view()->isVisible());
    }

    void textCannotBeSelected() {
        QtCheckComboBox box;
        addItems(box, {"P", "Q"});
        box.setCheckedText("P, Q");
        box.lineEdit()->selectAll();
        QVERIFY(!box.lineEdit()->hasSelectedText());
        box.lineEdit()->setSelection(0, 2);
        QVERIFY(!box.lineEdit()->hasSelectedText());
    }

    // The text field is the box's value for its users: moving the current
    // item (wheel, arrow keys, choosing in the list) must not replace it
    // with an item's text, nor may Return add the text as an item.
    void currentItemNeverReplacesTheText() {
        Boxed boxed({"P", "Q", "R"}, "P, Q, R");
        auto* box = boxed.box;
        box->setCheckedText("P, R");
        QVERIFY(boxed.show());
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());

        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(shown(*box), QString("P, R"));
        QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
        QCOMPARE(shown(*box), QString("P, R"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(box->count(), 3);
        QCOMPARE(shown(*box), QString("P, R"));

        QVERIFY(openList(*box));
        const int current = box->currentIndex();
        box->view()->setCurrentIndex(box->model()->index(current, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->view()->isVisible());
        QCOMPARE(shown(*box), QString("P, R"));
        QCOMPARE(modelOf(*box)->item(1)->checkState(), Qt::Unchecked);
        box->setCurrentIndex(1);
        QCOMPARE(shown(*box), QString("P, R"));
    }
};

QTEST_MAIN(CheckComboBoxTest)
#include "qt_check_combo_box_qtest.moc"
