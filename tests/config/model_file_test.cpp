// The header of a configuration text and the indented form files are written in.

#include <string>

#include <gtest/gtest.h>

#include "config/model_file.h"

TEST(ModelHeader, CmdAndProtocolWhenStrings) {
    Zuno::ModelHeader h;
    ASSERT_TRUE(Zuno::readModelHeader(R"({"cmd": "LOGIN", "protocol": "base", "components": []})", h));
    EXPECT_EQ(h.cmd, "LOGIN");
    EXPECT_EQ(h.protocol, "base");
    // Both keys must be strings; an empty string is one.
    for (const char* text : {R"({"cmd": 1, "protocol": "p"})", R"({"cmd": "A"})", "[1]", "", R"({"cmd":"A","protocol":"p","n":1e999})"}) {
        EXPECT_FALSE(Zuno::readModelHeader(text, h)) << text;
        EXPECT_EQ(h.cmd, "") << text;
    }
    ASSERT_TRUE(Zuno::readModelHeader(R"({"cmd": "", "protocol": "p"})", h));
    EXPECT_EQ(h.protocol, "p");
}

TEST(ModelWriting, IndentedFormKeepsEveryKey) {
    const std::string text =
        R"({"protocol":"p","cmd":"GPS12","extra":1,"components":[)"
        R"({"value":"1","readOnly":true,"label":"a/b","component":"numberEdit","max":7},)"
        R"({"label":"日期时间","component":"dateTimeEdit","readOnly":false},)"
        R"({"label":"untouched","value":"u"}]})";
    std::string out;
    ASSERT_TRUE(Zuno::rewriteModelValues(text, {{0, "2"}, {1, "2020-03-01 08:05:09"}, {9, "x"}}, out));
    const std::string expected =
        "{\n"
        "  \"cmd\": \"GPS12\",\n"
        "  \"components\": [\n"
        "    {\n"
        "      \"component\": \"numberEdit\",\n"
        "      \"label\": \"a\\/b\",\n"
        "      \"max\": 7,\n"
        "      \"readOnly\": true,\n"
        "      \"value\": \"2\"\n"
        "    },\n"
        "    {\n"
        "      \"component\": \"dateTimeEdit\",\n"
        "      \"label\": \"日期时间\",\n"
        "      \"readOnly\": false,\n"
        "      \"value\": \"2020-03-01 08:05:09\"\n"
        "    },\n"
        "    {\n"
        "      \"label\": \"untouched\",\n"
        "      \"value\": \"u\"\n"
        "    }\n"
        "  ],\n"
        "  \"extra\": 1,\n"
        "  \"protocol\": \"p\"\n"
        "}\n";
    EXPECT_EQ(out, expected);

    // The written text reads back to the same values, "/" without its backslash.
    picojson::value back;
    ASSERT_TRUE(Zuno::parseJsonText(out, back));
    const picojson::array& components = back.get("components").get<picojson::array>();
    EXPECT_EQ(components[0].get("label").get<std::string>(), "a/b");
    EXPECT_EQ(components[0].get("value").get<std::string>(), "2");
    EXPECT_EQ(components[1].get("value").get<std::string>(), "2020-03-01 08:05:09");

    std::string untouched = "kept";
    EXPECT_FALSE(Zuno::rewriteModelValues("[]", {}, untouched));
    EXPECT_EQ(untouched, "kept");
}
