// GPS location builders: labels, required fields and starting values.

#include <gtest/gtest.h>

#include "model_text.h"
#include "protocol/gps.h"

using bt::Pairs;

namespace {

const Pairs kFix = {{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}};
const Pairs kCell = {{"MCC", "460"}, {"LAC", "10173"}, {"小区ID", "12345"}};

using bt::join;

} // namespace

TEST(PositionBuilders, RequiredFields) {
    struct Case { const char* why; uint8_t protocol; Pairs model; bool builds; };
    const Case cases[] = {
        {"10 complete", 0x10, join({kFix, {{"语言", "1"}}}), true},
        {"10 no language", 0x10, kFix, false},
        {"10 satellites 64 give 0", 0x10, {{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "64"}, {"语言", "1"}}, false},
        {"10 date-time empty", 0x10, {{"日期时间", ""}, {"卫星数", "12"}, {"语言", "1"}}, false},
        {"10 date-time unreadable still present", 0x10, {{"日期时间", "now"}, {"卫星数", "12"}, {"语言", "1"}}, true},
        {"12 complete", 0x12, join({kFix, kCell}), true},
        {"12 no cell id", 0x12, join({kFix, {{"MCC", "460"}, {"LAC", "1"}}}), false},
        {"12 cell id 0", 0x12, join({kFix, {{"MCC", "460"}, {"LAC", "1"}, {"小区ID", "0"}}}), false},
        {"12 no MCC", 0x12, join({kFix, {{"LAC", "1"}, {"小区ID", "1"}}}), false},
        {"12 MCC abc", 0x12, join({kFix, kCell, {{"MCC ", "abc"}}}), false},
        {"12 MCC 3000000000", 0x12, join({kFix, {{"MCC", "3000000000"}, {"LAC", "1"}, {"小区ID", "1"}}}), false},
        {"22 complete", 0x22, join({kFix, kCell}), true},
        {"24 complete", 0x24, join({kFix, kCell}), true},
        {"2D complete", 0x2D, join({kFix, kCell}), true},
        {"A0 complete", 0xA0, join({kFix, kCell}), true},
        {"22 no satellites", 0x22, join({{{"日期时间", "2019-01-02 03:04:05"}}, kCell}), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buildMessage(c.protocol, bt::modelText(c.model)) != nullptr, c.builds) << c.why;
    }
}

TEST(PositionBuilders, ConversionsIntoFields) {
    auto m = bt::build<Zuno::ZunoGpsLoc12>(
        0x12, join({kFix, kCell, {{"纬度", "-22543210"}, {"经度", "113943210"}, {"速度", "300"}, {"航向/状态", "65382"}},
                    {{"LAC0", "2"}, {"MNC", "300"}}}));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->gpsTime, 0x130102030405u);
    EXPECT_EQ(m->satellites, 0xCC);
    EXPECT_EQ(m->latitude, static_cast<uint32_t>(-40577778));
    EXPECT_EQ(m->longitude, 205097778u);
    EXPECT_EQ(m->speed, 44);
    // 65382 = 0xFF66: bits above 13 ignored, then located, west, north, course 102.
    EXPECT_EQ(m->directStatus.locationModel, 1);
    EXPECT_EQ(m->directStatus.isLocated, 1);
    EXPECT_EQ(m->directStatus.lngDirection, 1);
    EXPECT_EQ(m->directStatus.latiDirection, 1);
    EXPECT_EQ(m->directStatus.direction, 0x366 & 0x3FF);
    EXPECT_EQ(m->LAC, 2) << "LAC0 comes after LAC in key order";
    EXPECT_EQ(m->MNC, 300);
    EXPECT_EQ(m->CellID, 12345u);

    auto a0 = bt::build<Zuno::ZunoGpsLocA0>(0xA0, join({kFix, kCell, {{"MNC", "300"}}}));
    ASSERT_NE(a0, nullptr);
    EXPECT_EQ(a0->MNC, 44) << "0xA0 keeps the low byte";
}

TEST(PositionBuilders, ExtendedFieldsAndStartingValues) {
    auto unset = bt::build<Zuno::ZunoGpsLoc22>(0x22, join({kFix, kCell}));
    ASSERT_NE(unset, nullptr);
    EXPECT_EQ(unset->postModel, 0xFF);
    EXPECT_EQ(unset->postStatus, 0xFF);
    EXPECT_EQ(unset->ACC, 0);
    EXPECT_EQ(unset->duration, 0u);

    auto given = bt::build<Zuno::ZunoGpsLoc2D>(
        0x2D, join({kFix, kCell, {{"数据上报", "0"}, {"GPS实时/补传", "0"}, {"里程", "3000000000"}, {"ACC", "1"}}}));
    ASSERT_NE(given, nullptr);
    EXPECT_EQ(given->postModel, 0);
    EXPECT_EQ(given->postStatus, 0);
    EXPECT_EQ(given->duration, 3000000000u);
    EXPECT_EQ(given->ACC, 1);

    auto alt = bt::build<Zuno::ZunoGpsLoc24>(
        0x24, join({kFix, {{"MCC", "460"}, {"LAC", "1"}, {"海拔", "70000"}, {"小区ID", "4294967295"}}}));
    ASSERT_NE(alt, nullptr);
    EXPECT_EQ(alt->altitude, 4464);
    EXPECT_EQ(alt->CellID, 4294967295u);
    EXPECT_EQ(alt->postModel, 0xFF);

    auto plain = bt::build<Zuno::ZunoGpsLoc10>(0x10, join({kFix, {{"语言", "1"}, {"海拔", "5"}, {"MCC", "x"}}}));
    ASSERT_NE(plain, nullptr) << "0x10 tests neither 海拔 nor MCC";
    EXPECT_EQ(plain->language, 1);
}
