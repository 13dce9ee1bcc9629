#pragma once
// Texts bound for one traffic pane, put in by one insertion: a text of the
// window's own, a slice of the worker's texts, or the blocks of one press of
// Parse or Send. The pane's rule applies once, before the insertion: a pane
// that holds more than its limit of text blocks or of characters is emptied
// first; then every text of the batch goes in, in its place (the input box
// starts every text on a line of its own, the report pane shows the newest
// text at the top). Every text that goes into either pane goes through a
// batch; between two insertions a pane passes its limits by one insertion at
// most, which is bounded by what brings it (a slice of the mailbox, a press).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
// The report pane's line where the results of the first `count` lines of one
// Parse or Send are not shown: more than one press shows.
QString clickNotShownNotice(uint64_t count);

// The blocks of one press of Parse or Send (UTF-8, in line order, the last
// text of the press last) as one text for the top of the report pane: all of
// them when they come to at most `charLimit` characters; else the newest that
// fit, whole, under the line that counts the others.
QString pressText(const std::vector<std::string>& blocks, int charLimit = kPressCharLimit);

class PaneBatch {
public:
    // AtEnd: each text after the last (the input box). AtStart: each text
    // above the one before (the report pane, newest on top).
    enum Where { AtStart, AtEnd };

    // The pane as it stands: its number of text blocks and of characters, and
    // whether its last block is empty. `ownLines` (at the end only): a text
    // that would join the last line gets a line feed before it.
    PaneBatch(Where where, int blockCount, int charCount, bool lastBlockEmpty, bool ownLines,
              int limit = kPaneBlockLimit, int charLimit = kPaneCharLimit);

    void add(const QString& text);

    Where where() const { return where_; }
    // Whether the pane is emptied before `text()` goes in: it held more than
    // its limits when the batch began.
    bool clearFirst() const { return clear_; }
    // What goes in at `where()`, in one insertion.
    const QString& text() const { return text_; }
    // No text was added: the pane stays as it is.
    bool isEmpty() const { return texts_ == 0; }

private:
    Where where_;
    bool lastEmpty_;
    bool ownLines_;
    bool clear_;
    QString text_;
    int texts_ = 0;
};

} // namespace Zuno
