#pragma once
// Finding the window's widgets by object name, and reading them.

#include <QComboBox>
#include <QStringList>
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

} // namespace zt
