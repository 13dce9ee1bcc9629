#include "connection/pane_batch.h"

namespace Zuno {

namespace {

// The characters at which a plain-text insertion starts a new text block;
// "\r\n" is one.
bool endsBlock(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
           c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1; // frame start and end marks
}

struct Blocks {
    int breaks = 0;        // new blocks the text makes
    bool endsEmpty = true; // nothing after its last break (or no text at all)
};

Blocks blocksOf(const QString& text) {
    Blocks b;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            continue; // counted at its '\n'
        if (endsBlock(c)) {
            ++b.breaks;
            b.endsEmpty = true;
        } else {
            b.endsEmpty = false;
        }
    }
    return b;
}

} // namespace

PaneBatch::PaneBatch(Where where, int blockCount, bool lastBlockEmpty, bool ownLines, int limit)
    : where_(where), blocks_(blockCount), lastEmpty_(lastBlockEmpty), ownLines_(ownLines && where == AtEnd),
      limit_(limit) {}

void PaneBatch::add(const QString& text) {
    if (blocks_ > limit_) {
        // Everything before, in the pane and in this batch, goes.
        clear_ = true;
        text_.clear();
        textBreaks_ = 0;
        blocks_ = 1;
        lastEmpty_ = true;
    }
    const QString piece = ownLines_ && !lastEmpty_ ? QStringLiteral("\n") + text : text;
    const Blocks b = blocksOf(piece);
    blocks_ += b.breaks;
    textBreaks_ += b.breaks;
    if (where_ == AtEnd) {
        if (!piece.isEmpty())
            lastEmpty_ = b.endsEmpty && (b.breaks > 0 || lastEmpty_);
        text_ += piece;
    } else {
        text_.prepend(piece);
    }
}

} // namespace Zuno
