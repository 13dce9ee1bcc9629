#pragma once
// How much the window's two traffic panes hold, and so how much of what waits
// for them is worth keeping.

#include <cstddef>

namespace Zuno {

// A pane that holds more text blocks (lines), or more characters, than this
// is emptied before the next insertion: a text, a slice of the worker's
// texts, or the blocks of one press of Parse or Send. The rule applies before
// an insertion, never inside one, so an insertion always shows what it brings.
constexpr int kPaneBlockLimit = 1000;
constexpr int kPaneCharLimit = 256 * 1024;

// The blocks of one press of Parse or Send go in whole up to this many
// characters, which the window lays out quickly (bench/window_flood_bench.cpp,
// BM_PressSendAndParse); past it, only the newest that fit, under a line that
// counts the others. A thousand frames of the largest sample take 1.7 million.
constexpr int kPressCharLimit = 4 * 1024 * 1024;

// What waits for one pane, at most: as many texts as the pane has lines (each
// text is a line at least), and the bytes of as many characters as the pane
// holds (a character of the panes' texts is at most 3 bytes of UTF-8 per
// UTF-16 unit). Only a flood beyond what the pane could show loses texts.
constexpr std::size_t kWaitingTexts = kPaneBlockLimit;
constexpr std::size_t kWaitingBytes = 3 * static_cast<std::size_t>(kPaneCharLimit);

// A frame of at most this many bytes is shown whole in the report pane: the
// terminal's largest report and every platform command. A longer one, received,
// sent or typed, is cut to what one turn of the event loop can lay out
// (pane_batch.h, paneText).
constexpr std::size_t kWholeFrameBytes = 2048;

} // namespace Zuno
