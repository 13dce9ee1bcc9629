// How the check list sums up its items.
#include <gtest/gtest.h>

#include "widgets/check_list.h"

namespace {

using checklist::Row;

struct SummaryCase {
    const char* name;
    QVector<Row> rows;
    checklist::Overall state;
    const char* text;
};

class SummaryTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryTest, StateAndText) {
    const SummaryCase& c = GetParam();
    EXPECT_EQ(checklist::overallState(c.rows), c.state);
    EXPECT_EQ(checklist::summaryText(c.rows, "none", "all", "unknown"), QString::fromUtf8(c.text));
}

const SummaryCase kSummary[] = {
    {"empty", {}, checklist::Unknown, "unknown"},
    {"noneTicked", {{"P", 0}, {"Q", 0}}, checklist::None, "none"},
    {"oneTicked", {{"P", 0}, {"Q", 2}, {"R", 0}}, checklist::Some, "Q"},
    {"twoTicked", {{"P", 0}, {"Q", 2}, {"R", 2}}, checklist::Some, "Q, R"},
    {"allTicked", {{"P", 2}, {"Q", 2}}, checklist::All, "all"},
    {"partly", {{"P", 2}, {"Q", 1}}, checklist::Unknown, "unknown"},
    {"otherState", {{"P", 0}, {"Q", 7}}, checklist::Unknown, "unknown"},
    {"chinese", {{"设防", 2}, {"撤防", 0}}, checklist::Some, "设防"},
};

INSTANTIATE_TEST_SUITE_P(CheckList, SummaryTest, ::testing::ValuesIn(kSummary),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
