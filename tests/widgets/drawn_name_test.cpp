// Names drawn cut past a bound, whole (as far as a screen holds) in their
// tool tips: at the bounds, one below and one above, counting what stays.
#include <gtest/gtest.h>

#include <algorithm>

#include <QString>
#include <QStringList>

#include "widgets/drawn_name.h"

namespace {

const QString kEllipsis = QStringLiteral("…");

// `count` characters, the digits 0 to 9 over and over.
QString digits(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar('0' + i % 10);
    return text;
}

struct NameCase {
    const char* name;
    int length;
    int drawn; // characters of the name drawn; the whole name when equal to length
};

class DrawnNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(DrawnNameTest, CutPastTheBound) {
    const NameCase& c = GetParam();
    const QString name = digits(c.length);
    const QString shown = drawn::name(name);
    if (c.drawn == c.length) {
        EXPECT_EQ(shown, name);
        EXPECT_TRUE(drawn::nameTip(name).isEmpty());
        return;
    }
    EXPECT_EQ(shown, name.left(c.drawn) + kEllipsis);
    // The tip: the name in lines of 64, up to 2048 characters.
    const QString tip = drawn::nameTip(name);
    const QStringList lines = tip.split('\n');
    const int kept = std::min(c.length, drawn::kTipChars);
    EXPECT_EQ(lines.size(), (kept + drawn::kTipLineChars - 1) / drawn::kTipLineChars);
    for (int i = 0; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), drawn::kTipLineChars);
    const QString whole = QString(tip).remove('\n');
    if (c.length <= drawn::kTipChars)
        EXPECT_EQ(whole, name);
    else
        EXPECT_EQ(whole, name.left(drawn::kTipChars) + kEllipsis);
}

INSTANTIATE_TEST_SUITE_P(Names, DrawnNameTest,
                         ::testing::Values(NameCase{"empty", 0, 0}, NameCase{"below", 255, 255},
                                           NameCase{"at", 256, 256}, NameCase{"above", 257, 256},
                                           NameCase{"tip_below", 2047, 256}, NameCase{"tip_at", 2048, 256},
                                           NameCase{"tip_above", 2049, 256}, NameCase{"one_MB", 1 << 20, 256}),
                         [](const auto& info) { return std::string(info.param.name); });

// A text's tip, short texts too: whole, in lines of 64.
TEST(DrawnName, TextTipInLines) {
    EXPECT_EQ(drawn::textTip(QString()), QString());
    EXPECT_EQ(drawn::textTip(digits(drawn::kTipLineChars - 1)), digits(drawn::kTipLineChars - 1));
    EXPECT_EQ(drawn::textTip(digits(drawn::kTipLineChars)), digits(drawn::kTipLineChars));
    EXPECT_EQ(drawn::textTip(digits(drawn::kTipLineChars + 1)), digits(drawn::kTipLineChars) + "\n" + digits(drawn::kTipLineChars + 1).right(1));
    EXPECT_EQ(drawn::textTip(digits(drawn::kNameChars + 1)), drawn::nameTip(digits(drawn::kNameChars + 1)));
}

// A character outside the 16-bit range is drawn whole or not at all.
TEST(DrawnName, NeverSplitsASurrogatePair) {
    const QString face = QString::fromUcs4(U"\U0001F600");
    ASSERT_EQ(face.size(), 2);
    // The pair at characters 255 and 256: the name drawn stops before it.
    const QString name = digits(drawn::kNameChars - 1) + face + digits(10);
    EXPECT_EQ(drawn::name(name), digits(drawn::kNameChars - 1) + kEllipsis);
    // In the tip, a pair across a line's end goes to the next line whole.
    const QString across = digits(drawn::kTipLineChars - 1) + face + digits(drawn::kNameChars);
    const QStringList lines = drawn::nameTip(across).split('\n');
    EXPECT_EQ(lines[0], digits(drawn::kTipLineChars - 1));
    EXPECT_TRUE(lines[1].startsWith(face));
    EXPECT_EQ(drawn::nameTip(across).remove('\n'), across);
}

} // namespace
