#include "widgets/qt_check_combo_box.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLineEdit>
#include <QStandardItemModel>

#include "widgets/check_list.h"

namespace {

int checkStateOf(const QStandardItem* item) {
    bool ok = false;
    const int state = item->data(Qt::CheckStateRole).toInt(&ok);
    return ok ? state : checklist::kUnchecked;
}

QVector<checklist::Row> rowsOf(const QStandardItemModel* model) {
    QVector<checklist::Row> rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QStandardItem* item = model->item(r);
        if (item)
            rows.push_back({item->text(), checkStateOf(item)});
        else
            rows.push_back({QString(), checklist::kUnchecked});
    }
    return rows;
}

} // namespace

void QtCheckComboBox::QtCheckListStyledItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                                           const QModelIndex& index) const {
    QStyleOptionViewItem plain(option);
    plain.showDecorationSelected = false;
    QStyledItemDelegate::paint(painter, plain, index);
}

QtCheckComboBox::QtCheckComboBox(QWidget* parent) : QComboBox(parent), standardModel(new QStandardItemModel) {
    setModel(standardModel);
    setEditable(true);
    lineEdit()->setReadOnly(true);
    lineEdit()->installEventFilter(this);
    setItemDelegate(new QtCheckListStyledItemDelegate(this));
    connect(lineEdit(), &QLineEdit::selectionChanged, lineEdit(), &QLineEdit::deselect);
    connect(view(), SIGNAL(pressed(QModelIndex)), this, SLOT(on_itemPressed(QModelIndex)));
    connect(standardModel, SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)), this,
            SLOT(on_modelDataChanged()));
    // The text field sums up the check states. A plain combo box would put
    // the current item's text there whenever the current item moves (arrow
    // keys, the wheel, Return in the list) and would add the field's text as
    // a new item on Return; neither may happen here.
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &QtCheckComboBox::updateText);
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &QtCheckComboBox::updateText);
}

QtCheckComboBox::~QtCheckComboBox() { delete standardModel; }

void QtCheckComboBox::updateText() {
    lineEdit()->setText(
        checklist::summaryText(rowsOf(standardModel), noneCheckedText, allCheckedText, unknownCheckedText));
}

void QtCheckComboBox::setAllCheckedText(const QString& text) { allCheckedText = text; }

void QtCheckComboBox::setCheckedText(const QString& text) {
    const QStringList parts = text.split(QStringLiteral(", "));
    for (const QString& part : parts)
        for (int r = 0; r < standardModel->rowCount(); ++r) {
            QStandardItem* item = standardModel->item(r);
            if (item && item->text() == part) item->setCheckState(Qt::Checked);
        }
    setCurrentText(text);
}

void QtCheckComboBox::on_modelDataChanged() {
    updateText();
    emit globalCheckStateChanged(checklist::overallState(rowsOf(standardModel)));
}

void QtCheckComboBox::on_itemPressed(const QModelIndex& index) {
    QStandardItem* item = standardModel->itemFromIndex(index);
    if (!item) return;
    item->setCheckState(checkStateOf(item) == checklist::kChecked ? Qt::Unchecked : Qt::Checked);
}

bool QtCheckComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) {
        showPopup();
        return true;
    }
    return false;
}
