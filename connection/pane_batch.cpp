#include "connection/pane_batch.h"

namespace Zuno {

namespace {

// The characters at which a plain-text insertion starts a new text block;
// "\r\n" is one.
bool endsBlock(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
           c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1; // frame start and end marks
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
    return QStringLiteral("… 前 ") + QString::number(count) + QStringLiteral(" 行的结果超出一次可显示的字符数, 未显示\n");
}

QString pressText(const std::vector<std::string>& blocks, int charLimit) {
    // From the newest back, as long as they fit.
    std::vector<QString> kept;
    long long chars = 0;
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
        QString block = QString::fromStdString(*it);
        if (chars + block.size() > charLimit)
            break;
        chars += block.size();
        kept.push_back(std::move(block));
    }
    QString text;
    text.reserve(static_cast<int>(chars) + 80);
    if (kept.size() < blocks.size())
        text += clickNotShownNotice(blocks.size() - kept.size());
    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
        text += *it;
    return text;
}

PaneBatch::PaneBatch(Where where, int blockCount, int charCount, bool lastBlockEmpty, bool ownLines, int limit,
                     int charLimit)
    : where_(where), lastEmpty_(lastBlockEmpty), ownLines_(ownLines && where == AtEnd),
      clear_(blockCount > limit || charCount > charLimit) {
    if (clear_)
        lastEmpty_ = true;
}

void PaneBatch::add(const QString& text) {
    const QString piece = ownLines_ && !lastEmpty_ ? QStringLiteral("\n") + text : text;
    ++texts_;
    if (piece.isEmpty())
        return;
    lastEmpty_ = endsBlock(piece.back());
    if (where_ == AtEnd)
        text_ += piece;
    else
        text_.prepend(piece);
}

} // namespace Zuno
