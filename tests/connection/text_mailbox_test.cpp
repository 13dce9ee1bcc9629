// What the worker thread hands to the window: in order, bounded per pane by
// no less than the pane holds, statuses at once without dropping a text, and
// what is dropped counted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection/pane_batch.h"
#include "connection/report_block.h"
#include "connection/text_mailbox.h"
#include "protocol/wifi.h"

namespace {

using Box = Zuno::TextMailbox::Box;
using Letters = std::deque<Zuno::TextMailbox::Letter>;
constexpr Zuno::TextMailbox::Slice kAll{1000000, 1000000};

// "o:a", "i:b", "s:5", "gap o:3": one line per letter.
std::vector<std::string> lines(const Letters& letters) {
    std::vector<std::string> out;
    for (const auto& l : letters) {
        const char* box = l.box == Box::Inbox ? "i" : l.box == Box::Outbox ? "o" : "s";
        if (l.notShown)
            out.push_back(std::string("gap ") + box + ":" + std::to_string(l.notShown));
        else if (l.box == Box::Status)
            out.push_back("s:" + std::to_string(l.status) + (l.text.empty() ? "" : " " + l.text));
        else
            out.push_back(std::string(box) + ":" + l.text);
    }
    return out;
}

TEST(TextMailbox, TakesSomeAtATimeInOrder) {
    Zuno::TextMailbox box;
    EXPECT_TRUE(box.put(Box::Outbox, "a"));
    EXPECT_FALSE(box.put(Box::Inbox, "b"));
    EXPECT_FALSE(box.putStatus(5, "note"));
    EXPECT_FALSE(box.put(Box::Outbox, "c"));

    Letters got;
    EXPECT_TRUE(box.take({2, 1000}, got)); // some remain
    // Letters left behind: the mailbox is not empty for the worker either.
    EXPECT_FALSE(box.put(Box::Outbox, "d"));
    EXPECT_FALSE(box.take({10, 1000}, got));
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:a", "i:b", "s:5 note", "o:c", "o:d"}));
    // Emptied: the next letter asks for delivery again.
    EXPECT_TRUE(box.put(Box::Outbox, "e"));
}

TEST(TextMailbox, ASliceEndsAtItsLettersOrItsCharacters) {
    Zuno::TextMailbox box;
    for (const char* t : {"aaaa", "bbbb", "cccc", "dddd"})
        box.put(Box::Outbox, t);
    Letters got;
    EXPECT_TRUE(box.take({10, 11}, got)); // a third text would pass 11 characters
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:aaaa", "o:bbbb"}));
    got.clear();
    EXPECT_TRUE(box.take({1, 1000}, got));
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:cccc"}));
    got.clear();
    EXPECT_FALSE(box.take({1, 1}, got)); // at least one letter
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:dddd"}));
}

// Texts put faster than they are taken: each pane keeps its newest within its
// bound, the rest is counted ahead of them; the other pane loses nothing.
TEST(TextMailbox, WaitingTextsAreBoundedPerPaneAndCounted) {
    struct Case {
        const char* name;
        std::size_t chars, texts;
        int put;
        std::size_t textSize;
        int kept;
    } cases[] = {
        {"by texts", 1 << 20, 10, 25, 3, 10},
        {"by characters", 100, 1000, 25, 10, 10},
        {"one text larger than the bound stays", 5, 1000, 3, 10, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Zuno::TextMailbox box(c.chars, c.texts);
        box.put(Box::Inbox, "mine");
        for (int i = 0; i < c.put; ++i) {
            std::string t = std::to_string(i);
            t.resize(c.textSize, '.');
            box.put(Box::Outbox, t);
        }
        EXPECT_EQ(box.dropped(Box::Outbox), uint64_t(c.put - c.kept));
        EXPECT_EQ(box.dropped(Box::Inbox), 0u);
        Letters got;
        EXPECT_FALSE(box.take(kAll, got));
        ASSERT_EQ(got.size(), std::size_t(c.kept + 2));
        EXPECT_EQ(lines(got)[0], "gap o:" + std::to_string(c.put - c.kept));
        EXPECT_EQ(lines(got)[1], "i:mine");
        EXPECT_EQ(got.back().text.rfind(std::to_string(c.put - 1) + ".", 0), 0u); // the newest
        // Counted once: the next slice starts without a gap.
        box.put(Box::Outbox, "x");
        got.clear();
        box.take(kAll, got);
        EXPECT_EQ(lines(got), (std::vector<std::string>{"o:x"}));
    }
}

// A status waiting behind a backlog is taken by the very next slice, and no
// text goes for it: the texts before it follow in order, a slice at a time.
TEST(TextMailbox, AStatusTakesEffectAtOnceAndDropsNoText) {
    Zuno::TextMailbox box;
    for (int i = 0; i < 10; ++i)
        box.put(Box::Outbox, "o" + std::to_string(i));
    box.put(Box::Inbox, "in");
    box.putStatus(3);
    box.putStatus(5, "end");
    box.put(Box::Outbox, "after");
    Letters got;
    EXPECT_TRUE(box.take({4, 1000}, got));
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:o0", "o:o1", "o:o2", "o:o3", "s:3", "s:5 end"}));
    got.clear();
    EXPECT_TRUE(box.take({4, 1000}, got));
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:o4", "o:o5", "o:o6", "o:o7"}));
    got.clear();
    EXPECT_FALSE(box.take({4, 1000}, got));
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:o8", "o:o9", "i:in", "o:after"}));
    EXPECT_EQ(box.dropped(Box::Outbox), 0u);

    // A status between texts that fit into the slice keeps its place.
    box.put(Box::Outbox, "x");
    box.putStatus(5);
    box.put(Box::Outbox, "y");
    got.clear();
    EXPECT_FALSE(box.take(kAll, got));
    EXPECT_EQ(lines(got), (std::vector<std::string>{"o:x", "s:5", "o:y"}));
}

// A burst as large as a pane can show waits whole for the window, whatever
// ends the connection behind it: nothing is dropped short of a real flood.
TEST(TextMailbox, ABurstThePaneCanHoldWaitsWhole) {
    struct Case {
        const char* name;
        int texts;
        std::size_t textBytes;
    } cases[] = {
        {"as many texts as the pane has lines", Zuno::kPaneBlockLimit, 10},
        {"as many characters as the pane holds", 64, 3 * std::size_t(Zuno::kPaneCharLimit) / 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Zuno::TextMailbox box;
        for (int i = 0; i < c.texts; ++i)
            box.put(Box::Outbox, std::string(c.textBytes, 'x'));
        box.putStatus(5, "end");
        EXPECT_EQ(box.dropped(Box::Outbox), 0u);
        Letters got;
        while (box.take({50, 5 * 1024}, got)) {
        }
        EXPECT_EQ(got.size(), std::size_t(c.texts + 1));
        // One text more is a flood: the oldest goes, counted.
        Zuno::TextMailbox full;
        for (int i = 0; i <= c.texts; ++i)
            full.put(Box::Outbox, std::string(c.textBytes, 'x'));
        EXPECT_EQ(full.dropped(Box::Outbox), 1u);
    }
}

TEST(PaneText, ShowsLongTextsInPart) {
    const std::string shortText = "////\n<< 78 78 05 13\n\"MSG\"\n";
    EXPECT_EQ(Zuno::paneText(shortText, 20, 100), shortText);

    // A long line is cut, never inside a character, and says how much is left.
    EXPECT_EQ(Zuno::paneText("ab\n0123456789abcdef\n", 10, 1000),
              "ab\n0123456789 …(此行另有 6 个字符未显示, 详见日志)\n");
    EXPECT_EQ(Zuno::paneText("一二三四五六七八", 10, 1000), "一二三 …(此行另有 5 个字符未显示, 详见日志)");

    // Too many lines: the last ones go, counted.
    std::string many;
    for (int i = 0; i < 10; ++i)
        many += "line " + std::to_string(i) + "\n";
    EXPECT_EQ(Zuno::paneText(many, 6, 20), "line 0\nline 1\nline 2\n…(另有 7 行未显示, 详见日志)\n");
    EXPECT_EQ(Zuno::paneText(many + "tail", 6, 20), "line 0\nline 1\nline 2\n…(另有 8 行未显示, 详见日志)\n");
}

// One press of Parse or Send shows all its blocks up to the press's bound;
// past it, the newest that fit, whole, under a line that counts the others.
TEST(PressText, ShowsTheNewestBlocksThatFit) {
    const std::vector<std::string> blocks{"aaa\n", "bb\n", "c\n", "\n"}; // 10 characters
    const struct Case {
        int limit;
        const char* shown;
        int notShown;
    } cases[] = {
        {11, "aaa\nbb\nc\n\n", 0}, {10, "aaa\nbb\nc\n\n", 0}, {9, "bb\nc\n\n", 1},
        {6, "bb\nc\n\n", 1},          {5, "c\n\n", 2},            {0, "", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        const QString notice = c.notShown > 0 ? Zuno::clickNotShownNotice(c.notShown) : QString();
        EXPECT_EQ(Zuno::pressText(blocks, c.limit).toStdString(), (notice + c.shown).toStdString());
    }
    EXPECT_EQ(Zuno::pressText({}, 10), QString());
    // Characters, not bytes, count.
    EXPECT_EQ(Zuno::pressText({"一二\n", "三\n"}, 5), QString("一二\n三\n"));
    EXPECT_EQ(Zuno::clickNotShownNotice(2).toStdString(), "… 前 2 行的结果超出一次可显示的字符数, 未显示\n");
}

// The report pane shows a frame of up to 2 KB whole, whatever its dump's
// size: the terminal's WiFi report with its 255 entries among them. Only a
// longer frame is cut.
TEST(PaneBlock, FramesOfUpToTwoKilobytesAreShownWhole) {
    Zuno::ZunoWifiLoc2C report;
    report.begin = Zuno::kBeginLong;
    for (uint64_t i = 0; i < Zuno::kWifiCountMax; ++i)
        report.wifiArray.emplace_back(0x0A1B2C3D4E00ull + i, static_cast<uint8_t>(i));
    std::vector<uint8_t> frame;
    ASSERT_EQ(report.encode(frame), 0);
    ASSERT_LE(frame.size(), Zuno::kWholeFrameBytes);
    const std::string block = Zuno::reportBlock(">> ", frame, &report);
    ASSERT_GT(block.size(), Zuno::kShownTextChars); // more than a cut block shows
    EXPECT_EQ(Zuno::paneBlock(block, frame.size()), block);

    EXPECT_EQ(Zuno::paneBlock(block, Zuno::kWholeFrameBytes + 1), Zuno::paneText(block));
    EXPECT_NE(Zuno::paneText(block), block);
}

} // namespace
