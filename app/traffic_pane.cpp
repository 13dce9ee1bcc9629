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
    if (batch.clearFirst())
        pane->clear();
    const bool atEnd = batch.where() == PaneBatch::AtEnd;
    QTextCursor cursor = pane->textCursor();
    cursor.movePosition(atEnd ? QTextCursor::End : QTextCursor::Start);
    pane->setTextCursor(cursor);
    pane->insertPlainText(batch.text());
    QScrollBar* bar = pane->verticalScrollBar();
    bar->setValue(atEnd ? bar->maximum() : bar->minimum());
}

} // namespace Zuno
