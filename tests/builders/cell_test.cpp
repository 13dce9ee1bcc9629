// Multi-cell LBS builders.

#include <gtest/gtest.h>

#include "model_text.h"
#include "protocol/lbs.h"

using bt::Pairs;

namespace {
const Pairs& kRequired = bt::cellReportRequired();
Pairs plus(const Pairs& base, const Pairs& more) { return bt::join({base, more}); }
} // namespace

TEST(CellBuilders, RequiredFields) {
    struct Case { const char* why; Pairs model; bool builds; };
    const Case cases[] = {
        {"complete", kRequired, true},
        {"LAC without digit", {{"日期时间", "2019-01-02 03:04:05"}, {"MCC", "460"}, {"LAC", "1"}, {"小区ID0", "1"}, {"RSSI0", "1"}}, false},
        {"RSSI0 0", {{"日期时间", "2019-01-02 03:04:05"}, {"MCC", "460"}, {"LAC0", "1"}, {"小区ID0", "1"}, {"RSSI0", "0"}}, false},
        {"no MCC", {{"日期时间", "2019-01-02 03:04:05"}, {"LAC0", "1"}, {"小区ID0", "1"}, {"RSSI0", "1"}}, false},
        {"RSSI0 256", {{"日期时间", "2019-01-02 03:04:05"}, {"MCC", "460"}, {"LAC0", "1"}, {"小区ID0", "1"}, {"RSSI0", "256"}}, false},
        {"no date-time", {{"MCC", "460"}, {"LAC0", "1"}, {"小区ID0", "1"}, {"RSSI0", "1"}}, false},
    };
    for (uint8_t p : {0x18, 0x28, 0x2E, 0xA1}) {
        for (const Case& c : cases) {
            EXPECT_EQ(buildMessage(p, bt::modelText(c.model)) != nullptr, c.builds) << c.why << " for " << int(p);
        }
    }
}

TEST(CellBuilders, CellsLanguageAndTimingAdvance) {
    const Pairs model = plus(kRequired, {{"LAC6", "7"}, {"小区ID6", "4294967295"}, {"RSSI6", "9"},
                                         {"MNC", "300"}, {"时间提前量", "5"}, {"语言", "257"}});
    auto lbs18 = bt::build<Zuno::ZunoLbsInfo18>(0x18, model);
    auto lbs28 = bt::build<Zuno::ZunoLbsInfo28>(0x28, model);
    auto lbs2e = bt::build<Zuno::ZunoLbsInfo2E>(0x2E, model);
    ASSERT_TRUE(lbs18 && lbs28 && lbs2e);
    EXPECT_EQ(lbs18->lists[0], (Zuno::CellRecord{10173, 3959, 60}));
    for (size_t i = 1; i < 6; ++i) EXPECT_EQ(lbs18->lists[i], Zuno::CellRecord{}) << i;
    EXPECT_EQ(lbs18->lists[6], (Zuno::CellRecord{7, 4294967295u, 9}));
    EXPECT_EQ(lbs18->MNC, 300);
    EXPECT_EQ(lbs18->language, 1) << "low byte only";
    EXPECT_EQ(lbs28->timeOffset, 5);
    EXPECT_EQ(lbs2e->command, 0x2E);
    EXPECT_EQ(lbs28->command, 0x28);
    // 0x28 and 0x2E differ only in class and protocol number.
    EXPECT_EQ(lbs28->lists, lbs2e->lists);
    EXPECT_EQ(lbs28->timeOffset, lbs2e->timeOffset);
    EXPECT_EQ(lbs28->language, lbs2e->language);
}
