// Login, heartbeat and time-sync builders: required fields and sentinels.

#include <gtest/gtest.h>

#include "model_text.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"

using bt::Pairs;

namespace {

Pairs login(const std::string& imei, const std::string& type, const std::string& zone, const std::string& lang) {
    return {{"IMEI", imei}, {"设备类型", type}, {"时区", zone}, {"语言", lang}};
}

} // namespace

TEST(LoginBuilder, RequiredFieldsAndWhatTheEncoderRefuses) {
    struct Case { const char* why; Pairs model; bool builds; };
    const std::string imei = "0123456789012345";
    const Case cases[] = {
        {"complete", login(imei, "1", "800", "1"), true},
        {"15 digits", login("123456789012345", "1", "800", "1"), true},
        {"no IMEI", {{"设备类型", "1"}, {"时区", "800"}, {"语言", "1"}}, false},
        {"empty IMEI", login("", "1", "800", "1"), false},
        {"14 digits", login("12345678901234", "1", "800", "1"), false},
        {"17 digits", login("01234567890123456", "1", "800", "1"), false},
        {"no device type", {{"IMEI", imei}, {"时区", "800"}, {"语言", "1"}}, false},
        {"device type 65535", login(imei, "65535", "800", "1"), false},
        {"device type -1", login(imei, "-1", "800", "1"), false},
        {"no time zone", {{"IMEI", imei}, {"设备类型", "1"}, {"语言", "1"}}, false},
        {"time zone 4095", login(imei, "1", "4095", "1"), false},
        {"no language", {{"IMEI", imei}, {"设备类型", "1"}, {"时区", "800"}}, false},
        {"language 256", login(imei, "1", "800", "256"), false},
        // The language bits would be 0, which the encoder refuses.
        {"language 4", login(imei, "1", "800", "4"), false},
        {"device type abc", login(imei, "abc", "800", "1"), false},
        {"upper and lower case hexadecimal digits", login("0123456789abcDEF", "1", "800", "1"), true},
        // The encoder would send such an IMEI as other digits, or not at all.
        {"letter that is no hexadecimal digit", login("01234567890123G5", "1", "800", "1"), false},
        {"15 digits and a trailing blank", login("123456789012345 ", "1", "800", "1"), false},
        {"15 digits and a leading blank", login(" 123456789012345", "1", "800", "1"), false},
        {"blank inside", login("1234567 89012345", "1", "800", "1"), false},
        {"trailing line feed", login("123456789012345\n", "1", "800", "1"), false},
        {"full-width digit", login("123456789012５", "1", "800", "1"), false},
    };
    for (const Case& c : cases) {
        auto m = bt::build<Zuno::ZunoLogin>(0x01, c.model);
        EXPECT_EQ(m != nullptr, c.builds) << c.why;
        if (m) {
            std::vector<uint8_t> out;
            EXPECT_EQ(m->encode(out), 0) << c.why << ": every built login encodes";
        }
    }
}

TEST(LoginBuilder, FieldsAndTimeZoneLanguageWord) {
    struct Case { const char* zone; const char* lang; uint16_t timeZone; uint8_t language; };
    const Case cases[] = {
        {"800", "1", 800, 1}, {"800", "2", 800, 2}, {"800", "3", 800, 3},
        {"8191", "1", 0x0FFF, 1}, {"-480", "5", (-480) & 0x0FFF, 1},
    };
    for (const Case& c : cases) {
        auto m = bt::build<Zuno::ZunoLogin>(0x01, login("123456789012345", "8198", c.zone, c.lang));
        ASSERT_NE(m, nullptr) << c.zone << " " << c.lang;
        EXPECT_EQ(m->imei, "123456789012345");
        EXPECT_EQ(m->type, 0x2006);
        EXPECT_EQ(m->TimeZoneAndLanguage.timeZone, c.timeZone);
        EXPECT_EQ(m->TimeZoneAndLanguage.language, c.language);
        EXPECT_EQ(m->TimeZoneAndLanguage.westZone, 0);
    }
}

TEST(PingBuilders, LevelsNotGivenAreRefused) {
    struct Case { const char* why; uint8_t protocol; Pairs model; bool builds; };
    const Case cases[] = {
        {"13 complete", 0x13, {{"电压等级", "4"}, {"GSM信号", "3"}, {"语言", "1"}}, true},
        {"13 no voltage level", 0x13, {{"GSM信号", "3"}, {"语言", "1"}}, false},
        {"13 voltage level 255", 0x13, {{"电压等级", "255"}, {"GSM信号", "3"}, {"语言", "1"}}, false},
        {"13 label 电压 is not 电压等级", 0x13, {{"电压", "4"}, {"GSM信号", "3"}, {"语言", "1"}}, false},
        {"13 no signal", 0x13, {{"电压等级", "4"}, {"语言", "1"}}, false},
        {"13 no language", 0x13, {{"电压等级", "4"}, {"GSM信号", "3"}}, false},
        {"23 complete", 0x23, {{"电压", "420"}, {"GSM信号", "3"}, {"语言", "1"}}, true},
        {"23 voltage 0", 0x23, {{"电压", "0"}, {"GSM信号", "3"}, {"语言", "1"}}, false},
        {"23 no voltage", 0x23, {{"GSM信号", "3"}, {"语言", "1"}}, false},
        {"23 signal 255", 0x23, {{"电压", "420"}, {"GSM信号", "255"}, {"语言", "1"}}, false},
        {"23 label 电压等级 fills 电压", 0x23, {{"电压等级", "420"}, {"GSM信号", "3"}, {"语言", "1"}}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buildMessage(c.protocol, bt::modelText(c.model)) != nullptr, c.builds) << c.why;
    }
    auto p23 = bt::build<Zuno::ZunoPing23>(0x23, {{"电压等级", "420"}, {"GSM信号", "3"}, {"语言", "1"}, {"终端信息", "448"}});
    ASSERT_NE(p23, nullptr);
    EXPECT_EQ(p23->powerLevel, 420);
    EXPECT_EQ(Zuno::toByte(p23->content), 0xC0);
}

TEST(SyncTimeBuilder, LanguageRequiredDateTimeNot) {
    auto m = bt::build<Zuno::ZunoSyncTime1F>(0x1F, {{"语言", "1"}});
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->time, 0u);
    EXPECT_EQ(m->languageOrExt, 1);
    EXPECT_EQ(bt::build<Zuno::ZunoSyncTime1F>(0x1F, {{"日期时间", "2019-01-15 08:30:00"}}), nullptr);
}
