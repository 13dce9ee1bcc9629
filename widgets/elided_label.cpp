#include "widgets/elided_label.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <QStyle>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
    full_ = text;
    setToolTip(text);
    elide();
    updateGeometry();
}

QString ElidedLabel::shownText() const { return text(); }

QSize ElidedLabel::sizeHint() const {
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    return {fm.horizontalAdvance(full_) + m.left() + m.right() + 2 * margin(),
            QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    return {full_.isEmpty() ? 0 : fm.horizontalAdvance(QStringLiteral("…")) + m.left() + m.right() + 2 * margin(),
            QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    const int room = contentsRect().width() - 2 * margin();
    const QString shown = QFontMetrics(font()).elidedText(full_, Qt::ElideMiddle, std::max(room, 0));
    // setText would ask the layout again for the shown text's size.
    if (shown != text())
        QLabel::setText(shown);
}
