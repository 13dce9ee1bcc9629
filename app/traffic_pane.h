#pragma once
// Putting texts into the window's two traffic panes: the input box (texts at
// the end, each on a line of its own) and the report pane (newest at the top).

#include "connection/pane_batch.h"

class QTextEdit;

namespace Zuno {

// An empty batch for `pane` as it stands now.
PaneBatch paneBatch(const QTextEdit* pane, PaneBatch::Where where, bool ownLines, int limit = kPaneBlockLimit,
                    int charLimit = kPaneCharLimit);

// Puts `batch` into `pane` in one insertion and scrolls to it; an empty batch
// leaves the pane alone.
void fillPane(QTextEdit* pane, const PaneBatch& batch);

} // namespace Zuno
