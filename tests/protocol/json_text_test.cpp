// The one JSON reader: it reads the first value of a text, says what
// followed it, and no text makes it recurse without end or throw.
#include <gtest/gtest.h>

#include <string>

#include "protocol/json_text.h"
#include "support/hostile_files.h"

namespace {

using Zuno::JsonRead;

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
        JsonRead::Kind kind;
    } rows[] = {
        {"objects at the limit", zt::nestedObjects(Zuno::kMaxJsonDepth), JsonRead::Value},
        {"objects past the limit", zt::nestedObjects(Zuno::kMaxJsonDepth + 1), JsonRead::TooDeep},
        {"mixed at the limit", mixed(Zuno::kMaxJsonDepth), JsonRead::Value},
        {"mixed past the limit", mixed(Zuno::kMaxJsonDepth + 1), JsonRead::TooDeep},
        // picojson's own bound on arrays (100) is not the program's.
        {"arrays past picojson's own bound", arrays(101), JsonRead::Value},
        {"arrays at the limit", arrays(Zuno::kMaxJsonDepth), JsonRead::Value},
        {"arrays past the limit", arrays(Zuno::kMaxJsonDepth + 1), JsonRead::TooDeep},
        {"unclosed", std::string(100000, '['), JsonRead::TooDeep},
        // Brackets in strings are text, an escaped quote ends no string.
        {"brackets in a string",
         "{\"k\": \"" + std::string(1000, '[') + "\\\"" + std::string(1000, '{') + "\"}", JsonRead::Value},
        {"siblings", siblings(1000), JsonRead::Value},
        {"siblings, each at the limit",
         "[" + arrays(Zuno::kMaxJsonDepth - 1) + "," + arrays(Zuno::kMaxJsonDepth - 1) + "]", JsonRead::Value},
        // What follows the first value is never parsed.
        {"after the value", "{}" + std::string(1000, '['), JsonRead::ValueThenText},
        {"after a number", "1 " + std::string(1000, '['), JsonRead::ValueThenText},
        {"after a string", "\"[\" " + std::string(1000, '['), JsonRead::ValueThenText},
    };
    for (const auto& row : rows) {
        picojson::value value;
        const JsonRead read = Zuno::parseJsonText(row.text, value);
        EXPECT_EQ(read.kind, row.kind) << row.name;
        EXPECT_EQ(static_cast<bool>(read), !value.is<picojson::null>()) << row.name;
        EXPECT_EQ(Zuno::jsonReadProblem(read) == "JSON嵌套超过256层", row.kind == JsonRead::TooDeep) << row.name;
    }
}

// The first value is read; what follows it (a note, a second value, a
// trailing comma) is ignored, and where it starts is told.
TEST(JsonText, TextAfterTheValueIsIgnoredAndWhereItStartsIsTold) {
    const struct {
        const char* name;
        std::string text;
        JsonRead::Kind kind;
        size_t at;
        size_t line;
        const char* value; // the value read, serialised
    } rows[] = {
        {"white space after", "{\"a\": 1} \t\r\n \n", JsonRead::Value, 14, 3, "{\"a\":1}"},
        {"white space before", " \n[1]", JsonRead::Value, 5, 2, "[1]"},
        {"a note after the object", "{\"cmd\": \"LOGIN\"}\n// IMEI of the test unit\n", JsonRead::ValueThenText, 17, 2,
         "{\"cmd\":\"LOGIN\"}"},
        {"a second value", "{}\n\n{\"b\":2}", JsonRead::ValueThenText, 4, 3, "{}"},
        {"right after the value", "[1]x", JsonRead::ValueThenText, 3, 1, "[1]"},
        {"two numbers", "1 2", JsonRead::ValueThenText, 2, 1, "1"},
        {"a NUL after the value", std::string("{}\0", 3), JsonRead::ValueThenText, 2, 1, "{}"},
        {"a form feed is no JSON white space", "{}\f", JsonRead::ValueThenText, 2, 1, "{}"},
        {"a trailing comma", "{\"a\":1},\n", JsonRead::ValueThenText, 7, 1, "{\"a\":1}"},
    };
    for (const auto& row : rows) {
        picojson::value value;
        const JsonRead read = Zuno::parseJsonText(row.text, value);
        EXPECT_EQ(read.kind, row.kind) << row.name;
        EXPECT_TRUE(read) << row.name;
        EXPECT_EQ(read.at, row.at) << row.name;
        EXPECT_EQ(read.line, row.line) << row.name;
        EXPECT_EQ(value.serialize(), row.value) << row.name;
        EXPECT_EQ(Zuno::jsonReadProblem(read),
                  row.kind == JsonRead::Value ? "" : "第" + std::to_string(row.line) + "行起JSON值之后还有内容")
            << row.name;
    }
}

// Texts that give no value, each with its reason and the line it stops at.
TEST(JsonText, NoValueSaysWhyAndWhere) {
    const struct {
        std::string text;
        JsonRead::Kind kind;
        const char* why;
    } rows[] = {
        {"", JsonRead::NotJson, "不是有效的JSON (第1行)"},
        {"  \n ", JsonRead::NotJson, "不是有效的JSON (第2行)"},
        {"{", JsonRead::NotJson, "不是有效的JSON (第1行)"},
        {"plain words", JsonRead::NotJson, "不是有效的JSON (第1行)"},
        {"{\n\"a\": \n tru}", JsonRead::NotJson, "不是有效的JSON (第3行)"},
        {"{\"s\": \"line\nbreak\"}", JsonRead::NotJson, "不是有效的JSON (第1行)"},
        // A number no double holds: the parser cannot keep it.
        {"{\n\"a\": 1e999}", JsonRead::NumberTooLarge, "不是有效的JSON (第2行: 数值超出范围)"},
        {"[-1e400]", JsonRead::NumberTooLarge, "不是有效的JSON (第1行: 数值超出范围)"},
        {zt::nestedObjects(100000), JsonRead::TooDeep, "JSON嵌套超过256层"},
    };
    for (const auto& row : rows) {
        picojson::value value(1.5);
        Zuno::JsonMemberSpans spans{{"stale", {0, 1}}};
        const JsonRead read = Zuno::parseJsonText(row.text, value, &spans);
        EXPECT_EQ(read.kind, row.kind) << row.text.substr(0, 20);
        EXPECT_FALSE(read) << row.text.substr(0, 20);
        EXPECT_TRUE(value.is<picojson::null>()) << row.text.substr(0, 20);
        EXPECT_TRUE(spans.empty()) << row.text.substr(0, 20);
        EXPECT_EQ(Zuno::jsonReadProblem(read), row.why) << row.text.substr(0, 20);
    }
    // Small numbers and integers past 64 bits are doubles.
    picojson::value value;
    ASSERT_EQ(Zuno::parseJsonText("[1e-400, 99999999999999999999]", value).kind, JsonRead::Value);
    EXPECT_EQ(value.get(0).get<double>(), 0.0);
    EXPECT_EQ(value.get(1).get<double>(), 1e20);
}

// Where each member of a root object is written: its own characters, for
// messages that quote a value as the file has it.
TEST(JsonText, MembersOfARootObjectKeepWhereTheyAreWritten) {
    const std::string text =
        "{ \"ip\" : \"h\" , \"port\":1e3,\"duration\":\n  -1, \"x\": {\"y\": [1, 2]}, \"s\": \"a\\\"b\", "
        "\"n\": null, \"t\": true, \"ip\": \"last\"}\n// after";
    picojson::value value;
    Zuno::JsonMemberSpans spans;
    ASSERT_EQ(Zuno::parseJsonText(text, value, &spans).kind, JsonRead::ValueThenText);
    std::map<std::string, std::string> written;
    for (const auto& span : spans)
        written[span.first] = text.substr(span.second.first, span.second.second - span.second.first);
    const std::map<std::string, std::string> expected{
        {"ip", "\"last\""}, {"port", "1e3"},  {"duration", "-1"}, {"x", "{\"y\": [1, 2]}"},
        {"s", "\"a\\\"b\""}, {"n", "null"}, {"t", "true"}};
    EXPECT_EQ(written, expected);
    EXPECT_EQ(value.get("ip").get<std::string>(), "last");

    // Only a root object has them.
    ASSERT_TRUE(Zuno::parseJsonText("[{\"a\": 1}]", value, &spans));
    EXPECT_TRUE(spans.empty());
}

} // namespace
