// Reading model texts into label/value maps and writing model documents.

#include <string>

#include <gtest/gtest.h>

#include "builders/model_file.h"

TEST(ModelFields, MalformedModelsGiveNothing) {
    const char* cases[] = {
        "",
        "{}",
        "[]",
        "not json",
        "{\"components\"",
        "{\"components\": {}}",
        "{\"components\": \"x\"}",
        "{\"components\": [1]}",
        "{\"components\": [{\"label\": \"MCC\"}]}",
        "{\"components\": [{\"value\": \"1\"}]}",
        "{\"components\": [{\"label\": 5, \"value\": \"1\"}]}",
        "{\"components\": [{\"label\": \"A\", \"value\": \"1\"}, {\"label\": \"MCC\", \"value\": 460}]}",
        "{\"components\": [{\"label\": \"A\", \"value\": null}]}",
        "{\"components\": [{\"label\": \"A\", \"value\": [\"1\"]}]}",
        // A number the parser cannot hold must not escape as an exception.
        "{\"x\": 1e999, \"components\": []}",
        "{\"components\": [{\"label\": \"A\", \"value\": \"1\", \"max\": -1e400}]}",
    };
    for (const char* text : cases) {
        Zuno::LabelValueMap fields{{"stale", "x"}};
        EXPECT_FALSE(Zuno::readModelFields(text, fields)) << text;
        EXPECT_TRUE(fields.empty()) << text;
    }
    // Nesting far deeper than any model is refused, not recursed into.
    const std::string deep = "{\"components\": " + std::string(100000, '[') + std::string(100000, ']') + "}";
    Zuno::LabelValueMap fields;
    EXPECT_FALSE(Zuno::readModelFields(deep, fields));
}

TEST(ModelFields, PairsFirstLabelWinsOtherKeysIgnored) {
    const std::string text = R"({"cmd": "GPS12", "protocol": "p", "components": [
        {"label": "MCC", "component": "numberEdit", "readOnly": false, "value": "460"},
        {"label": "MCC", "value": "461"},
        {"label": " LAC ", "value": ""},
        {"label": "", "value": "x", "dataSource": {"inner": true, "data": []}}
    ]} {"components": "ignored"})";
    Zuno::LabelValueMap fields;
    ASSERT_TRUE(Zuno::readModelFields(text, fields));
    const Zuno::LabelValueMap expected{{"MCC", "460"}, {" LAC ", ""}, {"", "x"}};
    EXPECT_EQ(fields, expected);
}

TEST(ModelHeader, CmdAndProtocolWhenStrings) {
    Zuno::ModelHeader h;
    ASSERT_TRUE(Zuno::readModelHeader(R"({"cmd": "LOGIN", "protocol": "base", "components": []})", h));
    EXPECT_EQ(h.cmd, "LOGIN");
    EXPECT_EQ(h.protocol, "base");
    ASSERT_TRUE(Zuno::readModelHeader(R"({"cmd": 1})", h));
    EXPECT_EQ(h.cmd, "");
    EXPECT_EQ(h.protocol, "");
    EXPECT_FALSE(Zuno::readModelHeader("[1]", h));
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
    Zuno::LabelValueMap fields;
    ASSERT_TRUE(Zuno::readModelFields(out, fields));
    EXPECT_EQ(fields.at("a/b"), "2");
    EXPECT_EQ(fields.at("日期时间"), "2020-03-01 08:05:09");

    std::string untouched = "kept";
    EXPECT_FALSE(Zuno::rewriteModelValues("[]", {}, untouched));
    EXPECT_EQ(untouched, "kept");
}
