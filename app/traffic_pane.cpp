#include "app/traffic_pane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "connection/analyser.h"

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

void PressBlocks::add(const std::string& line, std::string block) {
    std::string text = paneBlock(block, (line.size() + 1) / 2);
    if (text != block)
        cut.push_back(std::move(block));
    shown.push_back(std::move(text));
}

PressBlocks parsePress(const std::vector<std::string>& lines) {
    PressBlocks press;
    press.shown.reserve(lines.size() + 1);
    for (const std::string& line : lines)
        press.add(line, parseBlock(line));
    press.shown.emplace_back("\n");
    return press;
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

PaneState paneState(const QTextEdit* pane) {
    const QTextDocument* doc = pane->document();
    // characterCount() counts the paragraph separator that ends the document.
    return {doc->blockCount(), doc->characterCount() - 1, doc->lastBlock().text().isEmpty()};
}

PaneBatch::PaneBatch(Where where, const PaneState& pane, const PaneLimits& limits)
    : where_(where), lastEmpty_(pane.lastBlockEmpty), clear_(pane.blocks > limits.blocks || pane.chars > limits.chars) {
    if (clear_)
        lastEmpty_ = true;
}

void PaneBatch::add(const QString& text) {
    const QString piece = where_ == AtEnd && !lastEmpty_ ? QStringLiteral("\n") + text : text;
    ++texts_;
    if (piece.isEmpty())
        return;
    lastEmpty_ = endsBlock(piece.back());
    if (where_ == AtEnd)
        text_ += piece;
    else
        text_.prepend(piece);
}

void fillPane(QTextEdit* pane, const PaneBatch& batch) {
    if (batch.isEmpty())
        return;
    const bool atEnd = batch.where() == PaneBatch::AtEnd;
    QTextDocument* doc = pane->document();
    const int kept = batch.clearFirst() ? 0 : doc->characterCount() - 1;
    if (!atEnd && batch.text().size() > kept) {
        // More text than the pane keeps (a press, a burst into an emptied
        // pane): the document is made anew, which the pane lays out in steps
        // between turns of the event loop; an insertion into a document is
        // laid out at once. The raw text keeps every character as it was.
        pane->setPlainText(kept > 0 ? batch.text() + doc->toRawText() : batch.text());
    } else {
        if (batch.clearFirst())
            pane->clear();
        // One edit of the document, laid out once, not after every line.
        QTextCursor cursor(doc);
        cursor.movePosition(atEnd ? QTextCursor::End : QTextCursor::Start);
        cursor.beginEditBlock();
        cursor.insertText(batch.text());
        cursor.endEditBlock();
    }
    QScrollBar* bar = pane->verticalScrollBar();
    bar->setValue(atEnd ? bar->maximum() : bar->minimum());
}

void putIntoPane(QTextEdit* pane, PaneBatch::Where where, const QString& text) {
    PaneBatch batch(where, paneState(pane));
    batch.add(text);
    fillPane(pane, batch);
}

std::vector<MailRun> joinSlice(std::deque<TextMailbox::Letter> letters) {
    // Each pane's texts are joined as they would go into an empty pane; the
    // joined text then goes into the pane as one text of a batch, before
    // which the pane's rule applies once.
    std::vector<MailRun> runs;
    PaneBatch in(PaneBatch::AtEnd);
    PaneBatch out(PaneBatch::AtStart);
    const auto endRun = [&]() -> MailRun& {
        runs.emplace_back();
        runs.back().inbox = in.text();
        runs.back().outbox = out.text();
        in = PaneBatch(PaneBatch::AtEnd);
        out = PaneBatch(PaneBatch::AtStart);
        return runs.back();
    };
    for (TextMailbox::Letter& letter : letters) {
        if (letter.box == TextMailbox::Box::Status) {
            MailRun& run = endRun();
            run.endsInStatus = true;
            run.status = letter.status;
            run.note = std::move(letter.text);
            continue;
        }
        const bool inbox = letter.box == TextMailbox::Box::Inbox;
        // What the input box missed is said in the report pane: every line
        // of the input box is a frame to Parse and Send.
        if (letter.notShown > 0)
            out.add(inbox ? inboxNotShownNotice(letter.notShown) : notShownNotice(letter.notShown));
        if (!letter.text.empty())
            (inbox ? in : out).add(QString::fromUtf8(letter.text.data(), static_cast<int>(letter.text.size())));
    }
    if (!in.isEmpty() || !out.isEmpty())
        endRun();
    return runs;
}

} // namespace Zuno
