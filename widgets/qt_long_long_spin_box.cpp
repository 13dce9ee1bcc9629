#include "widgets/qt_long_long_spin_box.h"

#include <limits>

#include <QKeyEvent>
#include <QLineEdit>

#include "widgets/spin_math.h"

QtLongLongSpinBox::QtLongLongSpinBox(QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(std::numeric_limits<qlonglong>::min()),
      m_maximum(std::numeric_limits<qlonglong>::max()) {
    setValue(0);
}

QtLongLongSpinBox::~QtLongLongSpinBox() = default;

qlonglong QtLongLongSpinBox::value() const { return m_value; }
QString QtLongLongSpinBox::prefix() const { return m_prefix; }
QString QtLongLongSpinBox::suffix() const { return m_suffix; }
qlonglong QtLongLongSpinBox::singleStep() const { return m_singleStep; }
qlonglong QtLongLongSpinBox::minimum() const { return m_minimum; }
qlonglong QtLongLongSpinBox::maximum() const { return m_maximum; }

void QtLongLongSpinBox::setSuffix(const QString& suffix) {
    m_suffix = suffix;
    setValue(m_value);
}

void QtLongLongSpinBox::setMinimum(qlonglong minimum) {
    m_minimum = minimum;
    setValue(m_value);
}

void QtLongLongSpinBox::setMaximum(qlonglong maximum) {
    m_maximum = maximum < m_minimum ? m_minimum : maximum;
    setValue(m_value);
}

QString QtLongLongSpinBox::textOf(qlonglong v) const { return m_prefix + QString::number(v) + m_suffix; }

void QtLongLongSpinBox::setValue(qlonglong expectedNewValue) {
    const qlonglong v = spin64::clamp(expectedNewValue, m_minimum, m_maximum);
    lineEdit()->setText(textOf(v));
    if (v == m_value) return;
    m_value = v;
    emit valueChanged(v);
    emit valueChanged(QString::number(v));
}

void QtLongLongSpinBox::commitText() {
    setValue(spin64::committedNumber(lineEdit()->text(), m_prefix, m_suffix).value_or(m_value));
}

void QtLongLongSpinBox::selectNumber() {
    const int length = lineEdit()->text().size() - m_prefix.size() - m_suffix.size();
    lineEdit()->setSelection(m_prefix.size(), length < 0 ? 0 : length);
}

void QtLongLongSpinBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        selectNumber();
        commitText();
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void QtLongLongSpinBox::focusOutEvent(QFocusEvent* event) {
    commitText();
    QAbstractSpinBox::focusOutEvent(event);
}

QValidator::State QtLongLongSpinBox::validate(QString& input, int& pos) const {
    return spin64::validate(input, pos, m_prefix, m_suffix, m_maximum);
}

void QtLongLongSpinBox::stepBy(int steps) {
    if (isReadOnly()) return;
    if (lineEdit()->text() != textOf(m_value)) commitText();
    setValue(spin64::step(m_value, steps, m_singleStep, m_minimum, m_maximum, wrapping()));
    selectNumber();
}

QAbstractSpinBox::StepEnabled QtLongLongSpinBox::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    StepEnabled enabled = StepNone;
    if (wrapping() || m_value < m_maximum) enabled |= StepUpEnabled;
    if (wrapping() || m_value > m_minimum) enabled |= StepDownEnabled;
    return enabled;
}
