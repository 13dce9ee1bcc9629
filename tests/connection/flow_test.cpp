#include <gtest/gtest.h>

#include <cstdio>

#include "builders/message_builder.h"
#include "support/config_tree.h"
#include "connection/send_flow.h"

namespace {

TEST(Keywords, EveryKeywordGivesItsNumber) {
    const char* keywords[] = {"LOGIN", "PING13", "PING23", "GPS10", "GPS12", "GPS22", "GPS24", "GPSA0",
                              "GPS2D", "LBS18", "LBS28", "LBSA1", "LBS2E", "WIFI2C", "WIFIA2", "WIFIC3",
                              "TIME8A", "TIME1F", "ALERT16", "ALERT19", "ALERTA5", "ALERT26", "ALERT95",
                              "ALERTA3", "ALERT27", "ALERTA4", "GPSBIKE32", "ALERTBIKE33", "GEO1A",
                              "GEO2A", "GEO17", "GEOA7", "CMD21", "CMD80RESP", "CMD81"};
    for (const std::string k : keywords) {
        unsigned expected = 0;
        if (k == "LOGIN")
            expected = 0x01;
        else if (k == "CMD80RESP")
            expected = 0x80;
        else
            std::sscanf(k.substr(k.size() - 2).c_str(), "%x", &expected);
        EXPECT_EQ(Zuno::protocolNumber(k), expected) << k;
    }
}

TEST(Keywords, TrimmedAndUpperCasedOrUnknown) {
    const struct {
        const char* name;
        unsigned number;
    } cases[] = {{"  gps12\t", 0x12}, {"Login", 0x01}, {"GPS12X", 0xFF}, {"", 0xFF},
                 {"GPS 12", 0xFF},    {"cmd80resp\n", 0x80}, {"登录", 0xFF}};
    for (const auto& c : cases)
        EXPECT_EQ(Zuno::protocolNumber(c.name), c.number) << c.name;
}

// A builder that records its calls and makes a bare message of the number.
struct FakeBuilder {
    std::vector<std::pair<uint8_t, std::string>> calls;
    Zuno::MessageBuilderFn fn() {
        return [this](uint8_t protocol, const std::string& json) -> std::shared_ptr<Zuno::ZunoMSG> {
            calls.emplace_back(protocol, json);
            if (json.find("\"fail\"") != std::string::npos)
                return nullptr;
            return std::make_shared<Zuno::ZunoMSG>(protocol);
        };
    }
};

QByteArray model(const char* cmd, const char* tag) {
    return QByteArray("{\"cmd\":\"") + cmd + "\",\"protocol\":\"p\",\"components\":[],\"tag\":\"" + tag + "\"}";
}

TEST(SendFlowLoading, StepsInFlowOrderWithTheFirstModelOfTheCatalogue) {
    zt::ConfigTree t;
    t.write("model/a_login.json", model("LOGIN", "top"));
    t.write("model/sub/login.json", model("LOGIN", "sub")); // sub-folders come first: this one wins
    t.write("model/gps.json", model("GPS12", "gps"));
    t.write("model/ping.json", model("PING13", "fail"));
    t.write("model/lower.json", model("gps22", "lower"));
    t.write("prop/flow.json", R"({"cmd":"F","protocol":"p","commands":[
        {"cmd":"GPS12","isChecked":true,"delay":5},
        {"cmd":"LOGIN","isChecked":true,"delay":0},
        {"cmd":"NOPE","isChecked":true,"delay":1},
        {"cmd":"gps12","isChecked":true,"delay":1},
        {"cmd":"PING13","isChecked":true,"delay":1},
        {"cmd":"GPS22","isChecked":true,"delay":1},
        {"cmd":"GPS12","isChecked":false,"delay":7}]})");

    FakeBuilder builder;
    zt::MessageCapture log;
    const Zuno::FlowLoad load = Zuno::loadSendFlow(t.path("prop/flow.json"), t.path("model/"), builder.fn());
    ASSERT_EQ(load.status, Zuno::ConfigStatus::Ok);

    std::vector<std::string> cmds;
    std::vector<unsigned> numbers;
    std::vector<long> delays;
    for (const SendTask& task : load.tasks) {
        cmds.push_back(task.task.cmd);
        numbers.push_back(task.message->command);
        delays.push_back(task.task.delay);
        EXPECT_EQ(task.lastSent, 0);
    }
    EXPECT_EQ(cmds, (std::vector<std::string>{"GPS12", "LOGIN", "GPS12"}));
    EXPECT_EQ(numbers, (std::vector<unsigned>{0x12, 0x01, 0x12}));
    EXPECT_EQ(delays, (std::vector<long>{5, 0, 7}));
    // Two steps of one command are two tasks with messages of their own.
    EXPECT_NE(load.tasks.front().message, load.tasks.back().message);

    // The builder saw the whole text of the chosen model.
    ASSERT_EQ(builder.calls.size(), 4u);
    EXPECT_NE(builder.calls[1].second.find("\"sub\""), std::string::npos);
    EXPECT_EQ(builder.calls[2].first, 0x13);

    EXPECT_TRUE(log.contains("GPS12 \"gps.json\" loaded!"));
    EXPECT_TRUE(log.contains("LOGIN \"login.json\" loaded!"));
    EXPECT_TRUE(log.contains("PING13 \"ping.json\" load error!"));
    EXPECT_FALSE(log.contains("NOPE"));
}

// A login whose IMEI the encoder would refuse fails when the flow loads, with
// the load error record, instead of at Connect, where nothing would be sent.
TEST(SendFlowLoading, LoginThatCannotBeSentIsALoadError) {
    struct Case {
        const char* imei;
        bool loads;
    };
    const Case cases[] = {{"0123456789012345", true}, {"123456789012345 ", false}, {"01234567890123G5", false}};
    for (const Case& c : cases) {
        zt::ConfigTree t;
        t.write("model/login.json", QByteArray(R"({"cmd":"LOGIN","protocol":"p","components":[
            {"label":"IMEI","value":")") + c.imei + R"("},{"label":"设备类型","value":"1"},
            {"label":"时区","value":"800"},{"label":"语言","value":"1"}]})");
        t.write("prop/flow.json", R"({"cmd":"F","protocol":"p","commands":[
            {"cmd":"LOGIN","isChecked":true,"delay":0}]})");
        zt::MessageCapture log;
        const Zuno::FlowLoad load = Zuno::loadSendFlow(t.path("prop/flow.json"), t.path("model/"), &buildMessage);
        EXPECT_EQ(load.tasks.size(), c.loads ? 1u : 0u) << c.imei;
        EXPECT_EQ(log.contains("LOGIN \"login.json\" load error!"), !c.loads) << c.imei;
        EXPECT_EQ(log.contains("LOGIN \"login.json\" loaded!"), c.loads) << c.imei;
    }
}

TEST(SendFlowLoading, NothingFromAFlowThatCannotBeRead) {
    zt::ConfigTree t;
    t.write("prop/bad.json", "{");
    FakeBuilder builder;
    EXPECT_EQ(Zuno::loadSendFlow(t.path("prop/none.json"), t.path("model"), builder.fn()).status,
              Zuno::ConfigStatus::Missing);
    const auto bad = Zuno::loadSendFlow(t.path("prop/bad.json"), t.path("model"), builder.fn());
    EXPECT_EQ(bad.status, Zuno::ConfigStatus::NotJson);
    EXPECT_TRUE(bad.tasks.empty());
    EXPECT_TRUE(builder.calls.empty());
}

TEST(SendFlowLoading, FlowsAreListedByNameDescending) {
    QList<ProtocolDataModel> flows;
    for (const char* name : {"b", "Zuno", "a", "终端", "B"}) {
        ProtocolDataModel m;
        m.cmd = QString::fromUtf8(name);
        flows << m;
    }
    Zuno::sortFlows(flows);
    QStringList names;
    for (const auto& m : flows)
        names << m.cmd;
    EXPECT_EQ(names, (QStringList{QString::fromUtf8("终端"), "b", "a", "Zuno", "B"}));
}

} // namespace
