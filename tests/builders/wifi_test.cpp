// WiFi builders: the access-point slots and required fields.

#include <gtest/gtest.h>

#include "model_text.h"
#include "protocol/wifi.h"

using bt::Pairs;

namespace {
const Pairs& kRequired = bt::cellReportRequired();
Pairs plus(const Pairs& base, const Pairs& more) { return bt::join({base, more}); }
using Entries = Zuno::WifiList;
} // namespace

TEST(WifiBuilders, AccessPointSlots) {
    struct Case { const char* why; Pairs slots; bool builds; Entries entries; };
    const Case cases[] = {
        {"none", {}, true, {}},
        {"dashes", {{"WiFiMAC地址0", "C8-3A-35-12-34-56"}, {"Wifi强度0", "70"}}, true, {{0xC83A35123456ull, 70}}},
        {"no dashes", {{"WiFiMAC地址0", "c83a35123456"}, {"Wifi强度0", "70"}}, true, {{0xC83A35123456ull, 70}}},
        {"slot 1 only", {{"WiFiMAC地址1", "AABB"}}, true, {{0xAABB00000000ull, 0}}},
        {"strength without MAC", {{"Wifi强度0", "70"}}, true, {}},
        {"zero MAC", {{"WiFiMAC地址2", "000000000000"}, {"Wifi强度2", "9"}}, true, {}},
        {"gap", {{"WiFiMAC地址0", "01"}, {"WiFiMAC地址2", "02"}, {"Wifi强度2", "5"}}, true,
         {{0x010000000000ull, 0}, {0x020000000000ull, 5}}},
        {"13 digits", {{"WiFiMAC地址0", "C83A351234567"}}, false, {}},
        {"colons", {{"WiFiMAC地址0", "C8:3A:35:12:34:56"}}, false, {}},
        {"strength abc", {{"Wifi强度0", "abc"}}, false, {}},
    };
    for (const Case& c : cases) {
        auto w2c = bt::build<Zuno::ZunoWifiLoc2C>(0x2C, plus(kRequired, c.slots));
        auto wa2 = bt::build<Zuno::ZunoWifiInfoA2>(0xA2, plus(kRequired, c.slots));
        auto wc3 = bt::build<Zuno::ZunoWifiLocC3>(0xC3, plus({{"日期时间", "2019-01-02 03:04:05"}}, c.slots));
        EXPECT_EQ(w2c != nullptr, c.builds) << c.why;
        EXPECT_EQ(wa2 != nullptr, c.builds) << c.why;
        EXPECT_EQ(wc3 != nullptr, c.builds) << c.why;
        if (!c.builds || !w2c || !wa2 || !wc3) continue;
        EXPECT_EQ(w2c->wifiArray, c.entries) << c.why;
        EXPECT_EQ(wa2->wifiArray, c.entries) << c.why;
        EXPECT_EQ(wc3->wifiArray, c.entries) << c.why;
    }
}

TEST(WifiBuilders, RequiredFieldsAndWidths) {
    EXPECT_EQ(buildMessage(0x2C, bt::modelText(plus(kRequired, {}))) != nullptr, true);
    const Pairs noRssi = {{"日期时间", "2019-01-02 03:04:05"}, {"MCC", "460"}, {"LAC0", "1"}, {"小区ID0", "1"}};
    EXPECT_EQ(buildMessage(0x2C, bt::modelText(noRssi)), nullptr);
    EXPECT_EQ(buildMessage(0xA2, bt::modelText(noRssi)), nullptr);
    EXPECT_EQ(buildMessage(0xC3, bt::modelText({{"纬度", "1"}, {"WiFiMAC地址0", "AA"}})), nullptr);

    auto wa2 = bt::build<Zuno::ZunoWifiInfoA2>(0xA2, plus(kRequired, {{"MNC", "300"}, {"时间提前量", "7"}}));
    ASSERT_NE(wa2, nullptr);
    EXPECT_EQ(wa2->MNC, 300);
    EXPECT_EQ(wa2->timeOffset, 7);
    EXPECT_EQ(wa2->command, 0xA2);

    auto wc3 = bt::build<Zuno::ZunoWifiLocC3>(0xC3, {{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}, {"速度", "x"}});
    ASSERT_NE(wc3, nullptr) << "0xC3 has no speed label";
    EXPECT_EQ(wc3->satellites, 12);
}
