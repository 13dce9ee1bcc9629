#pragma once
// Texts bound for one traffic pane, joined so that the pane takes them in one
// insertion and ends up exactly as after one insertion each: a pane that holds
// more than `limit` text blocks is emptied before the next text, the input box
// starts every text on a line of its own, and the report pane shows the
// newest text at the top.

#include <QString>

namespace Zuno {

// A pane that holds more text blocks than this is emptied before the next text.
constexpr int kPaneBlockLimit = 1000;

class PaneBatch {
public:
    enum Where { AtStart, AtEnd };

    // The pane as it stands: its number of text blocks and whether its last
    // block is empty. `ownLines` (at the end only): a text that would join the
    // last line gets a line feed before it.
    PaneBatch(Where where, int blockCount, bool lastBlockEmpty, bool ownLines, int limit = kPaneBlockLimit);

    void add(const QString& text);

    Where where() const { return where_; }
    // Whether the pane is emptied before `text()` goes in.
    bool clearFirst() const { return clear_; }
    // What goes in at `where()`, in one insertion.
    const QString& text() const { return text_; }
    bool isEmpty() const { return !clear_ && text_.isEmpty(); }
    // The text blocks `text()` makes: the measure of the work of putting it in.
    int textBlocks() const { return textBreaks_; }

private:
    Where where_;
    int blocks_;
    bool lastEmpty_;
    bool ownLines_;
    int limit_;
    bool clear_ = false;
    int textBreaks_ = 0;
    QString text_;
};

} // namespace Zuno
