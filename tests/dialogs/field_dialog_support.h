#pragma once
// Running a field editor as the model editor does: created with a value and
// a line edit's name, run with exec(), its sendData collected.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QList>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QString>
#include <QTest>

#include "protocol/value_types.h"
#include "tools/dialog_support.h"

namespace zt {

inline int packedOf(const Zuno::DirectionAndStat& v) { return Zuno::toWord(v); }
inline int packedOf(const Zuno::TerminalContent& v) { return Zuno::toByte(v); }
inline int packedOf(const Zuno::AlertAndLang& v) { return Zuno::toWord(v); }

inline const QString kEditName = QStringLiteral("航向/状态_ace");

template <class Value>
struct Outcome {
    QList<Value> sent;
    QStringList names;
    bool deleted = false;

    // "<packed> to <name>" for each value sent, then "deleted" when the
    // dialog deleted itself.
    QStringList report() const {
        QStringList lines;
        for (int i = 0; i < sent.size(); ++i) lines << QString("%1 to %2").arg(packedOf(sent[i])).arg(names[i]);
        if (deleted) lines << "deleted";
        return lines;
    }
};

// What OK leaves: the packed value sent once, and the dialog gone.
inline QStringList sentOnce(int packed) { return {QString("%1 to %2").arg(packed).arg(kEditName), "deleted"}; }

// The ways to end a dialog without OK, as rows of a data-driven test.
inline void addCloseRows() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel") << int(CloseBy::Button);
    QTest::newRow("window close") << int(CloseBy::Window);
    QTest::newRow("Escape") << int(CloseBy::Escape);
}

// Object name, title and fixed size of a form, as one line. The size shows
// as `least` when it is at least that large (a larger font makes it larger),
// else as it is.
inline QString formShape(const QWidget* form, const QSize& least) {
    const QSize min = form->minimumSize(), max = form->maximumSize();
    const QSize shown = min.expandedTo(least) == min ? least : min;
    return QString("%1 \"%2\" %3x%4%5")
        .arg(form->objectName(), form->windowTitle())
        .arg(shown.width())
        .arg(shown.height())
        .arg(min == max && form->size() == min ? " fixed" : "");
}

inline QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
}

// Shows the dialog, does `act(form)` on it, then runs it with exec() and
// ends it from inside the modal loop as `how` says.
template <class Form, class Value, class Act>
Outcome<Value> runEditor(const Value& start, Act act, CloseBy how = CloseBy::Button,
                         QDialogButtonBox::StandardButton button = QDialogButtonBox::Ok) {
    QWidget parent;
    auto* form = new Form(&parent, start, kEditName);
    Outcome<Value> out;
    QObject::connect(form, &Form::sendData, &parent, [&out](const Value& v, const QString& name) {
        out.sent << v;
        out.names << name;
    });
    form->show();
    if (QTest::qWaitForWindowExposed(form)) act(form);
    out.deleted = execClosesAndDeletes(form, how, button);
    return out;
}

inline void clickRadio(QWidget* form, const QString& name) {
    auto* radio = form->findChild<QRadioButton*>(name);
    QVERIFY2(radio, qPrintable(name));
    // Click the round indicator itself: the middle of the widget may lie
    // outside the button's hit area when the label is narrow (few fonts).
    QStyleOptionButton option;
    option.initFrom(radio);
    const QRect indicator = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
    QTest::mouseClick(radio, Qt::LeftButton, {}, indicator.center());
    QVERIFY2(radio->isChecked(), qPrintable(name));
}

// The names of the checked radio buttons of the form, sorted.
inline QStringList checkedRadios(QWidget* form) {
    QStringList names;
    for (const QRadioButton* radio : form->findChildren<QRadioButton*>())
        if (radio->isChecked()) names << radio->objectName();
    names.sort();
    return names;
}

} // namespace zt
