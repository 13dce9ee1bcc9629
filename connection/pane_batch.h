#pragma once
// Texts bound for one traffic pane, joined so that the pane takes them in one
// insertion and ends up exactly as after one insertion each: a pane that holds
// more than its limit of text blocks or of characters is emptied before the
// next text, the input box starts every text on a line of its own, and the
// report pane shows the newest text at the top. Every text that goes into
// either pane goes through a batch, so no insertion passes the pane's limits
// by more than one text.

#include <cstddef>
#include <cstdint>
#include <string>

#include <QString>

#include "connection/pane_limits.h"

namespace Zuno {

// What the report pane shows at most of the block of a frame longer than
// kWholeFrameBytes: a longer line is cut, and a block longer still loses its
// last lines; a note says what is left out (the log keeps the whole).
constexpr std::size_t kShownLineChars = 1536;
constexpr std::size_t kShownTextChars = 4096;

// `text` (UTF-8) as a pane shows it: unchanged when it is within the limits.
std::string paneText(const std::string& text, std::size_t maxLineChars = kShownLineChars,
                     std::size_t maxChars = kShownTextChars);
// The report block of a frame of `frameBytes` bytes as the report pane shows
// it: whole up to kWholeFrameBytes, else as paneText() cuts it.
std::string paneBlock(const std::string& block, std::size_t frameBytes);

// The report pane's line where `count` report blocks were not shown (the log
// has them).
QString notShownNotice(uint64_t count);
// The report pane's line where `count` lines were not put into the input box
// (the log has their frames); the input box itself takes only frame lines,
// since Parse and Send read each of its lines as a frame.
QString inboxNotShownNotice(uint64_t count);
// The report pane's line where the first `count` blocks of one Parse or Send
// did not stay in the pane: more than it holds.
QString clickNotShownNotice(uint64_t count);

class PaneBatch {
public:
    // AtEnd: each text after the last (the input box). AtStart: each text
    // above the one before (the report pane, newest on top). InOrderAtStart:
    // the texts, in the order added, above what the pane held (the blocks of
    // one Parse or Send).
    enum Where { AtStart, AtEnd, InOrderAtStart };

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
    // Texts of this batch that a later one emptied away again.
    uint64_t textsDropped() const { return dropped_; }
    // Where the dropped texts stood, `line` (not counted towards the limits).
    void noteDropped(const QString& line);

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
    int texts_ = 0; // in text_
    uint64_t dropped_ = 0;
};

} // namespace Zuno
