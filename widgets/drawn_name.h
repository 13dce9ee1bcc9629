#pragma once
// Names read from files, drawn in lists, boxes and messages: a name a file
// made huge is drawn cut, so that measuring and drawing it never holds up a
// window. What is data (the file, the selection) keeps the whole name.

#include <QString>

namespace drawn {

// How many characters of a name are drawn.
constexpr int kNameChars = 256;
// How many characters of a name its tool tip shows, and in lines of how
// many: as much as a screen holds.
constexpr int kTipChars = 2048;
constexpr int kTipLineChars = 64;

// `name` whole when it has kNameChars characters or fewer, else its first
// kNameChars and "…". A pair of surrogates is never split.
QString name(const QString& name);

// The tool tip of a name drawn cut: textTip of the name. Empty for a name
// drawn whole.
QString nameTip(const QString& name);

// A text as a tool tip shows it: in lines of kTipLineChars, up to kTipChars
// characters (a longer text is cut there with "…").
QString textTip(const QString& text);

} // namespace drawn
