#pragma once
// Enter on a file list activates the current row and goes no further: left
// to itself, the item view passes the key on to its dialog, which would
// press the default button (Save) right after the row was opened.

class QAbstractItemView;

namespace Zuno {

void keepEnterInList(QAbstractItemView* view);

} // namespace Zuno
