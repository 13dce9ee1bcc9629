// The 64-bit spin box's arithmetic and text rules.
#include <gtest/gtest.h>

#include <limits>

#include "widgets/spin_math.h"

namespace {

constexpr qlonglong kMin = std::numeric_limits<qlonglong>::min();
constexpr qlonglong kMax = std::numeric_limits<qlonglong>::max();

struct StepCase {
    const char* name;
    qlonglong value;
    int steps;
    qlonglong singleStep;
    qlonglong minimum, maximum;
    qlonglong plain, wrapped;
};

class StepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTest, ClampsOrWraps) {
    const StepCase& c = GetParam();
    EXPECT_EQ(spin64::step(c.value, c.steps, c.singleStep, c.minimum, c.maximum, false), c.plain);
    EXPECT_EQ(spin64::step(c.value, c.steps, c.singleStep, c.minimum, c.maximum, true), c.wrapped);
}

const StepCase kSteps[] = {
    {"inside", 3, 2, 1, 0, 10, 5, 5},
    {"atMaxUp", 10, 1, 1, 0, 10, 10, 0},
    {"atMinDown", 0, -1, 1, 0, 10, 0, 10},
    {"pastMaxFromInside", 9, 5, 1, 0, 10, 10, 10},
    {"pastMinFromInside", 2, -5, 1, 0, 10, 0, 0},
    {"int64MaxUp", kMax, 1, 1, kMin, kMax, kMax, kMin},
    {"int64MinDown", kMin, -1, 1, kMin, kMax, kMin, kMax},
    {"hugeStepUp", 0, std::numeric_limits<int>::max(), kMax, kMin, kMax, kMax, kMax},
    {"hugeStepDown", 0, std::numeric_limits<int>::min(), kMax, kMin, kMax, kMin, kMin},
    {"nearMaxUp", kMax - 1, 3, 1, kMin, kMax, kMax, kMax},
    {"minAboveMax", 5, 1, 1, 8, 3, 8, 8},
};

INSTANTIATE_TEST_SUITE_P(Spin, StepTest, ::testing::ValuesIn(kSteps),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpinClamp, TheMinimumWinsOverALowerMaximum) {
    EXPECT_EQ(spin64::clamp(20, 0, 10), 10);
    EXPECT_EQ(spin64::clamp(-3, 0, 10), 0);
    EXPECT_EQ(spin64::clamp(5, 8, 3), 8);
    EXPECT_EQ(spin64::clamp(kMax, kMin, kMax), kMax);
}

TEST(SpinParse, ReadsOnlyWholeSigned64BitNumbers) {
    EXPECT_EQ(spin64::parseNumber("9223372036854775807"), kMax);
    EXPECT_EQ(spin64::parseNumber("-9223372036854775808"), kMin);
    EXPECT_EQ(spin64::parseNumber("9223372036854775808"), std::nullopt);
    EXPECT_EQ(spin64::parseNumber("-9223372036854775809"), std::nullopt);
    EXPECT_EQ(spin64::parseNumber("12km"), std::nullopt);
    EXPECT_EQ(spin64::parseNumber(""), std::nullopt);
    EXPECT_EQ(spin64::parseNumber("0x10"), std::nullopt);
}

struct ValidateCase {
    const char* name;
    const char* input;
    const char* prefix;
    const char* suffix;
    qlonglong maximum;
    QValidator::State state;
    const char* after; // the input as validate leaves it
    int pos;           // from 1
};

class ValidateTest : public ::testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateTest, AcceptsOrRefuses) {
    const ValidateCase& c = GetParam();
    QString input = QString::fromUtf8(c.input);
    int pos = 1;
    EXPECT_EQ(spin64::validate(input, pos, c.prefix, c.suffix, c.maximum), c.state);
    EXPECT_EQ(input, QString::fromUtf8(c.after));
    EXPECT_EQ(pos, c.pos);
}

const ValidateCase kValidate[] = {
    {"bareNumberGetsTheTexts", "12", "<", "km", kMax, QValidator::Acceptable, "<12km", 2},
    {"emptyGetsTheTexts", "", "", "km", kMax, QValidator::Acceptable, "km", 1},
    {"numberWithTexts", "12km", "", "km", kMax, QValidator::Acceptable, "12km", 1},
    {"onlyTheTexts", "km", "", "km", kMax, QValidator::Acceptable, "km", 1},
    {"suffixLetterDeleted", "12k", "", "km", kMax, QValidator::Invalid, "12k", 1},
    {"prefixMissing", "x12", "<", "", kMax, QValidator::Invalid, "x12", 1},
    {"notANumber", "1a2km", "", "km", kMax, QValidator::Invalid, "1a2km", 1},
    {"aboveTheMaximum", "701", "", "", 700, QValidator::Invalid, "701", 1},
    {"aboveTheMaximumWithSuffix", "701km", "", "km", 700, QValidator::Invalid, "701km", 1},
    {"atTheMaximum", "700km", "", "km", 700, QValidator::Acceptable, "700km", 1},
    {"belowTheMinimumIsTyped", "-5", "", "", 700, QValidator::Acceptable, "-5", 1},
    {"beyond64Bits", "9223372036854775808", "", "", kMax, QValidator::Invalid, "9223372036854775808", 1},
    {"textsOverlap", "k", "k", "k", kMax, QValidator::Invalid, "k", 1},
    // A suffix of digits: a text that already ends with it keeps it once.
    {"digitSuffixShown", "125", "", "5", kMax, QValidator::Acceptable, "125", 1},
    {"digitSuffixBareNumber", "12", "", "5", kMax, QValidator::Acceptable, "125", 1},
    {"digitSuffixAlone", "5", "", "5", kMax, QValidator::Acceptable, "5", 1},
    {"digitSuffixAboveTheMaximum", "7015", "", "5", 700, QValidator::Invalid, "7015", 1},
    {"digitPrefixShown", "912", "9", "", kMax, QValidator::Acceptable, "912", 1},
};

INSTANTIATE_TEST_SUITE_P(Spin, ValidateTest, ::testing::ValuesIn(kValidate),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpinCommit, TakesTheNumberBetweenTheTextsOrNothing) {
    EXPECT_EQ(spin64::committedNumber("7km", "", "km"), 7);
    EXPECT_EQ(spin64::committedNumber("<7km", "<", "km"), 7);
    EXPECT_EQ(spin64::committedNumber("42", "<", "km"), 42);
    EXPECT_EQ(spin64::committedNumber("km", "", "km"), std::nullopt);
    EXPECT_EQ(spin64::committedNumber("7k", "", "km"), std::nullopt);
    EXPECT_EQ(spin64::committedNumber("7", "7", "7"), 7);
    EXPECT_EQ(spin64::committedNumber("77", "7", "7"), 77);
    EXPECT_EQ(spin64::committedNumber("xkm", "", "km"), std::nullopt);
    // Texts of digits: the number between them, not the whole text.
    EXPECT_EQ(spin64::committedNumber("125", "", "5"), 12);
    EXPECT_EQ(spin64::committedNumber("912", "9", ""), 12);
    EXPECT_EQ(spin64::committedNumber("-125", "", "5"), -12);
    EXPECT_EQ(spin64::committedNumber("7", "", "5"), 7);
}

} // namespace
