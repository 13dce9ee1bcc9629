#pragma once
// Finding the window's widgets by object name, and reading them.

#include <functional>
#include <memory>

#include <QComboBox>
#include <QStringList>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

namespace zt {

// The child of `w` named `name`; a missing one ends the test program, since
// the test itself is wrong.
template <class T>
T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no child %s", name);
    return c;
}

// The rows a drop-down lists, in order.
inline QStringList comboRows(QComboBox* box) {
    QStringList rows;
    for (int i = 0; i < box->count(); ++i)
        rows << box->itemText(i);
    return rows;
}

// Calls `seen` with each text that goes in at the top of `pane` (the report
// pane), as it goes in: what an insertion put above what the pane held, or
// all the pane holds after one that emptied it first. (A pane made anew
// passes through empty: what it held before counts as held until then.) For
// as long as the pane lives.
inline void watchTopInsertions(QTextEdit* pane, std::function<void(const QString&)> seen) {
    auto held = std::make_shared<QString>(pane->toPlainText());
    QObject::connect(pane->document(), &QTextDocument::contentsChange, pane,
                     [pane, held, seen = std::move(seen)](int, int, int) {
                         const QString now = pane->toPlainText();
                         if (now.isEmpty())
                             return;
                         const QString added = now.endsWith(*held) ? now.left(now.size() - held->size()) : now;
                         *held = now;
                         if (!added.isEmpty())
                             seen(added);
                     });
}

} // namespace zt
