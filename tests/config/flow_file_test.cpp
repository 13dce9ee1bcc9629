// Flow files: the one reader of their steps and the rewriting of "commands".
#include <gtest/gtest.h>

#include "config/flow_file.h"
#include "support/config_tree.h"
#include "support/hostile_files.h"

using namespace Zuno;

namespace {

ProtocolTask task(const char* cmd, bool checked, int16_t delay) { return zt::flowStep(cmd, checked, delay); }

TEST(FlowFile, StepsOfTheWrongShapeAreSkippedWithARecord) {
    zt::ConfigTree t;
    t.write("f.json", R"({"cmd":"F","protocol":"p","commands":[
        {"cmd":"LOGIN","isChecked":true,"delay":0},
        {"cmd":"GPS12","isChecked":false,"delay":65537},
        {"cmd":"PING13","isChecked":true,"delay":40000},
        {"cmd":"PING23","isChecked":true,"delay":10.0},
        {"cmd":"GPS10","isChecked":"true","delay":1},
        {"isChecked":true,"delay":1},
        "GPS22",
        {"cmd":"LBS18","isChecked":true,"delay":-1}]})");
    zt::MessageCapture log;
    const FlowFile flow = readFlowFile(t.path("f.json"));
    ASSERT_EQ(flow.status, ConfigStatus::Ok);
    ASSERT_EQ(flow.steps.size(), 4u);
    EXPECT_EQ(flow.steps[0].cmd, "LOGIN");
    EXPECT_EQ(flow.steps[1].cmd, "GPS12");
    EXPECT_FALSE(flow.steps[1].isChecked);
    EXPECT_EQ(flow.steps[1].delay, 1); // 2^16 + 1 cut to 16 bits
    EXPECT_EQ(flow.steps[2].delay, static_cast<int16_t>(40000 - 65536));
    EXPECT_EQ(flow.steps[3].cmd, "LBS18");
    EXPECT_EQ(log.lines().size(), 4u);
    EXPECT_TRUE(log.contains("step 3"));
    EXPECT_TRUE(log.contains("step 6"));
}

TEST(FlowFile, WhatCannotBeLoaded) {
    zt::ConfigTree t;
    t.write("empty.json", "");
    t.write("broken.json", "{\"cmd\":");
    t.write("array.json", "[]");
    t.write("huge.json", R"({"commands":[{"cmd":"GPS12","isChecked":true,"delay":1e999}]})");
    t.write("nocommands.json", R"({"cmd":"F","protocol":"p"})");
    t.write("badcommands.json", R"({"cmd":"F","protocol":"p","commands":{}})");
    t.write("nosteps.json", R"({"cmd":"F","protocol":"p","commands":[]})");
    t.write("deep.json", QByteArray::fromStdString(R"({"cmd":"F","protocol":"p","commands":[],"x":)" +
                                                    zt::nestedObjects(100000) + "}"));
    t.mkdir("folder.json");
    EXPECT_EQ(readFlowFile(t.path("missing.json")).status, ConfigStatus::Missing);
    EXPECT_EQ(readFlowFile(t.path("folder.json")).status, ConfigStatus::Unreadable);
    EXPECT_EQ(readFlowFile(t.path("empty.json")).status, ConfigStatus::Empty);
    for (const char* f : {"broken.json", "array.json", "huge.json", "nocommands.json", "badcommands.json", "deep.json"})
        EXPECT_EQ(readFlowFile(t.path(f)).status, ConfigStatus::NotJson) << f;
    const auto none = readFlowFile(t.path("nosteps.json"));
    EXPECT_EQ(none.status, ConfigStatus::Ok);
    EXPECT_TRUE(none.steps.empty());
}

TEST(FlowRewrite, CheckedStepsInByteOrderEveryOtherKeyKept) {
    const std::string text = R"({"protocol":"标准协议","note":{"by":"a/b"},"cmd":"默认流程",
        "commands":[{"cmd":"OLD","isChecked":true,"delay":9}],"extra":[1,true,null]})";
    FlowSteps panel;
    panel["PING13"] = task("PING13", true, 180);
    panel["LBS18"] = task("LBS18", false, 60);
    panel["GPS12"] = task("GPS12", true, 30);
    panel["LOGIN"] = task("LOGIN", true, 0);
    panel["定位"] = task("定位", true, 5);
    panel["A/B"] = task("A/B", true, 1);
    std::string out;
    ASSERT_TRUE(rewriteFlowCommands(text, panel, out));
    EXPECT_EQ(out, R"({
  "cmd": "默认流程",
  "commands": [
    {
      "cmd": "A\/B",
      "delay": 1,
      "isChecked": true
    },
    {
      "cmd": "GPS12",
      "delay": 30,
      "isChecked": true
    },
    {
      "cmd": "LOGIN",
      "delay": 0,
      "isChecked": true
    },
    {
      "cmd": "PING13",
      "delay": 180,
      "isChecked": true
    },
    {
      "cmd": "定位",
      "delay": 5,
      "isChecked": true
    }
  ],
  "extra": [
    1,
    true,
    null
  ],
  "note": {
    "by": "a\/b"
  },
  "protocol": "标准协议"
}
)");
    // Read back, the slash is plain again.
    const FlowFile back = readFlowText(out, "flow.json");
    ASSERT_EQ(back.status, ConfigStatus::Ok);
    EXPECT_EQ(back.steps.front().cmd, "A/B");
}

TEST(FlowRewrite, NothingCheckedGivesAnEmptyArray) {
    std::string out;
    ASSERT_TRUE(rewriteFlowCommands(R"({"cmd":"F","protocol":"P"})", {}, out));
    EXPECT_EQ(out, "{\n  \"cmd\": \"F\",\n  \"commands\": [],\n  \"protocol\": \"P\"\n}\n");
}

TEST(FlowRewrite, RefusesWhatIsNoFlow) {
    for (const char* text : {"", "{", "[]", R"({"protocol":"P"})", R"({"cmd":1,"protocol":"P"})",
                             R"({"cmd":"F","protocol":["P"]})", R"({"cmd":"F","protocol":"P","n":1e999})"}) {
        std::string out = "untouched";
        EXPECT_FALSE(rewriteFlowCommands(text, {}, out)) << text;
        EXPECT_EQ(out, "untouched") << text;
    }
}

} // namespace
