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
        bool parses;
    } rows[] = {
        {"objects at the limit", zt::nestedObjects(Zuno::kMaxJsonDepth), false, true},
        {"objects past the limit", zt::nestedObjects(Zuno::kMaxJsonDepth + 1), true, false},
        {"mixed at the limit", mixed(Zuno::kMaxJsonDepth), false, true},
        {"mixed past the limit", mixed(Zuno::kMaxJsonDepth + 1), true, false},
        // The parser's own bound on arrays never comes first: one limit,
        // named when it refuses.
        {"arrays past the parser's own bound", arrays(101), false, true},
        {"arrays at the limit", arrays(Zuno::kMaxJsonDepth), false, true},
        {"arrays past the limit", arrays(Zuno::kMaxJsonDepth + 1), true, false},
        {"unclosed", std::string(Zuno::kMaxJsonDepth + 1, '{'), true, false},
        // Brackets in strings are text, an escaped quote ends no string.
        {"brackets in a string",
         "{\"k\": \"" + std::string(1000, '[') + "\\\"" + std::string(1000, '{') + "\"}", false, true},
        {"siblings", siblings(1000), false, true},
        {"siblings, each at the limit",
         "[" + arrays(Zuno::kMaxJsonDepth - 1) + "," + arrays(Zuno::kMaxJsonDepth - 1) + "]", false, true},
        // What follows the first value is never parsed: the text is refused
        // for it, not for its depth.
        {"after the value", "{}" + std::string(1000, '['), false, false},
        {"after a number", "1 " + std::string(1000, '['), false, false},
        {"after a string", "\"[\" " + std::string(1000, '['), false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Zuno::nestedTooDeep(row.text), row.deep) << row.name;
        picojson::value value;
        std::string why;
        EXPECT_EQ(Zuno::parseJsonText(row.text, value, why), row.parses) << row.name << ": " << why;
        if (row.deep) {
            EXPECT_EQ(why, "JSON嵌套超过256层") << row.name;
        } else {
            EXPECT_TRUE(why != "JSON嵌套超过256层") << row.name;
        }
    }
}

// A text is one JSON value and white space: anything after the value is
// refused with the line where it starts, never dropped unread.
TEST(JsonText, AnythingButWhiteSpaceAfterTheValueIsRefused) {
    const struct {
        const char* name;
        std::string text;
        const char* why; // "": read
    } rows[] = {
        {"white space after", "{\"a\": 1} \t\r\n \n", ""},
        {"white space before", " \n[1]", ""},
        {"a note after the object", "{\"cmd\": \"LOGIN\"}\n// IMEI of the test unit\n",
         "不是有效的JSON (第2行: JSON值之后还有内容)"},
        {"a second value", "{}\n\n{}", "不是有效的JSON (第3行: JSON值之后还有内容)"},
        {"right after the value", "[1]x", "不是有效的JSON (第1行: JSON值之后还有内容)"},
        {"two numbers", "1 2", "不是有效的JSON (第1行: JSON值之后还有内容)"},
        {"a NUL after the value", std::string("{}\0", 3), "不是有效的JSON (第1行: JSON值之后还有内容)"},
        {"a form feed is no JSON white space", "{}\f", "不是有效的JSON (第1行: JSON值之后还有内容)"},
    };
    for (const auto& row : rows) {
        picojson::value value;
        std::string why = "stale";
        const bool parsed = Zuno::parseJsonText(row.text, value, why);
        EXPECT_EQ(parsed, std::string(row.why).empty()) << row.name;
        EXPECT_EQ(why, row.why) << row.name;
        if (!parsed) {
            EXPECT_TRUE(value.is<picojson::null>()) << row.name;
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
