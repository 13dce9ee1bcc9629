// The configuration that the program ships: every model builds into a
// message whose frame decodes back into the same fields, every keyword but
// ALERT19 has a model, and the flow and settings are usable as they stand.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "builders/field_rules.h"
#include "builders/message_builder.h"
#include "builders/model_file.h"
#include "config/model_file.h"
#include "connection/send_flow.h"
#include "protocol/alarm_cell.h"
#include "protocol/command.h"
#include "protocol/helpers.h"
#include "protocol/message_classes.h"

namespace fs = std::filesystem;

namespace {

const fs::path kConf = fs::path(ZUNO_TEST_DATA_DIR) / ".." / "conf";

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The class that the codec's table names for a command keyword, or null.
const Zuno::MessageClass* classOfKeyword(const std::string& keyword) {
    for (const Zuno::MessageClass& c : Zuno::messageClasses())
        if (c.keyword && keyword == c.keyword) return &c;
    return nullptr;
}

struct Model {
    fs::path path;
    std::string cmd;
    std::string text;
};

// The message models of the send flows and the command-reply models.
std::vector<Model> shippedModels() {
    std::vector<Model> models;
    for (const char* folder : {"model", "cmd"}) {
        for (const auto& e : fs::recursive_directory_iterator(kConf / folder)) {
            if (e.path().extension() != ".json") continue;
            Model m{e.path(), "", readFile(e.path())};
            Zuno::ModelHeader h;
            if (Zuno::readModelHeader(m.text, h)) m.cmd = h.cmd;
            models.push_back(m);
        }
    }
    return models;
}

// Classes whose fixed text fields come back with their zero padding, which
// their dumps show: a decoded copy renders apart from the built message.
bool decodesPadded(uint8_t protocol) {
    return protocol == 0x17 || protocol == 0xA7 || protocol == 0x1A || protocol == 0x2A || protocol == 0x80;
}

} // namespace

TEST(ShippedConf, EveryModelRoundTripsThroughItsFrame) {
    const auto models = shippedModels();
    ASSERT_FALSE(models.empty());
    for (const Model& model : models) {
        SCOPED_TRACE(model.path.string());
        const uint8_t protocol = Zuno::protocolNumber(model.cmd);
        ASSERT_NE(protocol, 0xFF) << "unknown cmd " << model.cmd;
        auto built = buildMessage(protocol, model.text);
        ASSERT_NE(built, nullptr);
        built->seq = 0x0102;
        std::vector<uint8_t> frame;
        ASSERT_EQ(built->encode(frame), 0);

        const Zuno::MessageClass* cls = classOfKeyword(model.cmd);
        ASSERT_NE(cls, nullptr) << "no class for " << model.cmd;
        auto decoded = cls->make();
        const Zuno::ZunoMSG& fresh = *decoded;
        const Zuno::ZunoMSG& original = *built;
        ASSERT_EQ(typeid(fresh), typeid(original));
        ASSERT_EQ(decoded->decode(frame), 0);
        std::vector<uint8_t> again;
        ASSERT_EQ(decoded->encode(again), 0);
        EXPECT_EQ(again, frame);
        if (!decodesPadded(protocol)) {
            EXPECT_EQ(decoded->toString(), built->toString());
        }
    }
}

// Every number field of a shipped model is read by its builder: a label
// that carries a hint still begins with the builder's label.
TEST(ShippedConf, EveryNumberFieldReachesItsMessage) {
    int checked = 0;
    for (const Model& model : shippedModels()) {
        SCOPED_TRACE(model.path.string());
        const uint8_t protocol = Zuno::protocolNumber(model.cmd);
        const auto built = buildMessage(protocol, model.text);
        ASSERT_NE(built, nullptr);
        picojson::value doc;
        ASSERT_TRUE(Zuno::parseJsonText(model.text, doc));
        const auto& components = doc.get("components").get<picojson::array>();
        Zuno::LabelValueMap fields;
        ASSERT_TRUE(Zuno::readModelFields(model.text, fields));
        for (size_t i = 0; i < components.size(); ++i) {
            if (components[i].get("component").to_str() != "numberEdit") continue;
            const std::string label = components[i].get("label").get<std::string>();
            const std::string value = components[i].get("value").get<std::string>();
            // A WiFi strength goes out only with the MAC address of its slot.
            const std::string strength = "Wifi强度";
            if (startsWith(label, strength) && fields["WiFiMAC地址" + label.substr(strength.size())].empty())
                continue;
            std::string other;
            ASSERT_TRUE(Zuno::rewriteModelValues(model.text, {{i, value == "1" ? "2" : "1"}}, other));
            const auto changed = buildMessage(protocol, other);
            ASSERT_NE(changed, nullptr) << label;
            EXPECT_NE(changed->toString(), built->toString()) << label << " is read by no label of the builder";
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

// Every keyword but ALERT19, whose packet no model describes, has its model
// (which builds its keyword's class, above).
TEST(ShippedConf, ModelForEveryKeywordButAlert19) {
    std::set<std::string> shipped;
    for (const Model& m : shippedModels()) {
        EXPECT_TRUE(shipped.insert(m.cmd).second) << "two models for " << m.cmd;
        Zuno::ModelHeader h;
        ASSERT_TRUE(Zuno::readModelHeader(m.text, h));
        EXPECT_FALSE(h.protocol.empty()) << m.path;
        // Every label and value a string: the builders' own reading already
        // demands it, so a model that built above satisfies it.
    }
    for (const Zuno::CommandKeyword& k : Zuno::commandKeywords())
        EXPECT_EQ(shipped.count(k.keyword), k.number == Zuno::ZunoAlert19::kProtocol ? 0u : 1u) << k.keyword;
}

TEST(ShippedConf, FlowAndSettings) {
    picojson::value flow;
    ASSERT_TRUE(Zuno::parseJsonText(readFile(kConf / "prop" / "default.json"), flow));
    ASSERT_TRUE(flow.is<picojson::object>());
    ASSERT_TRUE(flow.get("cmd").is<std::string>());
    ASSERT_TRUE(flow.get("protocol").is<std::string>());
    const auto& steps = flow.get("commands");
    ASSERT_TRUE(steps.is<picojson::array>());
    ASSERT_GE(steps.get<picojson::array>().size(), 3u);

    std::set<std::string> models;
    std::string modelProtocol;
    for (const Model& m : shippedModels()) {
        models.insert(m.cmd);
        Zuno::ModelHeader h;
        Zuno::readModelHeader(m.text, h);
        modelProtocol = h.protocol;
    }
    EXPECT_EQ(flow.get("protocol").get<std::string>(), modelProtocol);
    std::set<std::string> stepNames;
    for (const auto& step : steps.get<picojson::array>()) {
        ASSERT_TRUE(step.get("cmd").is<std::string>());
        ASSERT_TRUE(step.get("isChecked").is<bool>());
        ASSERT_TRUE(step.get("delay").is<int64_t>());
        const std::string cmd = step.get("cmd").get<std::string>();
        EXPECT_EQ(models.count(cmd), 1u) << cmd;
        stepNames.insert(cmd);
        if (cmd != "LOGIN") {
            EXPECT_GE(step.get("delay").get<int64_t>(), 1) << cmd;
        }
    }
    EXPECT_EQ(steps.get<picojson::array>().front().get("cmd").get<std::string>(), "LOGIN");
    EXPECT_EQ(stepNames.count("PING13") + stepNames.count("PING23"), 1u);
    EXPECT_EQ(stepNames.count("GPS22"), 1u);

    picojson::value settings;
    ASSERT_TRUE(Zuno::parseJsonText(readFile(kConf / "conf.json"), settings));
    EXPECT_EQ(settings.get("ip").get<std::string>(), "127.0.0.1");
    EXPECT_EQ(settings.get("port").get<int64_t>(), 8080);
    EXPECT_GE(settings.get("duration").get<int64_t>(), 100) << "a tick that does not spin";
    EXPECT_EQ(settings.get("protocol").get<int64_t>(), 0);
}

namespace {

// Whether the model, with the reply text `text` and the coding component set
// to `coding`, builds a reply whose frame carries the whole text.
bool sendsWhole(uint8_t protocol, const std::string& model, size_t textAt, size_t codingAt,
                const std::string& coding, const std::u16string& text) {
    std::string json;
    if (!Zuno::rewriteModelValues(model, {{textAt, Zuno::utf16ToUtf8(text)}, {codingAt, coding}}, json))
        return false;
    auto built = buildMessage(protocol, json);
    std::vector<uint8_t> frame;
    if (!built || built->encode(frame) != 0) return false;
    for (const bool utf16be : {false, true}) {
        const auto bytes = Zuno::commandTextBytes(text, utf16be);
        if (std::search(frame.begin(), frame.end(), bytes.begin(), bytes.end()) != frame.end()) return true;
    }
    return false;
}

} // namespace

// The reply text's limit in the command-reply editor ("maxLength", counted in
// UTF-16 units) is what a frame carries whole in the worst case, whichever
// coding the model offers: a character of three UTF-8 bytes, two in UTF-16BE.
TEST(ShippedConf, ReplyTextLimitIsWhatCanBeSent) {
    int checked = 0;
    for (const auto& e : fs::directory_iterator(kConf / "cmd")) {
        SCOPED_TRACE(e.path().string());
        const std::string model = readFile(e.path());
        picojson::value doc;
        ASSERT_TRUE(Zuno::parseJsonText(model, doc));
        const uint8_t protocol = Zuno::protocolNumber(doc.get("cmd").get<std::string>());
        ASSERT_NE(protocol, 0xFF);
        const auto& components = doc.get("components").get<picojson::array>();
        size_t textAt = components.size(), codingAt = components.size();
        int64_t maxLength = 0;
        std::vector<std::string> codings;
        for (size_t i = 0; i < components.size(); ++i) {
            const std::string label = components[i].get("label").get<std::string>();
            if (label == "回复指令") {
                textAt = i;
                maxLength = components[i].get("maxLength").get<int64_t>();
            } else if (label == "字符编码" || label == "告警语言") {
                codingAt = i;
                const auto& source = components[i].get("dataSource");
                if (source.is<picojson::object>())
                    for (const auto& item : source.get("data").get<picojson::array>())
                        codings.push_back(item.get("val").to_str());
                else
                    codings.push_back(components[i].get("value").get<std::string>());
            }
        }
        ASSERT_LT(textAt, components.size());
        ASSERT_LT(codingAt, components.size());
        ASSERT_GT(maxLength, 0);
        const std::u16string longest(static_cast<size_t>(maxLength), u'中');
        bool limitIsTight = false;
        for (const std::string& coding : codings) {
            EXPECT_TRUE(sendsWhole(protocol, model, textAt, codingAt, coding, longest)) << "coding " << coding;
            if (!sendsWhole(protocol, model, textAt, codingAt, coding, longest + u'中')) limitIsTight = true;
        }
        EXPECT_TRUE(limitIsTight) << "maxLength " << maxLength << " is below what can be sent";
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}
