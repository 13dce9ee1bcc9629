#include "widgets/elided_combo_box.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

ElidedComboBox::ElidedComboBox(QWidget* parent) : QComboBox(parent) {}

QString ElidedComboBox::shownText() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width());
}

void ElidedComboBox::paintEvent(QPaintEvent*) {
    // As QComboBox paints itself, with the text elided.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (!isEditable())
        option.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
