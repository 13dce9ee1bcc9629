#pragma once
// Sizes that follow the font: the width a control needs to show a text whole,
// the height it needs to show a line of its font, and windows that open as
// large as their layout needs, within the screen they open on.

class QAbstractItemView;
class QComboBox;
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

// The widest item text of a drop-down list.
QString widestItem(const QComboBox* box);

// The height `control` needs to show a line of its font whole in its own
// style: an editor's text field (where the style clips its text) at least a
// line high, a button a line and its frame, a check box or radio button a
// line or its indicator, a label a line and its margins.
int heightForText(const QWidget* control);

// Raises the minimum height of `control`, and its maximum where lower, to
// what a line of its font needs; a control of fixed height keeps a fixed
// height.
void fitHeight(QWidget* control);

// Widens a list of fixed width so that it shows each of its rows whole, room
// for a vertical scroll bar included, up to a third of its screen's width.
void widenForRows(QAbstractItemView* list);

// The room a window has on the screen it opens on (its parent's, else the
// primary screen): the screen's available geometry, panels left out, less
// the window manager's title bar.
QSize screenRoom(const QWidget* window);

// For tests: the available geometry of every screen taken to be `size`; an
// empty size gives each screen its own again.
void assumeAvailableSize(const QSize& size);

// As widenFor, but the window of `control` keeps within its screen's room:
// what is wider than that scrolls inside the control.
void widenWithinScreen(QWidget* control, const QString& text);

// Fits a window made from its form to its font: every control of it shows a
// line of its font and a label its whole text, a drop-down its widest item
// (as far as the window's screen has room), a container whose maximum size
// is below what its contents need grows, and the window grows to its layout
// (as growToLayout). Sizes that are large enough stay as they are.
void fitToFont(QWidget* window);

// Sets the minimum size of `window` to what its layout needs, but not below
// `least`, raising the window's maximum size where it is lower, and enlarges
// the window when it is smaller. On a window already shown this happens on
// the next turn of the event loop, once the widgets just added to it show.
//
// What the layout needs is the size at which each scroll area in it shows
// all it holds. Neither the minimum nor the size goes beyond the window's
// screenRoom: what does not fit then scrolls in its scroll area. Only what
// cannot scroll may make a window larger than that.
void growToLayout(QWidget* window, const QSize& least);

// As growToLayout, but each time the window takes the size its layout needs,
// smaller as well as larger: not below `least`, nor below the size it opened
// at or, once the user has given it a size, below that size.
void fitToLayout(QWidget* window, const QSize& least);

} // namespace fitsize
