#pragma once
// Driving the tool dialogs as a user does.

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
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

// The ways a user ends a dialog: a button of its box (`buttonBox`), the
// window's own close button, or Escape.
enum class CloseBy { Button, Window, Escape };

inline void closeDialog(QDialog* dialog, CloseBy how, QDialogButtonBox::StandardButton button) {
    switch (how) {
    case CloseBy::Button:
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>("buttonBox")->button(button), Qt::LeftButton);
        break;
    case CloseBy::Window: dialog->close(); break;
    case CloseBy::Escape: QTest::keyClick(dialog, Qt::Key_Escape); break;
    }
}

// Runs `dialog` modally as the main window does, ends it from inside the modal
// loop, and tells whether exec() returned and the dialog deleted itself.
inline bool execClosesAndDeletes(QDialog* dialog, CloseBy how,
                                 QDialogButtonBox::StandardButton button = QDialogButtonBox::Close) {
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [dialog, how, button] { closeDialog(dialog, how, button); });
    dialog->exec();
    // The deletion is deferred to the event loop.
    return QTest::qWaitFor([&] { return guard.isNull(); }, 5000);
}

} // namespace zt
