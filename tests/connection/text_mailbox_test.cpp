// What the worker thread hands to the window: in order, bounded per pane,
// statuses at once without dropping a text, and what is dropped counted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection/text_mailbox.h"

namespace {

using Box = Zuno::TextMailbox::Box;
using Letters = std::deque<Zuno::TextMailbox::Letter>;
constexpr Zuno::TextMailbox::Slice kAll{1000000, 1000000};
// Bounds that the tests below never reach.
constexpr std::size_t kBytes = 1 << 20;
constexpr std::size_t kTexts = 1000;

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
    Zuno::TextMailbox box(kBytes, kTexts);
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
    Zuno::TextMailbox box(kBytes, kTexts);
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
    Zuno::TextMailbox box(kBytes, kTexts);
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

} // namespace
