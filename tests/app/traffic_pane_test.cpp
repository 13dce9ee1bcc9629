// What goes into the window's two traffic panes: the texts as the panes show
// them, the press of Parse or Send, the batch that empties a pane past its
// limits, and a slice of the mailbox joined into one insertion per pane.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include <QStringList>

#include "app/traffic_pane.h"
#include "connection/analyser.h"
#include "connection/report_block.h"
#include "protocol/helpers.h"
#include "protocol/wifi.h"
#include "support/sample_frames.h"
#include "support/test_util.h"

namespace {

using Letter = Zuno::TextMailbox::Letter;
using Box = Zuno::TextMailbox::Box;

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

// One press of Parse or Send shows all its blocks up to the press's bound;
// past it, the newest that fit, whole, under a line that counts the others.
TEST(Press, ShowsTheNewestBlocksThatFit) {
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

// Parse of the input box's sample frames, as the report pane gets it.
TEST(Press, ParseOfTheSampleFramesGivesTheirWholeBlocks) {
    QStringList box;
    for (const char* frame : zt::kSampleFrames)
        box << QString::fromLatin1(frame);
    const std::string report =
        Zuno::pressText(Zuno::parsePress(Zuno::prepareLines(box)).shown).toUtf8().toStdString();
    zt::offerGolden("golden/parse_samples.txt", report);
    EXPECT_EQ(report, zt::readTestFile("golden/parse_samples.txt"));
}

TEST(Press, ParseShowsEachLineInOrderAndALineFeedForNone) {
    EXPECT_EQ(Zuno::pressText(Zuno::parsePress({}).shown), QString("\n"));
    const std::string two =
        Zuno::pressText(Zuno::parsePress({"0", "78780B23C00122040001000818720D0A"}).shown).toUtf8().toStdString();
    EXPECT_LT(two.find("Hex String error"), two.find("心跳包23"));
}

// A typed line's block shows as the block of a received frame of the line's
// size: whole up to 2 KB (4096 digits), else each long line cut to its start
// with a note of what it leaves out; the whole block is then kept for the log.
// A line of an odd number of digits counts as hexToBytes reads it.
TEST(Press, BlocksOfLinesPastTwoKilobytesShowAsReceivedOnesAndStayWhole) {
    const std::string sep(124, '/');
    struct Row {
        std::string line;
        bool whole;
    };
    const auto command80 = [](std::size_t frameBytes) {
        const std::vector<uint8_t> frame = zt::frameAround(0x80, std::vector<uint8_t>(frameBytes - 11, 0x33), 1, true);
        return Zuno::toHex(frame, 0, frame.size(), "");
    };
    const Row rows[] = {
        {command80(2047), true},
        {command80(2048), true},
        {command80(2049), false},
        {command80(65541), false}, // the longest frame, length field 0xFFFF
        {std::string(4095, '7'), true},  // 2048 bytes, refused for its odd length
        {std::string(4097, '7'), false}, // 2049 bytes
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line.size());
        const std::string parsed = Zuno::parseBlock(r.line);
        const std::string sending = Zuno::prepareTypedSending(r.line).block;
        Zuno::PressBlocks send;
        send.add(r.line, sending);
        const Zuno::PressBlocks parse = Zuno::parsePress({r.line});
        ASSERT_EQ(parse.shown.size(), 2u);
        EXPECT_EQ(parse.shown[1], "\n");
        ASSERT_EQ(send.shown.size(), 1u);
        if (r.whole) {
            EXPECT_EQ(parse.shown[0], parsed);
            EXPECT_EQ(send.shown[0], sending);
            EXPECT_TRUE(parse.cut.empty());
            EXPECT_TRUE(send.cut.empty());
            continue;
        }
        EXPECT_EQ(parse.cut, std::vector<std::string>{parsed});
        EXPECT_EQ(send.cut, std::vector<std::string>{sending});
        // The line's first 1536 characters stay, the note counts the others.
        const auto cut = [](const std::string& text) {
            return text.substr(0, Zuno::kShownLineChars) + " …(此行另有 " +
                   std::to_string(text.size() - Zuno::kShownLineChars) + " 个字符未显示, 详见日志)\n";
        };
        EXPECT_EQ(parse.shown[0], Zuno::paneText(parsed));
        EXPECT_EQ(parse.shown[0].rfind(sep + "\n" + cut(r.line), 0), 0u);
        EXPECT_EQ(send.shown[0], Zuno::paneText(sending));
        EXPECT_EQ(send.shown[0].rfind(sep + "\n\n" + cut(">> " + r.line), 0), 0u);
    }
    // The longest frame's press goes in whole.
    EXPECT_EQ(Zuno::pressText(Zuno::parsePress({rows[3].line}).shown).toStdString(),
              Zuno::parsePress({rows[3].line}).shown[0] + "\n");
}

// A burst as large as a pane can show waits whole in the window's mailbox,
// whatever ends the connection behind it: nothing is dropped short of a real
// flood.
TEST(WindowMailbox, ABurstThePaneCanHoldWaitsWhole) {
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
        Zuno::TextMailbox box(Zuno::kWaitingBytes, Zuno::kWaitingTexts);
        for (int i = 0; i < c.texts; ++i)
            box.put(Box::Outbox, std::string(c.textBytes, 'x'));
        box.putStatus(5, "end");
        EXPECT_EQ(box.dropped(Box::Outbox), 0u);
        std::deque<Zuno::TextMailbox::Letter> got;
        while (box.take({50, 5 * 1024}, got)) {
        }
        EXPECT_EQ(got.size(), std::size_t(c.texts + 1));
        // One text more is a flood: the oldest goes, counted.
        Zuno::TextMailbox full(Zuno::kWaitingBytes, Zuno::kWaitingTexts);
        for (int i = 0; i <= c.texts; ++i)
            full.put(Box::Outbox, std::string(c.textBytes, 'x'));
        EXPECT_EQ(full.dropped(Box::Outbox), 1u);
    }
}

// A pane is emptied before a batch only when it holds more than its limit of
// blocks or of characters; at the limit it is kept.
TEST(PaneBatch, EmptiesAPanePastEitherLimitOnly) {
    const Zuno::PaneLimits limits{4, 100};
    const struct Case {
        int blocks, chars;
        bool clear;
    } cases[] = {
        {3, 99, false}, {4, 100, false}, {5, 100, true}, {4, 101, true}, {1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.blocks) + " blocks, " + std::to_string(c.chars) + " characters");
        for (auto where : {Zuno::PaneBatch::AtStart, Zuno::PaneBatch::AtEnd})
            EXPECT_EQ(Zuno::PaneBatch(where, {c.blocks, c.chars, false}, limits).clearFirst(), c.clear);
    }
    // An emptied input box starts the batch's first text on its first line.
    Zuno::PaneBatch emptied(Zuno::PaneBatch::AtEnd, {5, 10, false}, limits);
    emptied.add("a");
    EXPECT_EQ(emptied.text(), QString("a"));
    Zuno::PaneBatch kept(Zuno::PaneBatch::AtEnd, {4, 10, false}, limits);
    kept.add("a");
    EXPECT_EQ(kept.text(), QString("\na"));
}

Letter text(Box box, const std::string& t, uint64_t notShown = 0) { return Letter{box, t, 0, notShown}; }
Letter status(int s, const std::string& note = std::string()) { return Letter{Box::Status, note, s, 0}; }

// A slice goes into the panes as runs: each pane's texts joined as they
// would go in one by one (the input box's each on a line of its own, the
// report pane's newest on top), what the mailbox dropped said in the report
// pane in its place, and each status after the texts before it.
TEST(JoinSlice, JoinsEachPanesTextsUpToEachStatus) {
    std::deque<Letter> letters{
        text(Box::Inbox, "78 78 01"),      text(Box::Outbox, "block 1\n"), text(Box::Inbox, "78 78 02\n"),
        text(Box::Outbox, "", 3),          text(Box::Outbox, "block 2\n"), status(2),
        text(Box::Inbox, "", 7),           text(Box::Inbox, "78 78 03\n"), status(5, "ended"),
        status(5),                         text(Box::Outbox, "block 3\n"),
    };
    const std::vector<Zuno::MailRun> runs = Zuno::joinSlice(letters);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].inbox, QString("78 78 01\n78 78 02\n"));
    EXPECT_EQ(runs[0].outbox, "block 2\n" + Zuno::notShownNotice(3) + "block 1\n");
    EXPECT_TRUE(runs[0].endsInStatus);
    EXPECT_EQ(runs[0].status, 2);
    EXPECT_EQ(runs[1].inbox, QString("78 78 03\n"));
    EXPECT_EQ(runs[1].outbox, Zuno::inboxNotShownNotice(7));
    EXPECT_EQ(runs[1].status, 5);
    EXPECT_EQ(runs[1].note, "ended");
    EXPECT_EQ(runs[2].inbox + runs[2].outbox, QString());
    EXPECT_TRUE(runs[2].endsInStatus);
    EXPECT_EQ(runs[3].outbox, QString("block 3\n"));
    EXPECT_FALSE(runs[3].endsInStatus);

    EXPECT_TRUE(Zuno::joinSlice({}).empty());
}

} // namespace
