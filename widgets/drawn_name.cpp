#include "widgets/drawn_name.h"

namespace drawn {

namespace {

const QChar kEllipsis(0x2026);

// The first `count` characters of `text`, one fewer where that would split a
// pair of surrogates.
QString head(const QString& text, int count) {
    if (count >= text.size())
        return text;
    if (count > 0 && text.at(count - 1).isHighSurrogate())
        --count;
    return text.left(count);
}

} // namespace

QString name(const QString& name) {
    if (name.size() <= kNameChars)
        return name;
    return head(name, kNameChars) + kEllipsis;
}

QString nameTip(const QString& name) { return name.size() <= kNameChars ? QString() : textTip(name); }

QString textTip(const QString& text) {
    const QString shown = head(text, kTipChars);
    QString tip;
    tip.reserve(shown.size() + shown.size() / kTipLineChars + 1);
    for (int at = 0; at < shown.size();) {
        const QString line = head(shown.mid(at), kTipLineChars);
        if (!tip.isEmpty())
            tip += QLatin1Char('\n');
        tip += line;
        at += line.size();
    }
    return shown.size() < text.size() ? tip + kEllipsis : tip;
}

} // namespace drawn
