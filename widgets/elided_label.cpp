#include "widgets/elided_label.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void ElidedLabel::setFullText(const QString& text) {
    setText(text);
    setToolTip(text);
}

QString ElidedLabel::shownText() const {
    const int room = contentsRect().width() - 2 * margin();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, std::max(room, 0));
}

QSize ElidedLabel::minimumSizeHint() const {
    const QMargins m = contentsMargins();
    const int width = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(QStringLiteral("…"));
    return {width + m.left() + m.right() + 2 * margin(), QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}
