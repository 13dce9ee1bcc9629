// buildMessage: malformed models, the dispatch, and one model per builder
// whose frame was worked out by hand.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "builders/message_builder.h"
#include "model_text.h"
#include "protocol/gps.h"
#include "protocol/time_sync.h"
#include "support/test_util.h"

using bt::Pairs;

TEST(BuildMessage, MalformedModelsBuildNothingForAnyProtocol) {
    const std::string cases[] = {
        "",
        "{}",
        "[]",
        "{\"components\": {}}",
        "{\"components\": [{\"label\": \"MCC\", \"value\": \"460\"}, {\"label\": \"LAC\", \"value\": 1}]}",
        "{\"components\": [], \"max\": 1e999}",
        "\"components\"",
    };
    for (const std::string& text : cases) {
        for (int p = 0; p <= 0xFF; ++p) {
            EXPECT_EQ(buildMessage(static_cast<uint8_t>(p), text), nullptr) << text << " for " << p;
        }
    }
}

TEST(BuildMessage, DispatchByProtocolNumber) {
    const std::string empty = R"({"components": []})";
    // The time request needs no label and is left as constructed.
    auto request = std::dynamic_pointer_cast<Zuno::ZunoSyncTime>(buildMessage(0x8A, empty));
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->command, 0x8A);
    EXPECT_EQ(request->begin, 0x7878);
    EXPECT_EQ(request->len, 0);
    EXPECT_EQ(request->seq, 0);
    EXPECT_EQ(request->crc, 0);
    EXPECT_EQ(request->stop, 0x0D0A);
    EXPECT_EQ(buildMessage(0x10, empty), nullptr) << "required fields missing";

    // A model that a GPS builder accepts builds nothing for numbers without a builder.
    const std::string gps = bt::modelText({{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}, {"语言", "1"}});
    EXPECT_NE(buildMessage(0x10, gps), nullptr);
    for (uint8_t p : {0x00, 0x19, 0x70, 0xC4, 0xFF}) EXPECT_EQ(buildMessage(p, gps), nullptr) << int(p);

    // The model is its first JSON value: what follows it is not read.
    const std::string dump = buildMessage(0x10, gps)->toString();
    for (const char* after : {" \n\t\r\n", " {\"components\": 5} trailing", "\n// IMEI of the test unit\n", ",", "\f"}) {
        const auto message = buildMessage(0x10, gps + after);
        ASSERT_NE(message, nullptr) << after;
        EXPECT_EQ(message->toString(), dump) << after;
    }
}

TEST(BuildMessage, JsonNumberValueFailsWholeModel) {
    const std::string text = R"({"components": [
        {"label": "日期时间", "value": "2019-01-02 03:04:05"}, {"label": "卫星数", "value": "12"},
        {"label": "LAC", "value": "1"}, {"label": "小区ID", "value": "1"}, {"label": "MCC", "value": 460}]})";
    EXPECT_EQ(buildMessage(0x12, text), nullptr);
}

TEST(BuildMessage, FirstComponentOfALabelCounts) {
    auto m = bt::build<Zuno::ZunoGpsLoc12>(0x12, {{"MCC", "460"}, {"MCC", "461"}, {"日期时间", "2019-01-02 03:04:05"},
                                                  {"卫星数", "12"}, {"LAC", "1"}, {"小区ID", "1"}});
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->MCC, 460);
}

// A refused model names the first field that the builder could not use: the
// model's own label for a value it cannot read, the builder's for a field
// that is missing.
TEST(BuildMessage, RefusalNamesTheField) {
    const Pairs login = {{"IMEI", "868120123456789"}, {"设备类型", "8198"}, {"时区", "800"}, {"语言", "1"}};
    const Pairs gps12 = {{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}, {"MCC", "460"}, {"LAC", "1"},
                         {"小区ID", "1"}};
    const Pairs ping13 = {{"电压等级", "4"}, {"GSM信号", "3"}, {"语言", "2"}};
    const Pairs bike = {{"日期时间", "2019-01-15 08:30:00"}, {"GPS长度", "12"}};
    auto without = [](Pairs pairs, const std::string& label) {
        pairs.erase(std::remove_if(pairs.begin(), pairs.end(), [&](const auto& p) { return p.first == label; }),
                    pairs.end());
        return pairs;
    };
    auto changed = [](Pairs pairs, const std::string& label, const std::string& value) {
        for (auto& p : pairs)
            if (p.first == label) p.second = value;
        return pairs;
    };
    struct Case {
        const char* what;
        uint8_t protocol;
        std::string model;
        std::string why;
    };
    const Case cases[] = {
        {"login without IMEI", 0x01, bt::modelText(without(login, "IMEI")), "字段 \"IMEI\" 缺少或无效"},
        {"login with unknown type", 0x01, bt::modelText(changed(login, "设备类型", "65535")),
         "字段 \"设备类型\" 缺少或无效"},
        {"login IMEI with a letter beyond f", 0x01, bt::modelText(changed(login, "IMEI", "86812012345678g")),
         "字段 \"IMEI\" 的值无效"},
        {"login IMEI of 14 digits", 0x01, bt::modelText(changed(login, "IMEI", "86812012345678")),
         "字段 \"IMEI\" 的值无效"},
        {"login language that is no number", 0x01, bt::modelText(changed(login, "语言", "中文")),
         "字段 \"语言\" 的值无效"},
        {"heartbeat without GSM signal", 0x13, bt::modelText(without(ping13, "GSM信号")),
         "字段 \"GSM信号\" 缺少或无效"},
        {"position without LAC", 0x12, bt::modelText(without(gps12, "LAC")), "字段 \"LAC\" 缺少或无效"},
        {"position with 64 satellites", 0x12, bt::modelText(changed(gps12, "卫星数", "64")),
         "字段 \"卫星数\" 缺少或无效"},
        // The key as the model spells it, not the builder's label "LAC".
        {"position LAC0 out of range", 0x12, bt::modelText(bt::join({without(gps12, "LAC"), {{"LAC0", "3000000000"}}})),
         "字段 \"LAC0\" 的值无效"},
        // Entries are read in key order: "LAC" before "MCC"; and a value that
        // cannot be read is told before a missing field.
        {"first of two unreadable values", 0x12,
         bt::modelText(changed(changed(without(gps12, "日期时间"), "MCC", "x"), "LAC", "y")), "字段 \"LAC\" 的值无效"},
        {"cell report without RSSI0", 0x18,
         bt::modelText(without(bt::cellReportRequired(), "RSSI0")), "字段 \"RSSI0\" 缺少或无效"},
        {"alarm without cell id", 0x16,
         bt::modelText({{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}, {"MCC", "460"}, {"LAC", "1"}}),
         "字段 \"小区ID\" 缺少或无效"},
        {"bike without date", 0x33, bt::modelText(without(bike, "日期时间")), "字段 \"日期时间\" 缺少或无效"},
        {"bike length that is no number", 0x32, bt::modelText(changed(bike, "GPS长度", "有")),
         "字段 \"GPS长度\" 的值无效"},
        {"MAC of seven bytes", 0xC3,
         bt::modelText({{"日期时间", "2019-01-02 03:04:05"}, {"WiFiMAC地址0", "11-22-33-44-55-66-77"}}),
         "字段 \"WiFiMAC地址0\" 的值无效"},
        {"phone too long", 0x1A,
         bt::modelText({{"日期时间", "2019-01-02 03:04:05"}, {"电话号码", std::string(22, '1')}}),
         "字段 \"电话号码\" 的值无效"},
        {"value that is a number", 0x12,
         R"({"components": [{"label": "日期时间", "value": "2019-01-02 03:04:05"}, {"label": "MCC", "value": 460}]})",
         "消息模型格式错误: 字段 \"MCC\" 的值不是文本"},
        {"value missing", 0x12, R"({"components": [{"label": "MCC"}]})", "消息模型格式错误: 字段 \"MCC\" 缺少或无效"},
    };
    for (const Case& c : cases) {
        const BuildOutcome outcome = buildMessageExplained(c.protocol, c.model);
        EXPECT_EQ(outcome.message, nullptr) << c.what;
        EXPECT_EQ(outcome.error, c.why) << c.what;
    }
    // A refusal is not carried over into the next model.
    EXPECT_EQ(buildMessageExplained(0x01, bt::modelText(login)).error, "");
    EXPECT_EQ(buildMessageExplained(0x12, "[]").error, "消息模型格式错误");
}

namespace {

struct HandFrame {
    const char* name;
    uint8_t protocol;
    Pairs model;
    const char* frame; // serial 1
};

const Pairs kGps = {{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}, {"纬度", "22543210"},
                    {"经度", "113943210"}, {"速度", "60"}, {"航向/状态", "5222"}};

Pairs with(const Pairs& base, const Pairs& more) { return bt::join({base, more}); }

const Pairs kCells = {{"日期时间", "2019-01-02 03:04:05"}, {"LAC0", "10173"}, {"小区ID0", "3959"}, {"RSSI0", "60"},
                      {"LAC1", "10173"}, {"小区ID1", "3958"}, {"RSSI1", "45"}};

} // namespace

class HandFrameTest : public ::testing::TestWithParam<HandFrame> {};

TEST_P(HandFrameTest, ModelBuildsIntoTheFrame) {
    const HandFrame& c = GetParam();
    auto msg = buildMessage(c.protocol, bt::modelText(c.model));
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(msg->command, c.protocol);
    msg->seq = 1;
    std::vector<uint8_t> out;
    ASSERT_EQ(msg->encode(out), 0);
    EXPECT_EQ(zt::hex(out), c.frame);
}

INSTANTIATE_TEST_SUITE_P(
    Builders, HandFrameTest,
    ::testing::Values(
        HandFrame{"Login", 0x01, {{"IMEI", "0123456789012345"}, {"设备类型", "8198"}, {"时区", "800"}, {"语言", "1"}},
                  "78 78 11 01 01 23 45 67 89 01 23 45 20 06 32 01 00 01 74 25 0D 0A"},
        HandFrame{"Ping13", 0x13, {{"终端信息", "70"}, {"电压等级", "4"}, {"GSM信号", "3"}, {"语言", "2"}},
                  "78 78 0A 13 46 04 03 00 02 00 01 B2 E5 0D 0A"},
        HandFrame{"Ping23", 0x23, {{"终端信息", "448"}, {"电压", "400"}, {"GSM信号", "3"}, {"语言", "1"}},
                  "78 78 0B 23 C0 01 90 03 00 01 00 01 7F 4B 0D 0A"},
        HandFrame{"SyncTime1F", 0x1F, {{"日期时间", "2019-01-15 08:30:00"}, {"语言", "1"}},
                  "78 78 0D 1F 13 01 0F 08 1E 00 00 01 00 01 33 C7 0D 0A"},
        HandFrame{"SyncTime8A", 0x8A, {}, "78 78 05 8A 00 01 FC 96 0D 0A"},
        // "LAC0" fills LAC by prefix; the one-byte MNC of 0x12 is the low byte of 300.
        HandFrame{"Gps12", 0x12, with(kGps, {{"MCC", "460"}, {"MNC", "300"}, {"LAC0", "10173"}, {"小区ID", "12345"}}),
                  "78 78 1F 12 13 01 02 03 04 05 CC 02 6B 2A F2 0C 39 8B 32 3C 14 66 01 CC 2C 27 BD 00 30 39 "
                  "00 01 E6 39 0D 0A"},
        // Upload mode and status not given: 0xFF; the whole 32-bit mileage.
        HandFrame{"Gps22", 0x22,
                  with(kGps, {{"MCC", "460"}, {"MNC", "0"}, {"LAC", "10173"}, {"小区ID", "3959"}, {"ACC", "1"},
                              {"里程", "4294967295"}}),
                  "78 78 26 22 13 01 02 03 04 05 CC 02 6B 2A F2 0C 39 8B 32 3C 14 66 01 CC 00 27 BD 00 0F 77 01 "
                  "FF FF FF FF FF FF 00 01 BB 2C 0D 0A"},
        // Bit 15 of MCC: two MNC bytes, of which the builder keeps the low byte of 300.
        HandFrame{"GpsA0", 0xA0,
                  with(kGps, {{"MCC", "33228"}, {"MNC", "300"}, {"LAC", "10173"}, {"小区ID", "3959"}, {"ACC", "0"},
                              {"数据上报", "0"}, {"GPS实时/补传", "1"}}),
                  "78 78 23 A0 13 01 02 03 04 05 CC 02 6B 2A F2 0C 39 8B 32 3C 14 66 81 CC 00 2C 27 BD 00 0F 77 "
                  "00 00 01 00 01 52 B4 0D 0A"},
        HandFrame{"Lbs28", 0x28, with(kCells, {{"MCC", "460"}, {"MNC", "0"}, {"时间提前量", "3"}, {"语言", "257"}}),
                  "78 78 3B 28 13 01 02 03 04 05 01 CC 00 27 BD 00 0F 77 3C 27 BD 00 0F 76 2D 00 00 00 00 00 00 00 "
                  "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 03 00 01 00 01 6E 1B 0D 0A"},
        HandFrame{"LbsA1", 0xA1, with(kCells, {{"MCC", "33228"}, {"MNC", "258"}, {"时间提前量", "255"}, {"语言", "2"}}),
                  "78 78 3C A1 13 01 02 03 04 05 81 CC 01 02 27 BD 00 0F 77 3C 27 BD 00 0F 76 2D 00 00 00 00 00 00 "
                  "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF 00 02 00 01 E9 DF 0D "
                  "0A"},
        // Slot 1 empty: slots 0 and 2 give two entries, slot 0 first.
        HandFrame{"Wifi2C", 0x2C,
                  {{"日期时间", "2019-01-02 03:04:05"}, {"MCC", "460"}, {"LAC0", "10173"}, {"小区ID0", "3959"},
                   {"RSSI0", "60"}, {"时间提前量", "3"}, {"WiFiMAC地址0", "C8-3A-35-12-34-56"}, {"Wifi强度0", "70"},
                   {"Wifi强度1", "90"}, {"WiFiMAC地址2", "C83A35123458"}, {"Wifi强度2", "55"}},
                  "78 78 48 2C 13 01 02 03 04 05 01 CC 00 27 BD 00 0F 77 3C 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                  "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 03 02 C8 3A 35 12 34 56 46 "
                  "C8 3A 35 12 34 58 37 00 01 28 76 0D 0A"},
        // "卫星数" is the whole byte here; a short MAC fills the leading bytes.
        HandFrame{"WifiC3", 0xC3,
                  {{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}, {"纬度", "22543210"}, {"经度", "113943210"},
                   {"航向/状态", "5222"}, {"WiFiMAC地址0", "AA-BB"}, {"Wifi强度0", "20"}},
                  "78 78 1E C3 13 01 02 03 04 05 0C 02 6B 2A F2 0C 39 8B 32 14 66 01 AA BB 00 00 00 00 14 00 01 "
                  "BD 5E 0D 0A"}),
    [](const ::testing::TestParamInfo<HandFrame>& info) { return std::string(info.param.name); });
