#pragma once
// A drop-down that draws its current text elided at the right where the box
// is narrower than the text, as its list does, instead of cutting it off at
// the edge without a mark.

#include <QComboBox>

class ElidedComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ElidedComboBox(QWidget* parent = nullptr);

    // The current text as drawn at the box's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
