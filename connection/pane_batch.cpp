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

bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Characters (not bytes) of UTF-8 text.
std::size_t charsOf(const std::string& text, std::size_t from, std::size_t to) {
    std::size_t n = 0;
    for (std::size_t i = from; i < to; ++i)
        n += continuation(text[i]) ? 0 : 1;
    return n;
}

} // namespace

std::string paneText(const std::string& text, std::size_t maxLineChars, std::size_t maxChars) {
    if (text.size() <= maxLineChars)
        return text;
    std::string shown;
    std::size_t from = 0;
    std::size_t linesLeft = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        const bool feed = end != std::string::npos;
        if (!feed)
            end = text.size();
        std::string line;
        if (end - from > maxLineChars) {
            std::size_t cut = from + maxLineChars;
            while (cut > from && continuation(text[cut]))
                --cut; // never inside a character
            line = text.substr(from, cut - from) + " …(此行另有 " + std::to_string(charsOf(text, cut, end)) +
                   " 个字符未显示, 详见日志)";
        } else {
            line = text.substr(from, end - from);
        }
        if (shown.size() + line.size() > maxChars && !shown.empty()) {
            for (std::size_t i = from; i < text.size(); ++i)
                linesLeft += text[i] == '\n' ? 1 : 0;
            linesLeft += text.back() == '\n' ? 0 : 1;
            break;
        }
        shown += line;
        if (feed)
            shown += '\n';
        from = end + 1;
    }
    if (linesLeft > 0)
        shown += "…(另有 " + std::to_string(linesLeft) + " 行未显示, 详见日志)\n";
    return shown;
}

std::string paneBlock(const std::string& block, std::size_t frameBytes) {
    return frameBytes <= kWholeFrameBytes ? block : paneText(block);
}

QString notShownNotice(uint64_t count) {
    return QStringLiteral("… ") + QString::number(count) + QStringLiteral(" 帧未显示, 详见日志\n");
}

QString inboxNotShownNotice(uint64_t count) {
    return QStringLiteral("… ") + QString::number(count) + QStringLiteral(" 帧未写入输入框, 详见日志\n");
}

QString clickNotShownNotice(uint64_t count) {
    return QStringLiteral("… 前 ") + QString::number(count) +
           QStringLiteral(" 行的结果超出窗口可容纳的行数, 未显示\n");
}

PaneBatch::PaneBatch(Where where, int blockCount, int charCount, bool lastBlockEmpty, bool ownLines, int limit,
                     int charLimit)
    : where_(where), blocks_(blockCount), chars_(charCount), lastEmpty_(lastBlockEmpty),
      ownLines_(ownLines && where == AtEnd), limit_(limit), charLimit_(charLimit) {}

void PaneBatch::add(const QString& text) {
    if (blocks_ > limit_ || chars_ > charLimit_) {
        // Everything before, in the pane and in this batch, goes.
        clear_ = true;
        dropped_ += static_cast<uint64_t>(texts_);
        texts_ = 0;
        text_.clear();
        blocks_ = 1;
        chars_ = 0;
        lastEmpty_ = true;
    }
    const QString piece = ownLines_ && !lastEmpty_ ? QStringLiteral("\n") + text : text;
    const Blocks b = blocksOf(piece);
    blocks_ += b.breaks;
    chars_ += piece.size();
    ++texts_;
    if (where_ == AtEnd) {
        if (!piece.isEmpty())
            lastEmpty_ = b.endsEmpty && (b.breaks > 0 || lastEmpty_);
        text_ += piece;
    } else if (where_ == InOrderAtStart) {
        text_ += piece;
    } else {
        text_.prepend(piece);
    }
}

void PaneBatch::noteDropped(const QString& line) {
    // The dropped texts came before the kept ones: below them when the
    // newest is on top, above them otherwise.
    if (where_ == AtStart)
        text_ += line;
    else
        text_.prepend(line);
}

} // namespace Zuno
