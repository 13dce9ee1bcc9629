#pragma once
// Driving the tool dialogs as a user does.

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace zt {

// Picks the item of that text from the combo box's popup with the keyboard,
// so the box emits activated() even for its current item.
inline bool pickItem(QComboBox* box, const QString& text) {
    const int row = box->findText(text);
    if (row < 0) return false;
    box->showPopup();
    QAbstractItemView* view = box->view();
    if (!QTest::qWaitForWindowExposed(view->window())) return false;
    const QModelIndex index = box->model()->index(row, 0);
    view->setCurrentIndex(index);
    QTest::keyClick(view, Qt::Key_Return);
    return !view->isVisible();
}

// Runs `dialog` modally as the main window does, lets `closeIt` close it from
// inside the modal loop, and tells whether exec() returned and the dialog is gone.
template <typename CloseIt>
bool execClosesAndDeletes(QDialog* dialog, CloseIt closeIt) {
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [dialog, closeIt] { closeIt(dialog); });
    dialog->exec();
    // The deletion is deferred to the event loop.
    return QTest::qWaitFor([&] { return guard.isNull(); }, 5000);
}

} // namespace zt
