#include <gtest/gtest.h>

#include "support/config_tree.h"
#include "config/settings.h"

namespace {

using Zuno::ConnectionSettings;
using Zuno::SettingsRead;

TEST(Settings, WrittenTextIsIndentedSortedAndEndsWithLineFeed) {
    const ConnectionSettings initial;
    EXPECT_EQ(Zuno::settingsText(initial),
              "{\n  \"duration\": 1,\n  \"ip\": \"127.0.0.1\",\n  \"port\": 8000,\n  \"protocol\": 0\n}\n");

    ConnectionSettings noFlow;
    noFlow.ip = "例子.example/x";
    noFlow.protocolIndex = -1;
    EXPECT_EQ(Zuno::settingsText(noFlow),
              "{\n  \"duration\": 1,\n  \"ip\": \"例子.example\\/x\",\n  \"port\": 8000,\n"
              "  \"protocol\": 4294967295\n}\n");
}

TEST(Settings, WriteThenReadGivesTheSameValues) {
    zt::ConfigTree t;
    ConnectionSettings s;
    s.ip = "10.0.0.7";
    s.port = 7018;
    s.duration = 250;
    s.protocolIndex = -1;
    const Zuno::ConfigResult written = Zuno::writeSettings(t.path("conf.json"), s);
    ASSERT_TRUE(written.ok()) << written.reason.toStdString();
    EXPECT_EQ(t.read("conf.json").toStdString(), Zuno::settingsText(s));

    ConnectionSettings back;
    ASSERT_EQ(Zuno::readSettings(t.path("conf.json"), back), SettingsRead::Ok);
    EXPECT_EQ(back.ip, "10.0.0.7");
    EXPECT_EQ(back.port, 7018u);
    EXPECT_EQ(back.duration, 250u);
    EXPECT_EQ(back.protocolIndex, -1); // 4294967295 cut to 32 bits
}

struct ReadCase {
    const char* name;
    const char* text; // nullptr: no file; "/": a folder of that name
    SettingsRead result;
    const char* ip;
    uint32_t port;
    uint32_t duration;
    int protocol;
    // The members not used as written, as the note names them ("; " between).
    const char* replaced = "";
};

// 100,000 nested objects: refused before the parser recurses (it counts
// arrays only, and ran out of stack).
std::string deeplyNested() {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "{\"a\":";
    return text + "1" + std::string(100000, '}');
}
const std::string kDeep = deeplyNested();

class SettingsReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsReadTest, ReadsWhatIsThereAndKeepsTheRest) {
    const ReadCase& c = GetParam();
    zt::ConfigTree t;
    if (c.text && std::string(c.text) == "/")
        t.mkdir("conf.json");
    else if (c.text)
        t.write("conf.json", c.text);
    ConnectionSettings s;
    s.ip = "keep";
    s.port = 1;
    s.duration = 2;
    s.protocolIndex = 3;
    QString reason;
    QStringList replaced{"stale"};
    EXPECT_EQ(Zuno::readSettings(t.path("conf.json"), s, &reason, &replaced), c.result);
    // Whatever is not read says why.
    EXPECT_EQ(reason.isEmpty(), c.result == SettingsRead::Ok) << reason.toStdString();
    EXPECT_EQ(replaced.join("; ").toStdString(), c.replaced);
    EXPECT_EQ(s.ip, c.ip);
    EXPECT_EQ(s.port, c.port);
    EXPECT_EQ(s.duration, c.duration);
    EXPECT_EQ(s.protocolIndex, c.protocol);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsReadTest,
    ::testing::Values(
        ReadCase{"Full", R"({"ip":"h","port":9000,"duration":5,"protocol":2})", SettingsRead::Ok, "h", 9000, 5, 2},
        ReadCase{"ZeroDurationIsOne", R"({"ip":"h","port":9000,"duration":0,"protocol":0})", SettingsRead::Ok, "h", 9000, 1, 0},
        ReadCase{"Missing", nullptr, SettingsRead::Missing, "keep", 1, 2, 3},
        ReadCase{"Unreadable", "/", SettingsRead::Unreadable, "keep", 1, 2, 3},
        ReadCase{"Empty", "", SettingsRead::Empty, "keep", 1, 2, 3},
        ReadCase{"Broken", "{\"ip\": ", SettingsRead::Broken, "keep", 1, 2, 3},
        ReadCase{"NotAnObject", "[1,2,3]", SettingsRead::Broken, "keep", 1, 2, 3},
        ReadCase{"NumberTooLarge", R"({"ip":"h","port":1e999})", SettingsRead::Broken, "keep", 1, 2, 3},
        ReadCase{"NestedTooDeep", kDeep.c_str(), SettingsRead::Broken, "keep", 1, 2, 3},
        // Bytes that are no UTF-8 would be used, and written back, replaced.
        ReadCase{"NotUtf8", "{\"ip\":\"caf\xE9\",\"port\":9000}", SettingsRead::Unreadable, "keep", 1, 2, 3},
        // Members of another type keep their values, named with them; the
        // others are read.
        ReadCase{"IllTyped", R"({"ip":7,"port":"9000","duration":1.5,"protocol":true})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "地址 7 应为字符串, 已使用 keep; 端口 \"9000\" 应为整数, 已使用 1; 时间间隔 1.5 应为整数, 已使用 2; "
                 "流程序号 true 应为整数, 已使用 3"},
        ReadCase{"PartlyIllTyped", R"({"ip":"h","port":1e3,"duration":10})", SettingsRead::Ok, "h", 1, 10, 3,
                 "端口 1000.0 应为整数, 已使用 1"},
        ReadCase{"LongValueIsCut", R"({"ip":["0123456789","0123456789","0123456789","0123456789"]})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "地址 [\"0123456789\",\"0123456789\",\"0123456789\",… 应为字符串, 已使用 keep"},
        // Ports and durations the program cannot use as written are named
        // with the value kept, never cut or clamped into another one.
        ReadCase{"PortBounds", R"({"port":65535,"duration":3600000})", SettingsRead::Ok, "keep", 65535, 3600000, 3},
        ReadCase{"PortAbove", R"({"port":70000})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "端口 70000 不在 1 到 65535 之间, 已使用 1"},
        ReadCase{"PortZero", R"({"port":0})", SettingsRead::Ok, "keep", 1, 2, 3, "端口 0 不在 1 到 65535 之间, 已使用 1"},
        ReadCase{"PortNegative", R"({"port":-1})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "端口 -1 不在 1 到 65535 之间, 已使用 1"},
        ReadCase{"PortPast32Bits", R"({"port":4294975296})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "端口 4294975296 不在 1 到 65535 之间, 已使用 1"},
        ReadCase{"DurationNegative", R"({"duration":-1})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "时间间隔 -1 不在 1 到 3600000 毫秒之间, 已使用 2"},
        ReadCase{"DurationPast32Bits", R"({"duration":4294967301})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "时间间隔 4294967301 不在 1 到 3600000 毫秒之间, 已使用 2"},
        ReadCase{"DurationPastAnHour", R"({"duration":3600001})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "时间间隔 3600001 不在 1 到 3600000 毫秒之间, 已使用 2"},
        // A flow index is any 32-bit value ("no flow" is written 4294967295);
        // past 32 bits it would select another flow.
        ReadCase{"FlowIndexIs32Bits", R"({"protocol":-5})", SettingsRead::Ok, "keep", 1, 2, -5},
        ReadCase{"FlowIndexPast32Bits", R"({"protocol":4294967297})", SettingsRead::Ok, "keep", 1, 2, 3,
                 "流程序号 4294967297 超出32位, 已使用 3"}),
    [](const ::testing::TestParamInfo<ReadCase>& i) { return std::string(i.param.name); });

TEST(Settings, FullDiskKeepsTheOldFileAndSaysWhy) {
    zt::ConfigTree t;
    const ConnectionSettings old;
    ASSERT_TRUE(Zuno::writeSettings(t.path("conf.json"), old).ok());
    const QByteArray before = t.read("conf.json");
    zt::FullDisk full;
    ConnectionSettings s;
    s.ip = "10.1.1.1";
    const Zuno::ConfigResult written = Zuno::writeSettings(t.path("conf.json"), s);
    EXPECT_EQ(written.status, Zuno::ConfigStatus::NotWritten);
    EXPECT_EQ(written.reason, zt::FullDisk::kReason);
    EXPECT_EQ(t.read("conf.json"), before);
}

} // namespace
