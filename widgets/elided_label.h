#pragma once
// A one-line label that takes the room it is given: its text (text(), and
// the tool tip) is drawn elided in the middle where it is wider than that.
// It asks for the width of its whole text but makes do with the width of
// "…", so a layout gives it what is left once the others have theirs.

#include <QLabel>
#include <QString>

class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The text, shown elided where the label is too narrow; also the tool tip.
    void setFullText(const QString& text);
    // The text as drawn at the label's present width.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
