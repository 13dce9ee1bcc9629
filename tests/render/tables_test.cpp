// Description tables: lookups, whole copies, the battery curve and reading
// them from two threads at once.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "protocol/message.h"
#include "render/tables.h"

// ctest also runs this test alone (render_tables_first_use), where both
// threads race for the very first construction of every table.
TEST(Tables, FirstLookupsFromTwoThreadsAtOnce) {
    std::atomic<int> ready{0};
    std::atomic<int> wrong{0};
    const auto work = [&] {
        ++ready;
        while (ready.load() < 2) {
        }
        for (int i = 0; i < 200; ++i) {
            if (Zuno::alarmName(0x2C) != "车辆翻转报警") ++wrong;
            if (Zuno::deviceTypeName(0x2006) != "PD19") ++wrong;
            if (Zuno::powerLevelName(0xFF) != "未知状态") ++wrong;
            if (Zuno::signalLevelName(4) != "信号强") ++wrong;
            if (Zuno::postModelName(0x1C) != "惯性导航") ++wrong;
            if (Zuno::postStatusName(1) != "补传") ++wrong;
            if (Zuno::batteryPercent(377) != 35) ++wrong;
            if (Zuno::alarmName(0x50) != "") ++wrong;
            if (Zuno::alarmNameMap().size() != 79) ++wrong;
            if (Zuno::deviceTypeNameMap().size() != 75) ++wrong;
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(Tables, LookupsByExactCode) {
    struct Case {
        const char* table;
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {"alarm", Zuno::alarmName(0x2C), "车辆翻转报警"},
        {"alarm", Zuno::alarmName(0x02), "断电报警"},
        {"alarm", Zuno::alarmName(0x88), "断电报警"},
        {"alarm", Zuno::alarmName(0xA2), "内部低电报警"},
        {"alarm", Zuno::alarmName(0xA3), "内部低电报警"},
        {"alarm", Zuno::alarmName(0x1B), "疑似离群报警(Vesk)"},
        {"alarm", Zuno::alarmName(0xFF), "ACC关"},
        {"alarm", Zuno::alarmName(0x07), ""},
        {"alarm", Zuno::alarmName(0xFD), ""},
        {"device", Zuno::deviceTypeName(0x2006), "PD19"},
        {"device", Zuno::deviceTypeName(0x2203), "VS16"},
        {"device", Zuno::deviceTypeName(0x3004), "PD17（KR43 KR29 PD17）"},
        {"device", Zuno::deviceTypeName(0xFFFF), "未知"},
        {"device", Zuno::deviceTypeName(0x0000), ""},
        {"device", Zuno::deviceTypeName(0x1007), ""},
        {"device", Zuno::deviceTypeName(0x8001), ""},
        {"power", Zuno::powerLevelName(0), "无电(关机)"},
        {"power", Zuno::powerLevelName(6), "电量极高"},
        {"power", Zuno::powerLevelName(7), ""},
        {"power", Zuno::powerLevelName(0xFF), "未知状态"},
        {"signal", Zuno::signalLevelName(0), "无信号"},
        {"signal", Zuno::signalLevelName(5), ""},
        {"signal", Zuno::signalLevelName(0xFF), "未知状态"},
        {"post model", Zuno::postModelName(0x04), "从运动变为静止状态后，补传最后一个定位点"},
        {"post model", Zuno::postModelName(0x1D), ""},
        {"post model", Zuno::postModelName(0xFF), "未知"},
        {"post status", Zuno::postStatusName(5), "补传03"},
        {"post status", Zuno::postStatusName(6), ""},
        {"post status", Zuno::postStatusName(0xFF), "未知"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.table;

    // The message's own accessors answer the same.
    const Zuno::ZunoMSG m;
    EXPECT_EQ(m.alarmName(0x01), "SOS求救");
    EXPECT_EQ(m.deviceTypeName(0x7000), "KR33");
    EXPECT_EQ(m.powerLevelName(4), "电量中");
    EXPECT_EQ(m.signalLevelName(3), "信号良好");
    EXPECT_EQ(m.postModelName(0), "定时上报");
    EXPECT_EQ(m.postStatusName(0), "实时上传");
}

TEST(Tables, WholeCopiesInAscendingOrderAndLookupsNeverInsert) {
    for (unsigned code = 0; code < 256; ++code) Zuno::alarmName(static_cast<uint8_t>(code));
    for (unsigned code = 0; code < 0x10000; code += 7) Zuno::deviceTypeName(static_cast<uint16_t>(code));

    const auto alarms = Zuno::ZunoMSG::alarmNameMap();
    ASSERT_EQ(alarms.size(), 79u);
    EXPECT_EQ(alarms.begin()->first, 0x00);
    EXPECT_EQ(alarms.rbegin()->first, 0xFF);
    EXPECT_EQ(alarms.count(0x50), 0u);

    const auto devices = Zuno::ZunoMSG::deviceTypeNameMap();
    ASSERT_EQ(devices.size(), 75u);
    EXPECT_EQ(devices.begin()->first, 0x1004);
    std::vector<uint16_t> last;
    for (auto it = devices.rbegin(); it != devices.rend() && last.size() < 3; ++it) last.insert(last.begin(), it->first);
    EXPECT_EQ(last, (std::vector<uint16_t>{0x8000, 0x8004, 0xFFFF}));

    // A copy is the caller's own.
    auto mine = Zuno::alarmNameMap();
    mine[0x50] = "x";
    EXPECT_EQ(Zuno::alarmNameMap().size(), 79u);
}

TEST(BatteryPercent, RowAtOrBelowTheVoltage) {
    const struct {
        uint16_t voltage;
        unsigned percent;
    } cases[] = {
        {0, 0},    {300, 0},   {364, 0},  {365, 0},   {366, 2},   {376, 35},   {377, 35},
        {378, 40}, {401, 81},  {417, 99}, {418, 99},  {419, 99},  {420, 100},  {65535, 100},
    };
    for (const auto& c : cases) EXPECT_EQ(Zuno::batteryPercent(c.voltage), c.percent) << c.voltage;
}
