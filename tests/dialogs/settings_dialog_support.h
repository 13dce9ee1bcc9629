#pragma once
// Driving the file list and the buttons of the settings dialogs as a user does.

#include <QAbstractItemModel>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace zt {

// Makes `row` current with the keyboard and activates it with Enter.
inline void activateRow(QListView* list, int row) {
    list->setFocus();
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

// A single click on `row`: current, not activated.
inline void clickRow(QListView* list, int row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

inline void pressButton(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>("buttonBox")->button(which), Qt::LeftButton);
}

inline QString messageOf(QDialog* dialog) { return dialog->findChild<QLabel*>("lbMsg")->text(); }

} // namespace zt
