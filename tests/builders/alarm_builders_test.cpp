// Alarm builders: model texts into the frames worked out by hand, required
// fields, starting values and the 0x95 layouts.

#include <gtest/gtest.h>

#include "frame_text.h"
#include "model_text.h"
#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"

using bt::Pairs;

namespace {

// 22.5 degrees north, 114 degrees east, located, course 306 (0x1532).
Pairs gpsAlarm(const std::string& mcc, const std::string& mnc) {
    return {{"日期时间", "2019-01-15 08:30:00"}, {"卫星数", "5"},        {"纬度", "22500000"},
            {"经度", "114000000"},               {"速度", "60"},         {"航向/状态", "5426"},
            {"MCC", mcc},                        {"MNC", mnc},           {"LAC", "10365"},
            {"小区ID", "8049"}};
}

Pairs with(Pairs base, const Pairs& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

Pairs without(Pairs base, const std::string& label) {
    Pairs out;
    for (const auto& p : base)
        if (p.first != label) out.push_back(p);
    return out;
}

const Pairs kStatus = {{"终端信息", "70"}, {"电压等级", "4"}, {"GSM信号", "3"}};

} // namespace

TEST(AlarmBuilders, ModelsBuildTheFramesWorkedOutByHand) {
    struct Case {
        const char* what;
        uint8_t protocol;
        Pairs model;
        const char* frame;
    };
    const Pairs status = with(kStatus, {{"告警语言", "513"}}); // alarm 2, language 1
    const Case cases[] = {
        {"0x16", 0x16, with(with(gpsAlarm("460", "1"), kStatus), {{"告警语言", "258"}}),
         "78 78 24 16 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 3B 1A 80 3C 15 32 01 CC 01 28 7D 00 1F 71 46 04 03 01 02 "
         "00 00 7E A8 0D 0A"},
        // No levels given: both go out as 0xFF. MNC keeps its low byte; the
        // LBS length counts the one-byte MNC that 0x26 sends.
        {"0x26 with mileage", 0x26, with(gpsAlarm("33228", "300"), {{"告警语言", "513"}, {"里程", "700"}}),
         "78 78 29 26 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 3B 1A 80 3C 15 32 09 81 CC 2C 28 7D 00 1F 71 00 FF FF 02 01 "
         "00 00 02 BC 00 00 56 D6 0D 0A"},
        {"0x27 fence and mileage", 0x27, with(with(gpsAlarm("33228", "300"), status), {{"围栏编号", "3"}, {"里程", "700"}}),
         "78 78 2A 27 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 3B 1A 80 3C 15 32 09 81 CC 2C 28 7D 00 1F 71 46 04 03 02 01 "
         "03 00 00 02 BC 00 00 32 A4 0D 0A"},
        {"0xA3 two-byte MNC", 0xA3, with(gpsAlarm("33228", "300"), status),
         "78 78 26 A3 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 3B 1A 80 3C 15 32 0A 81 CC 01 2C 28 7D 00 1F 71 46 04 03 02 "
         "01 00 00 27 AB 0D 0A"},
        // 0xA4 has no mileage: "里程" is no label of it.
        {"0xA4 fence", 0xA4, with(with(gpsAlarm("460", "300"), status), {{"围栏编号", "3"}, {"里程", "700"}}),
         "78 78 26 A4 13 01 0F 08 1E 00 C5 02 69 FB 20 0C 3B 1A 80 3C 15 32 09 01 CC 2C 28 7D 00 1F 71 46 04 03 02 01 "
         "03 00 00 27 AF 0D 0A"},
        {"0xA5 cell only", 0xA5, {{"MCC", "460"}, {"LAC", "10365"}, {"小区ID", "8049"}},
         "78 78 12 A5 01 CC 00 28 7D 00 1F 71 00 FF FF 00 00 00 00 18 36 0D 0A"},
        {"0x95 both parts", 0x95,
         {{"日期时间", "2019-01-15 08:30:00"}, {"GPS存在", "1"}, {"纬度", "22500000"}, {"经度", "114000000"},
          {"航向/状态", "5426"}, {"告警类型", "5"}, {"有告警值", "1"}, {"告警值", "1234"}},
         "78 78 18 95 13 01 0F 08 1E 00 02 69 FB 20 0C 3B 1A 80 15 32 05 04 D2 00 00 50 36 0D 0A"},
        // "GPS存在" of 2 is no set flag: the position given is dropped.
        {"0x95 flags not 1", 0x95,
         {{"日期时间", "2019-01-15 08:30:00"}, {"GPS存在", "2"}, {"纬度", "22500000"}, {"经度", "114000000"},
          {"告警类型", "5"}, {"有告警值", "256"}, {"告警值", "1234"}},
         "78 78 0C 95 13 01 0F 08 1E 00 05 00 00 7D F1 0D 0A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(bt::frameOf(buildMessage(c.protocol, bt::modelText(c.model))), c.frame);
    }
}

TEST(AlarmBuilders, RequiredFields) {
    const Pairs full = with(gpsAlarm("460", "1"), kStatus);
    struct Case {
        const char* what;
        Pairs model;
        bool builds;
    };
    const Case cases[] = {
        {"complete", full, true},
        {"no date-time", without(full, "日期时间"), false},
        {"empty date-time", with(without(full, "日期时间"), {{"日期时间", ""}}), false},
        {"no satellites", without(full, "卫星数"), false},
        {"64 satellites store 0", with(without(full, "卫星数"), {{"卫星数", "64"}}), false},
        {"no MCC", without(full, "MCC"), false},
        {"no LAC", without(full, "LAC"), false},
        {"no cell id", without(full, "小区ID"), false},
        {"position is not required", without(without(full, "纬度"), "经度"), true},
        {"MCC not a number", with(without(full, "MCC"), {{"MCC", "abc"}}), false},
    };
    for (uint8_t protocol : {0x16, 0x26, 0x27, 0xA3, 0xA4}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << std::hex << int(protocol) << " " << c.what);
            EXPECT_EQ(buildMessage(protocol, bt::modelText(c.model)) != nullptr, c.builds);
        }
    }
    EXPECT_EQ(buildMessage(0xA5, bt::modelText({{"MCC", "460"}, {"LAC", "1"}})), nullptr);
    EXPECT_EQ(buildMessage(0xA5, bt::modelText({})), nullptr);
    // No builder makes the 0x19 alarm.
    EXPECT_EQ(buildMessage(0x19, bt::modelText(with(full, {{"告警语言", "258"}}))), nullptr);
}

TEST(AlarmBuilders, FieldsAndStartingValues) {
    auto a16 = bt::build<Zuno::ZunoAlert16>(0x16, gpsAlarm("460", "300"));
    ASSERT_TRUE(a16);
    EXPECT_EQ(a16->powerLevel, 0xFF);
    EXPECT_EQ(a16->signalLevel, 0xFF);
    EXPECT_EQ(a16->MNC, 44);
    EXPECT_EQ(a16->latitude, 40500000u);

    // The key "LAC0" of the cell models matches the label "LAC".
    auto a26 = bt::build<Zuno::ZunoAlert26>(
        0x26, with(without(gpsAlarm("460", "1"), "LAC"), {{"LAC0", "77"}, {"告警语言", "513"}}));
    ASSERT_TRUE(a26);
    EXPECT_EQ(a26->LAC, 77);
    EXPECT_EQ(a26->AlertAndLang.alert, 2);
    EXPECT_EQ(a26->AlertAndLang.language, 1);
    EXPECT_EQ(a26->lbsLength, 9);

    // The LBS length is the one the encoder writes: 10 only with a two-byte MNC.
    struct Lbs {
        uint8_t protocol;
        const char* mcc;
        uint8_t lbsLength;
    };
    for (const auto& c : {Lbs{0x26, "33228", 9}, Lbs{0x27, "33228", 9}, Lbs{0xA3, "33228", 10},
                          Lbs{0xA4, "33228", 10}, Lbs{0x27, "460", 9}, Lbs{0xA3, "460", 9}}) {
        SCOPED_TRACE(testing::Message() << std::hex << int(c.protocol) << " " << c.mcc);
        auto m = buildMessage(c.protocol, bt::modelText(gpsAlarm(c.mcc, "1")));
        ASSERT_TRUE(m);
        std::vector<uint8_t> out;
        ASSERT_EQ(m->encode(out), 0);
        EXPECT_EQ(out[4 + 18], c.lbsLength);
        uint8_t built = 0;
        if (auto p = std::dynamic_pointer_cast<Zuno::ZunoAlert27>(m)) built = p->lbsLength;
        if (auto p = std::dynamic_pointer_cast<Zuno::ZunoAlert26>(m)) built = p->lbsLength;
        if (auto p = std::dynamic_pointer_cast<Zuno::ZunoAlertA3>(m)) built = p->lbsLength;
        if (auto p = std::dynamic_pointer_cast<Zuno::ZunoAlertA4>(m)) built = p->lbsLength;
        EXPECT_EQ(built, c.lbsLength);
    }

    auto a5 = bt::build<Zuno::ZunoAlertA5>(0xA5, {{"MCC", "460"}, {"MNC", "300"}, {"LAC", "1"}, {"小区ID", "2"}});
    ASSERT_TRUE(a5);
    EXPECT_EQ(a5->MNC, 300);
    EXPECT_EQ(a5->powerLevel, 0xFF);
    EXPECT_EQ(a5->signalLevel, 0xFF);
    EXPECT_EQ(a5->AlertAndLang.alert, 0);
}

TEST(AlarmBuilders, Alert95EveryModelGivesAMessage) {
    auto empty = bt::build<Zuno::ZunoAlert95>(0x95, {});
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->gpsTime, 0u);
    EXPECT_EQ(empty->Alert, 0);
    EXPECT_EQ(empty->hasGps, 0);
    EXPECT_EQ(empty->hasValue, 0);

    // 257 has the low byte 1: the flag is set.
    auto kept = bt::build<Zuno::ZunoAlert95>(0x95, {{"GPS存在", "257"}, {"纬度", "22500000"}, {"航向/状态", "5426"}});
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->hasGps, 1);
    EXPECT_EQ(kept->latitude, 40500000u);
    EXPECT_EQ(kept->directStatus.direction, 306);

    auto dropped = bt::build<Zuno::ZunoAlert95>(0x95, {{"GPS存在", "256"}, {"纬度", "22500000"}, {"航向/状态", "5426"}});
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->hasGps, 0);
    EXPECT_EQ(dropped->latitude, 0u);
    EXPECT_EQ(dropped->directStatus.direction, 0);
}
