#pragma once
// Sizes that follow the font: the width a control needs to show a text whole,
// and windows that open as large as their layout needs.

class QSize;
class QString;
class QWidget;

namespace fitsize {

// The width `control` needs to show `text` whole in its own font and style,
// frame, arrows, spin buttons and trailing actions included. For line edits,
// spin boxes, date-time edits and combo boxes; other widgets give the width
// of their size hint.
int widthForText(const QWidget* control, const QString& text);

// Raises the minimum width of `control` to what `text` needs, within its
// maximum width; a wider minimum stays. A control of fixed width keeps a
// fixed width, widened to what the text needs.
void widenFor(QWidget* control, const QString& text);

// Sets the minimum size of `window` to what its layout needs, but not below
// `least` nor above the window's maximum size, and enlarges the window when
// it is smaller. On a window already shown this happens on the next turn of
// the event loop, once the widgets just added to it show.
void growToLayout(QWidget* window, const QSize& least);

} // namespace fitsize
