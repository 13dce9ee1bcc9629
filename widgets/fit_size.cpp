#include "widgets/fit_size.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QString>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QWidget>

namespace fitsize {

namespace {

// A line edit keeps this margin on each side of its text.
constexpr int kLineEditMargin = 2;
// Room for the text cursor behind the last character and for the rounding of
// the text's width.
constexpr int kCursorRoom = 3;

// What a spin box adds around its edit field: frame and buttons.
int spinBoxChrome(const QAbstractSpinBox* box) {
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.rect = QRect(0, 0, 1000, box->height());
    option.frame = box->hasFrame();
    option.buttonSymbols = box->buttonSymbols();
    option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField;
    if (box->buttonSymbols() != QAbstractSpinBox::NoButtons)
        option.subControls |= QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    const QRect field = box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, box);
    return option.rect.width() - field.width();
}

// What a line edit adds around its text: frame, margins and the buttons of
// its actions. Its size hint is seventeen "x" wide plus all of these.
int lineEditChrome(const QLineEdit* edit) {
    return edit->sizeHint().width() - 17 * edit->fontMetrics().horizontalAdvance(QLatin1Char('x'));
}

int comboBoxWidth(const QComboBox* box, int textWidth) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    if (box->isEditable())
        textWidth += 2 * kLineEditMargin + kCursorRoom;
    const QSize contents(textWidth, box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, box).width();
}

void growNow(QWidget* window, const QSize& least) {
    QLayout* layout = window->layout();
    if (!layout)
        return;
    window->ensurePolished();
    // A layout keeps the sizes of the layouts inside it until it is told
    // they changed.
    for (QLayout* inner : window->findChildren<QLayout*>())
        inner->invalidate();
    layout->invalidate();
    const QSize need = least.expandedTo(layout->totalMinimumSize()).boundedTo(window->maximumSize());
    window->setMinimumSize(need);
    if (window->width() < need.width() || window->height() < need.height())
        window->resize(window->size().expandedTo(need));
}

} // namespace

int widthForText(const QWidget* control, const QString& text) {
    const int textWidth = control->fontMetrics().horizontalAdvance(text);
    if (auto* box = qobject_cast<const QAbstractSpinBox*>(control))
        return textWidth + 2 * kLineEditMargin + kCursorRoom + spinBoxChrome(box);
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return textWidth + kCursorRoom + lineEditChrome(edit);
    if (auto* box = qobject_cast<const QComboBox*>(control))
        return comboBoxWidth(box, textWidth);
    return control->sizeHint().width();
}

void widenFor(QWidget* control, const QString& text) {
    const int need = widthForText(control, text);
    if (control->minimumWidth() == control->maximumWidth()) {
        if (need > control->maximumWidth())
            control->setFixedWidth(need);
    } else if (need > control->minimumWidth()) {
        control->setMinimumWidth(qMin(need, control->maximumWidth()));
    }
}

void growToLayout(QWidget* window, const QSize& least) {
    if (window->isVisible()) {
        // Widgets just added to a window on show appear on the next turn of
        // the event loop; until then its layout leaves them out.
        QMetaObject::invokeMethod(
            window, [window, least] { growNow(window, least); }, Qt::QueuedConnection);
        return;
    }
    growNow(window, least);
}

} // namespace fitsize
