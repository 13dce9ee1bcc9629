#pragma once
// A combo box whose drop-down list is a list of check boxes. The text field
// shows which items are ticked; the box knows nothing of what they mean.
//
// Items are added through model(): a QStandardItem with the flags
// user-checkable and enabled (not selectable) and a check state.

#include <QComboBox>
#include <QStyledItemDelegate>

class QStandardItemModel;

class QtCheckComboBox : public QComboBox {
    Q_OBJECT
public:
    class QtCheckListStyledItemDelegate : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;
        // As the base draws it, without the selection highlight over the check box.
        void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    };

    explicit QtCheckComboBox(QWidget* parent = nullptr);
    ~QtCheckComboBox() override;

    // Sets the text field from the check states.
    void updateText();
    // Ticks every item whose text is one of the ", "-separated parts of
    // `text` (nothing is unticked) and shows `text` as it is.
    void setCheckedText(const QString& text);

    // Shown when every item is ticked, from the next updateText() on.
    void setAllCheckedText(const QString& text);

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // 0 nothing ticked, 1 some, 2 all, 3 no items or an item partly ticked.
    void globalCheckStateChanged(int state);

public slots:
    void on_modelDataChanged();
    void on_itemPressed(const QModelIndex& index);

private:
    QStandardItemModel* standardModel;
    QString noneCheckedText;
    QString allCheckedText;
    QString unknownCheckedText;
};
