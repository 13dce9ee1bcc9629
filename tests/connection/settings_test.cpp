#include <gtest/gtest.h>

#include "config_tree.h"
#include "connection/settings.h"

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
    QString error;
    ASSERT_TRUE(Zuno::writeSettings(t.path("conf.json"), s, &error)) << error.toStdString();
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
    const char* text; // nullptr: no file
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
    if (c.text)
        t.write("conf.json", c.text);
    ConnectionSettings s;
    s.ip = "keep";
    s.port = 1;
    s.duration = 2;
    s.protocolIndex = 3;
    EXPECT_EQ(Zuno::readSettings(t.path("conf.json"), s), c.result);
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
        ReadCase{"Empty", "", SettingsRead::Empty, "keep", 1, 2, 3},
        ReadCase{"Broken", "{\"ip\": ", SettingsRead::Broken, "keep", 1, 2, 3},
        ReadCase{"NotAnObject", "[1,2,3]", SettingsRead::Broken, "keep", 1, 2, 3},
        ReadCase{"NumberTooLarge", R"({"ip":"h","port":1e999})", SettingsRead::Broken, "keep", 1, 2, 3},
        // Members of another type keep their values; the others are read.
        ReadCase{"IllTyped", R"({"ip":7,"port":"9000","duration":1.5,"protocol":true})", SettingsRead::Ok, "keep", 1, 2, 3},
        ReadCase{"PartlyIllTyped", R"({"ip":"h","port":1e3,"duration":10})", SettingsRead::Ok, "h", 1, 10, 3},
        ReadCase{"CutTo32Bits", R"({"port":4294967298,"protocol":-5})", SettingsRead::Ok, "keep", 2, 2, -5}),
    [](const ::testing::TestParamInfo<ReadCase>& i) { return std::string(i.param.name); });

TEST(Settings, FailedWriteKeepsTheOldFileAndSaysWhy) {
    zt::ConfigTree t;
    t.write("conf/conf.json", "old content");
    ConnectionSettings s;
    QString error;
    {
        zt::LockedFolder lock(t.path("conf"));
        if (!lock.locked())
            GTEST_SKIP() << "cannot make a folder unwritable here";
        EXPECT_FALSE(Zuno::writeSettings(t.path("conf/conf.json"), s, &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(t.read("conf/conf.json"), "old content");
    EXPECT_EQ(QDir(t.path("conf")).entryList(QDir::Files | QDir::Hidden), QStringList{"conf.json"});

    // A missing folder fails too, and says so.
    error.clear();
    EXPECT_FALSE(Zuno::writeSettings(t.path("nowhere/conf.json"), s, &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
