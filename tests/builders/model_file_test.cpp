// Reading model texts into label/value maps.

#include <string>

#include <gtest/gtest.h>

#include "builders/model_file.h"
#include "support/hostile_files.h"

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
    // Objects alike: the parser's own limit counts arrays only.
    EXPECT_FALSE(Zuno::readModelFields("{\"components\": [], \"x\": " + zt::nestedObjects(100000) + "}", fields));
}

TEST(ModelFields, PairsFirstLabelWinsOtherKeysIgnored) {
    const std::string text = R"({"cmd": "GPS12", "protocol": "p", "components": [
        {"label": "MCC", "component": "numberEdit", "readOnly": false, "value": "460"},
        {"label": "MCC", "value": "461"},
        {"label": " LAC ", "value": ""},
        {"label": "", "value": "x", "dataSource": {"inner": true, "data": []}}
    ]})";
    Zuno::LabelValueMap fields;
    ASSERT_TRUE(Zuno::readModelFields(text, fields));
    const Zuno::LabelValueMap expected{{"MCC", "460"}, {" LAC ", ""}, {"", "x"}};
    EXPECT_EQ(fields, expected);
    // What follows the document is no part of it and is not read.
    fields.clear();
    ASSERT_TRUE(Zuno::readModelFields(text + R"( {"components": "ignored"})", fields));
    EXPECT_EQ(fields, expected);
}
