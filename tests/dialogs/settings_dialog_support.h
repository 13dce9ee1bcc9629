#pragma once
// Driving the file list and the buttons of the settings dialogs as a user does.

#include <QAbstractItemModel>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "support/config_tree.h"

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

// The ways a save can fail, as rows of a data-driven test: a full disk, a
// flush that fails, a folder that takes no new file.
inline void addSaveFailureRows() {
    QTest::addColumn<int>("failure");
    QTest::newRow("full disk") << 0;
    QTest::newRow("flush fails") << 1;
    QTest::newRow("folder takes no new file") << 2;
}

// The failure of a row of addSaveFailureRows while it lives; `folder` is the
// one that takes no new file.
class FailingSave {
public:
    FailingSave(int failure, const QString& folder) {
        if (failure < 2)
            full_ = std::make_unique<FullDisk>(failure == 1);
        else
            lock_ = std::make_unique<LockedFolder>(folder);
    }
    bool ready() const { return !lock_ || lock_->locked(); }

private:
    std::unique_ptr<FullDisk> full_;
    std::unique_ptr<LockedFolder> lock_;
};

inline QString messageOf(QDialog* dialog) { return dialog->findChild<QLabel*>("lbMsg")->text(); }

} // namespace zt
