#pragma once
// Texts bound for one traffic pane, joined so that the pane takes them in one
// insertion and ends up exactly as after one insertion each: a pane that holds
// more than its limit of text blocks or of characters is emptied before the
// next text, the input box starts every text on a line of its own, and the
// report pane shows the newest text at the top.

#include <cstddef>
#include <cstdint>
#include <string>

#include <QString>

namespace Zuno {

// A pane that holds more text blocks, or more characters, than this is
// emptied before the next text.
constexpr int kPaneBlockLimit = 1000;
constexpr int kPaneCharLimit = 256 * 1024;

// What a pane shows of one text at most: a longer line is cut, and a text
// longer still loses its last lines; a note says what is left out (the log
// keeps the whole).
constexpr std::size_t kShownLineChars = 1536;
constexpr std::size_t kShownTextChars = 4096;

// `text` (UTF-8) as a pane shows it: unchanged when it is within the limits.
std::string paneText(const std::string& text, std::size_t maxLineChars = kShownLineChars,
                     std::size_t maxChars = kShownTextChars);

// The line a pane shows where `count` texts were not shown.
QString notShownNotice(uint64_t count);

class PaneBatch {
public:
    enum Where { AtStart, AtEnd };

    // The pane as it stands: its number of text blocks and of characters, and
    // whether its last block is empty. `ownLines` (at the end only): a text
    // that would join the last line gets a line feed before it.
    PaneBatch(Where where, int blockCount, int charCount, bool lastBlockEmpty, bool ownLines,
              int limit = kPaneBlockLimit, int charLimit = kPaneCharLimit);

    void add(const QString& text);

    Where where() const { return where_; }
    // Whether the pane is emptied before `text()` goes in.
    bool clearFirst() const { return clear_; }
    // What goes in at `where()`, in one insertion.
    const QString& text() const { return text_; }
    bool isEmpty() const { return !clear_ && text_.isEmpty(); }

private:
    Where where_;
    int blocks_;
    int chars_;
    bool lastEmpty_;
    bool ownLines_;
    int limit_;
    int charLimit_;
    bool clear_ = false;
    QString text_;
};

} // namespace Zuno
