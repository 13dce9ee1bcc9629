#pragma once
// A one-line label that takes the room it is given: a text wider than that
// is shown elided in the middle, its whole text as tool tip. It asks for the
// width of its whole text but makes do with the width of "…", so a layout
// gives it what is left once the others have theirs.

#include <QLabel>
#include <QString>

class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The whole text; also the tool tip.
    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }
    // The text as shown at the label's present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString full_;
};
