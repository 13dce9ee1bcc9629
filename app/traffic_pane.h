#pragma once
// The window's two traffic panes and everything that goes into them: the
// input box (texts at the end, each on a line of its own) and the report pane
// (newest text at the top).
//
// Every text that goes into either pane goes through a batch and one
// insertion (fillPane): a text of the window's own (putIntoPane), a slice of
// the worker's texts (joinSlice), or the blocks of one press of Parse or Send
// (pressText). The pane's rule applies once, before the insertion: a pane that
// holds more than its limit of text blocks or of characters is emptied first;
// then every text of the batch goes in, in its place. Between two insertions a
// pane passes its limits by one insertion at most, which is bounded by what
// brings it (a slice of the mailbox, a press).

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include <QString>

#include "connection/text_mailbox.h"

class QTextEdit;

namespace Zuno {

// A pane that holds more text blocks (lines), or more characters, than this
// is emptied before the next insertion. The rule applies before an
// insertion, never inside one, so an insertion always shows what it brings.
constexpr int kPaneBlockLimit = 1000;
constexpr int kPaneCharLimit = 256 * 1024;

// The blocks of one press of Parse or Send go in whole up to this many
// characters, which the window lays out quickly (bench/window_flood_bench.cpp,
// BM_PressSendAndParse); past it, only the newest that fit, under a line that
// counts the others. A thousand frames of the largest sample take 1.7 million.
constexpr int kPressCharLimit = 4 * 1024 * 1024;

// What the window's mailbox keeps waiting for one pane, at most: as many
// texts as the pane has lines (each text is a line at least), and the bytes
// of as many characters as the pane holds (a character of the panes' texts is
// at most 3 bytes of UTF-8 per UTF-16 unit). Only a flood beyond what the
// pane could show loses texts.
constexpr std::size_t kWaitingTexts = kPaneBlockLimit;
constexpr std::size_t kWaitingBytes = 3 * static_cast<std::size_t>(kPaneCharLimit);

// A frame of at most this many bytes is shown whole in the report pane: the
// terminal's largest report and every platform command. A longer one,
// received, sent or typed, is cut to what one turn of the event loop can lay
// out: a longer line than kShownLineChars is cut, and a block longer than
// kShownTextChars loses its last lines; a note says what is left out (the log
// keeps the whole).
constexpr std::size_t kWholeFrameBytes = 2048;
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

// The blocks of one press of Parse or Send as the report pane shows them.
// The block of a prepared line shows as that of a received frame of the
// line's size (paneBlock, counted as hexToBytes reads the line): the line
// keeps no blanks, so a longer one is a single run of digits that the pane
// would take seconds to wrap. The blocks so cut are kept whole, for the log.
struct PressBlocks {
    std::vector<std::string> shown; // in line order, the press's last text last
    std::vector<std::string> cut;   // whole, each block that `shown` cuts

    void add(const std::string& line, std::string block);
};

// Parse's press for the given prepared lines: each line's block (parseBlock),
// then a last line feed.
PressBlocks parsePress(const std::vector<std::string>& lines);

// The blocks of one press (UTF-8, in line order, the last text of the press
// last) as one text for the top of the report pane: all of them when they
// come to at most `charLimit` characters; else the newest that fit, whole,
// under the line that counts the others.
QString pressText(const std::vector<std::string>& blocks, int charLimit = kPressCharLimit);

// A pane as a batch finds it.
struct PaneState {
    int blocks = 1; // text blocks (lines); an empty pane has one
    int chars = 0;
    bool lastBlockEmpty = true;
};
PaneState paneState(const QTextEdit* pane);

// The limits a batch empties a pane by.
struct PaneLimits {
    int blocks = kPaneBlockLimit;
    int chars = kPaneCharLimit;
};

// Texts bound for one pane, put in by one insertion.
class PaneBatch {
public:
    // AtEnd (the input box): each text after the last, on a line of its own:
    // a text that would join the last line gets a line feed before it.
    // AtStart (the report pane): each text above the one before.
    enum Where { AtStart, AtEnd };

    explicit PaneBatch(Where where, const PaneState& pane = PaneState(), const PaneLimits& limits = PaneLimits());

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
    bool clear_;
    QString text_;
    int texts_ = 0;
};

// Puts `batch` into `pane` in one insertion and scrolls to it; an empty batch
// leaves the pane alone.
void fillPane(QTextEdit* pane, const PaneBatch& batch);
// Puts `text` into `pane` as a batch of its own.
void putIntoPane(QTextEdit* pane, PaneBatch::Where where, const QString& text);

// One run of a slice of the mailbox: the texts of each pane joined into one
// text (what the mailbox dropped told in the report pane, where it would have
// been), then the status that ends the run, if one does. A slice is a list of
// runs, so that texts and statuses keep their order.
struct MailRun {
    QString inbox;  // for the input box; empty when the run has none
    QString outbox; // for the report pane; empty when the run has none
    bool endsInStatus = false;
    int status = 0;
    std::string note; // the status's note (UTF-8)
};
std::vector<MailRun> joinSlice(std::deque<TextMailbox::Letter> letters);

} // namespace Zuno
