#pragma once
// A spin box for signed 64-bit integers, with an optional text before
// (prefix) and after (suffix) the number.

#include <QAbstractSpinBox>
#include <QString>

class QtLongLongSpinBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit QtLongLongSpinBox(QWidget* parent = nullptr);
    ~QtLongLongSpinBox() override;

    qlonglong value() const;

    QString prefix() const;
    QString suffix() const;
    qlonglong singleStep() const;
    qlonglong minimum() const;
    qlonglong maximum() const;

    // Each setter stores its argument and shows the value again, clamped to
    // the range. A maximum below the minimum is raised to the minimum.
    void setSuffix(const QString& suffix);
    void setMinimum(qlonglong minimum);
    void setMaximum(qlonglong maximum);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

public slots:
    // Clamps to the range, always redraws the field, and signals only a change.
    void setValue(qlonglong expectedNewValue);

signals:
    void valueChanged(qlonglong i);
    void valueChanged(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    // Takes over what the user typed, or shows the stored value again.
    void commitText();
    QString textOf(qlonglong v) const;
    void selectNumber();

    QString m_prefix;
    QString m_suffix;
    qlonglong m_singleStep = 1;
    qlonglong m_minimum;
    qlonglong m_maximum;
    qlonglong m_value = 0;
};
