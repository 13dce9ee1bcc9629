// The one JSON reader: no text makes it recurse without end.
#include <gtest/gtest.h>

#include <string>

#include "protocol/json_text.h"
#include "support/hostile_files.h"

namespace {

std::string arrays(size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

// `count` empty arrays in one.
std::string siblings(size_t count) {
    std::string text = "[";
    for (size_t i = 0; i < count; ++i)
        text += i ? ",[]" : "[]";
    return text + "]";
}

// Objects and arrays taking turns, `depth` levels.
std::string mixed(size_t depth) {
    std::string open, close;
    for (size_t i = 0; i < depth; ++i) {
        open += i % 2 ? "[" : "{\"k\":";
        close.insert(0, i % 2 ? "]" : "}");
    }
    return open + "0" + close;
}

TEST(JsonText, DepthCountsObjectsAndArraysAlike) {
    const struct {
        const char* name;
        std::string text;
        bool deep;
    } rows[] = {
        {"objects at the limit", zt::nestedObjects(Zuno::kMaxJsonDepth), false},
        {"objects past the limit", zt::nestedObjects(Zuno::kMaxJsonDepth + 1), true},
        {"mixed at the limit", mixed(Zuno::kMaxJsonDepth), false},
        {"mixed past the limit", mixed(Zuno::kMaxJsonDepth + 1), true},
        {"arrays past the limit", arrays(Zuno::kMaxJsonDepth + 1), true},
        {"unclosed", std::string(Zuno::kMaxJsonDepth + 1, '{'), true},
        // Brackets in strings are text, an escaped quote ends no string.
        {"brackets in a string", "{\"k\": \"" + std::string(1000, '[') + "\\\"" + std::string(1000, '{') + "\"}", false},
        {"siblings", siblings(1000), false},
        {"siblings, each at the limit",
         "[" + arrays(Zuno::kMaxJsonDepth - 1) + "," + arrays(Zuno::kMaxJsonDepth - 1) + "]", false},
        // What follows the first value is never parsed.
        {"after the value", "{}" + std::string(1000, '['), false},
        {"after a number", "1 " + std::string(1000, '['), false},
        {"after a string", "\"[\" " + std::string(1000, '['), false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Zuno::nestedTooDeep(row.text), row.deep) << row.name;
        picojson::value value;
        std::string why;
        const bool parsed = Zuno::parseJsonText(row.text, value, why);
        if (row.deep) {
            EXPECT_FALSE(parsed) << row.name;
            EXPECT_EQ(why, "JSON嵌套超过256层") << row.name;
        } else {
            EXPECT_TRUE(why != "JSON嵌套超过256层") << row.name;
        }
    }
}

// 100,000 nested objects ran the parser out of stack: now a refusal with
// its reason, as not JSON.
TEST(JsonText, DeeplyNestedObjectsAreRefusedWithTheReason) {
    const std::string text = zt::nestedObjects(100000);
    picojson::value value;
    EXPECT_FALSE(Zuno::parseJsonText(text, value));
    EXPECT_TRUE(value.is<picojson::null>());
    std::string why;
    EXPECT_FALSE(Zuno::parseJsonText(text, value, why));
    EXPECT_EQ(why, "JSON嵌套超过256层");
}

TEST(JsonText, OtherFailuresSayNotJson) {
    for (const std::string text : {"", "{", "{\"a\": 1e999}", "plain words"}) {
        picojson::value value;
        std::string why;
        EXPECT_FALSE(Zuno::parseJsonText(text, value, why)) << text;
        EXPECT_EQ(why, "不是有效的JSON") << text;
    }
    picojson::value value;
    std::string why = "stale";
    ASSERT_TRUE(Zuno::parseJsonText(zt::nestedObjects(Zuno::kMaxJsonDepth), value, why));
    EXPECT_TRUE(why.empty());
    EXPECT_TRUE(value.is<picojson::object>());
}

} // namespace
