#include "app/traffic_pane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace Zuno {

PaneBatch paneBatch(const QTextEdit* pane, PaneBatch::Where where, bool ownLines, int limit, int charLimit) {
    const QTextDocument* doc = pane->document();
    // characterCount() counts the paragraph separator that ends the document.
    return PaneBatch(where, doc->blockCount(), doc->characterCount() - 1, doc->lastBlock().text().isEmpty(),
                     ownLines, limit, charLimit);
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

} // namespace Zuno
