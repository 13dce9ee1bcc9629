// The send-flow editor's rules without its window: login steps, reading the
// steps of a flow file and the rows it shows.
#include <gtest/gtest.h>

#include "support/config_tree.h"
#include "dialogs/task_setting_flow.h"

using namespace Zuno;

namespace {

ProtocolDataModel model(const char* cmd, const char* protocol) {
    ProtocolDataModel m;
    m.cmd = QString::fromUtf8(cmd);
    m.protocol = QString::fromUtf8(protocol);
    return m;
}

ProtocolTask task(const char* cmd, bool checked, int16_t delay) { return zt::flowStep(cmd, checked, delay); }

// The steps as the editor presets them, and whether the text is a flow object.
bool readFlowSteps(const std::string& text, FlowSteps& steps, bool* illTyped = nullptr) {
    const FlowFile flow = readFlowText(text, "flow.json");
    steps = firstStepOfEachKeyword(flow.steps);
    if (illTyped)
        *illTyped = flow.illTyped;
    return flow.object;
}

} // namespace

TEST(FlowLoginStep, ByTrimmedUpperCasedPrefix) {
    const struct {
        const char* cmd;
        bool login;
    } rows[] = {{"LOGIN", true},    {"login", true},  {" Connect2", true}, {"LOGIN_V2", true},
                {"connect ", true}, {"XLOGIN", false}, {"GPS12", false},   {"", false},
                {"CONNEC", false}};
    for (const auto& row : rows)
        EXPECT_EQ(isLoginStep(QString::fromUtf8(row.cmd)), row.login) << row.cmd;
}

TEST(FlowSteps, FirstOfAKeywordWinsAndIllTypedStepsAreSkipped) {
    FlowSteps steps;
    bool illTyped = false;
    ASSERT_TRUE(readFlowSteps(R"({"cmd":"F","protocol":"P","commands":[
        {"cmd":"GPS12","isChecked":true,"delay":30},
        {"cmd":"GPS12","isChecked":false,"delay":5},
        {"cmd":"LBS18","isChecked":"true","delay":5},
        {"cmd":"PING13","isChecked":true,"delay":10.0},
        {"cmd":7,"isChecked":true,"delay":5},
        {"isChecked":true,"delay":5},
        "GPS22",
        {"cmd":"WIFI2C","isChecked":false,"delay":65537},
        {"cmd":"GPS24","isChecked":true,"delay":40000}]})",
                              steps, &illTyped));
    EXPECT_TRUE(illTyped);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_TRUE(steps.at("GPS12").isChecked);
    EXPECT_EQ(steps.at("GPS12").delay, 30);
    EXPECT_FALSE(steps.at("WIFI2C").isChecked);
    EXPECT_EQ(steps.at("WIFI2C").delay, 1); // the low 16 bits
    EXPECT_EQ(static_cast<uint16_t>(steps.at("GPS24").delay), 40000);
}

TEST(FlowSteps, TextsThatAreNoFlowObject) {
    const struct {
        const char* text;
        bool ok;
    } rows[] = {{"", false},
                {"{", false},
                {"[1,2]", false},
                {"\"flow\"", false},
                {R"({"cmd":"F","delay":1e999})", false},
                {R"({"cmd":"F","protocol":"P"})", true},
                {R"({"cmd":"F","protocol":"P","commands":{"cmd":"GPS12"}})", true}};
    for (const auto& row : rows) {
        FlowSteps steps;
        steps["stale"] = task("stale", true, 1);
        EXPECT_EQ(readFlowSteps(row.text, steps), row.ok) << row.text;
        EXPECT_TRUE(steps.empty()) << row.text;
    }
    // Whole steps, or none, are no fault; "commands" of another type is.
    const struct {
        const char* text;
        bool illTyped;
    } shapes[] = {{R"({"commands":[{"cmd":"A","isChecked":true,"delay":1},{"cmd":"A","isChecked":false,"delay":2}]})", false},
                  {R"({"cmd":"F"})", false},
                  {R"({"commands":[]})", false},
                  {R"({"commands":{}})", true},
                  {R"({"commands":[{"cmd":"A","isChecked":true}]})", true}};
    for (const auto& shape : shapes) {
        FlowSteps steps;
        bool illTyped = !shape.illTyped;
        EXPECT_TRUE(readFlowSteps(shape.text, steps, &illTyped)) << shape.text;
        EXPECT_EQ(illTyped, shape.illTyped) << shape.text;
    }
}

TEST(FlowRows, ModelsOfTheFlowsGroupInCommandOrderPresetFromTheFile) {
    const QList<ProtocolDataModel> models = {model("PING13", "P"), model("GPS12", "P"),
                                             model("OTHER", "Q"),  model("LOGIN", "P"),
                                             model("LBS18", "P"),  model(" Connect2", "P"),
                                             model("GPS22", "p"),  model("GPS24", "P")};
    FlowSteps steps;
    steps["GPS12"] = task("GPS12", true, 30);
    steps["LBS18"] = task("LBS18", false, 5);
    // A login step as listed (unticked), with interval 0; one not listed is ticked.
    steps["LOGIN"] = task("LOGIN", false, 30);

    const std::vector<FlowRow> rows = flowRows(models, "P", steps);
    const struct {
        const char* cmd;
        bool login, checked;
        int delay;
    } expected[] = {{" Connect2", true, true, 0}, {"GPS12", false, true, 30}, {"GPS24", false, false, 1},
                    {"LBS18", false, false, 5},   {"LOGIN", true, false, 0},  {"PING13", false, false, 1}};
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].cmd, QString::fromUtf8(expected[i].cmd)) << i;
        EXPECT_EQ(rows[i].login, expected[i].login) << i;
        EXPECT_EQ(rows[i].checked, expected[i].checked) << i;
        EXPECT_EQ(rows[i].delay, expected[i].delay) << i;
    }
}

// The interval is the file's low 16 bits read as a signed number, kept
// within 1 to 600 as the spin box keeps it; a login step's is 0 whatever
// the file says.
TEST(FlowRows, IntervalsAreKeptWithinTheSpinBoxsRange) {
    const struct {
        int16_t listed; // the low 16 bits of the file's "delay"
        int shown;
    } rows[] = {{-32768, 1}, {-3, 1}, {-1, 1}, {0, 1}, {1, 1}, {2, 2},
                {599, 599},  {600, 600}, {601, 600}, {700, 600}, {32767, 600},
                {static_cast<int16_t>(40000), 1}, {static_cast<int16_t>(65537), 1}};
    const QList<ProtocolDataModel> models = {model("GPS12", "P"), model("LOGIN", "P")};
    for (const auto& row : rows) {
        FlowSteps steps;
        steps["GPS12"] = task("GPS12", true, row.listed);
        steps["LOGIN"] = task("LOGIN", true, row.listed);
        const std::vector<FlowRow> shown = flowRows(models, "P", steps);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0].delay, row.shown) << row.listed;
        EXPECT_EQ(shown[1].delay, 0) << row.listed;
    }
}
