#include <gtest/gtest.h>

#include "connection/config_tree.h"
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
};

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
    EXPECT_EQ(Zuno::readSettings(t.path("conf.json"), s, &reason), c.result);
    // Whatever is not read says why.
    EXPECT_EQ(reason.isEmpty(), c.result == SettingsRead::Ok) << reason.toStdString();
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
        // Members of another type keep their values; the others are read.
        ReadCase{"IllTyped", R"({"ip":7,"port":"9000","duration":1.5,"protocol":true})", SettingsRead::Ok, "keep", 1, 2, 3},
        ReadCase{"PartlyIllTyped", R"({"ip":"h","port":1e3,"duration":10})", SettingsRead::Ok, "h", 1, 10, 3},
        ReadCase{"CutTo32Bits", R"({"port":4294967298,"protocol":-5})", SettingsRead::Ok, "keep", 2, 2, -5}),
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
