// The label test, the builder loop and every conversion rule, as tables.

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "builders/field_rules.h"

using Zuno::FieldLabel;
using Zuno::LabelTable;
namespace rule = Zuno::rule;

TEST(StartsWith, PrefixAtPositionZeroOnly) {
    struct Case { const char* text; const char* prefix; bool expected; };
    const Case cases[] = {
        {"LAC0", "LAC", true},   {"LAC", "LAC", true},     {"LAC", "LAC0", false},
        {"xLAC", "LAC", false},  {"", "LAC", false},       {"MCC", "", true},
        {"电压等级", "电压", true}, {"电压", "电压等级", false}, {"MCC ", "MCC", true},
        {" MCC", "MCC", false},
    };
    for (const Case& c : cases) EXPECT_EQ(startsWith(c.text, c.prefix), c.expected) << c.text << " / " << c.prefix;
}

TEST(NumberParse, ReadsAsStoiWithoutThrowing) {
    struct Case { const char* value; bool ok; int32_t n; };
    const Case cases[] = {
        {"12abc", true, 12}, {" -3", true, -3}, {"460 ", true, 460}, {"+5", true, 5},
        {"\t\n\v\f\r7", true, 7}, {"0x10", true, 0}, {"0007", true, 7},
        {"2147483647", true, 2147483647}, {"-2147483648", true, INT32_MIN},
        {"abc", false, 0}, {"", false, 0}, {"-", false, 0}, {"+", false, 0}, {" ", false, 0},
        {"- 1", false, 0}, {"2147483648", false, 0}, {"3000000000", false, 0},
        {"-2147483649", false, 0}, {"99999999999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        int32_t n = -99;
        EXPECT_EQ(Zuno::parseInt32(c.value, n), c.ok) << c.value;
        if (c.ok) {
            EXPECT_EQ(n, c.n) << c.value;
        }
    }
}

TEST(NumberParse, Unsigned32AcceptsWholeRange) {
    struct Case { const char* value; bool ok; uint32_t n; };
    const Case cases[] = {
        {"0", true, 0}, {"4294967295", true, 4294967295u}, {"3000000000", true, 3000000000u},
        {"-1", true, 0xFFFFFFFFu}, {"-2147483648", true, 0x80000000u},
        {"4294967296", false, 0}, {"-2147483649", false, 0}, {"x1", false, 0},
        {"18446744073709551617", false, 0},
    };
    for (const Case& c : cases) {
        uint32_t n = 7;
        EXPECT_EQ(Zuno::parseUInt32(c.value, n), c.ok) << c.value;
        if (c.ok) {
            EXPECT_EQ(n, c.n) << c.value;
        }
    }
}

TEST(DateTime, PacksSixFieldsAsSscanfReadsThem) {
    struct Case { const char* text; uint64_t expected; };
    const Case cases[] = {
        {"2019-01-02 03:04:05", 0x130102030405ull},
        {"2020-03-01 08:05:09", 0x140301080509ull},
        {"2255-12-31 23:59:59", 0xFF0C1F173B3Bull},
        {"  2019-1-2   3:4:5", 0x130102030405ull},    // %d skips leading blanks
        {"2019-01-02", 0x130102000000ull},            // time not reached
        {"2019-01-02T03:04:05", 0x130102000000ull},   // stops at the T
        {"2019/01/02", 0x130000000000ull},
        {"now", 0x300000000000ull},                   // nothing read: year byte (0 - 2000) & 0xFF
        {"", 0x300000000000ull},
        {"2019-01-02 03:04:05 extra", 0x130102030405ull},
        {"1999-01-01 00:00:00", 0xFF0101000000ull},   // year wraps in its byte
        {"2019-300-1 1:1:1", 0x132C01010101ull},      // low byte of each number
        {"2019--1-1 0:0:0", 0x13FF01000000ull},       // "-1" after the dash
        // Numbers far beyond an int: bounded, the low bits of the digits kept.
        {"99999999999999999999-99999999999999999999-1 0:0:0", (47ull << 40) | (255ull << 32) | (1ull << 24)},
    };
    for (const Case& c : cases) EXPECT_EQ(Zuno::stringToDateTime(c.text), c.expected) << c.text;
    EXPECT_EQ(Zuno::stringToDateTime(std::string("2019-01-02\0 03:04:05", 20)), 0x130102000000ull);
}

namespace {

// Applies one rule to one value and reports the working value as a number.
struct RuleCase {
    const char* rule;
    const char* value;
    bool ok;
    uint64_t expected;
};

bool applyRule(const std::string& name, const std::string& value, uint64_t& result) {
    uint8_t b = 0, b2 = 0;
    uint16_t w = 0;
    uint32_t d = 0;
    uint32_t s = 0;
    uint64_t q = 0;
    FieldLabel label;
    if (name == "number8") label = rule::number8("L", b);
    else if (name == "number16") label = rule::number16("L", w);
    else if (name == "number32") label = rule::number32("L", d);
    else if (name == "lowByte") label = rule::lowByte("L", w);
    else if (name == "flag") label = rule::flag("L", b);
    else if (name == "satellites") label = rule::satellites("L", b);
    else if (name == "coordinate") label = rule::coordinate("L", s);
    else if (name == "courseStatus") label = rule::courseStatus("L", w);
    else if (name == "cellId") label = rule::cellId("L", d);
    else if (name == "terminalInfo") label = rule::terminalInfo("L", b);
    else if (name == "alarmLanguage") label = rule::alarmLanguage("L", b, b2);
    else if (name == "dateTime") label = rule::dateTime("L", q);
    else if (name == "mac") label = rule::macAddress("L", q);
    else ADD_FAILURE() << "unknown rule " << name;
    const bool ok = label.apply(value);
    if (name == "alarmLanguage") result = uint64_t{b} << 8 | b2;
    else result = uint64_t{b} | w | d | s | q;
    return ok;
}

} // namespace

TEST(ConversionRules, Table) {
    const RuleCase cases[] = {
        {"number8", "300", true, 44},          {"number8", "-1", true, 255},
        {"number8", "12abc", true, 12},        {"number8", "abc", false, 0},
        {"number8", "3000000000", false, 0},   {"number16", "70000", true, 4464},
        {"number16", "-1", true, 0xFFFF},      {"number16", "460 ", true, 460},
        {"number32", "4294967295", true, 4294967295u}, {"number32", "3000000000", true, 3000000000u},
        {"number32", "-1", true, 0xFFFFFFFFu}, {"number32", "4294967296", false, 0},
        {"lowByte", "300", true, 44},          {"lowByte", "257", true, 1},
        {"flag", "1", true, 1},                {"flag", "257", true, 1},
        {"flag", "2", true, 0},                {"flag", "0", true, 0},
        {"flag", "x", false, 0},
        {"satellites", "12", true, 0xCC},      {"satellites", "0", true, 0xC0},
        {"satellites", "15", true, 0xCF},      {"satellites", "64", true, 0},
        {"satellites", "-2147483648", true, 0xC0},
        {"coordinate", "22543210", true, 40577778},
        {"coordinate", "113943210", true, 205097778},
        {"coordinate", "-22543210", true, static_cast<uint32_t>(-40577778)},
        {"coordinate", "2147483647", true, static_cast<uint32_t>(3865470564u)},
        {"coordinate", "1", true, 1},          {"coordinate", "-1", true, static_cast<uint32_t>(-1)},
        {"courseStatus", "7270", true, 7270},  {"courseStatus", "65535", true, 0x3FFF},
        {"courseStatus", "16384", true, 0},
        {"cellId", "12345", true, 12345},      {"cellId", "4294967295", true, 4294967295u},
        {"cellId", "x", false, 0},
        {"terminalInfo", "448", true, 0xC0},   {"terminalInfo", "70", true, 0x46},
        {"alarmLanguage", "257", true, 0x0101}, {"alarmLanguage", "2", true, 0x0002},
        {"alarmLanguage", "65535", true, 0xFFFF}, {"alarmLanguage", "65538", true, 0x0002},
        {"dateTime", "2019-01-02 03:04:05", true, 0x130102030405ull},
        {"mac", "AA-BB-CC-DD-EE-FF", true, 0xAABBCCDDEEFFull},
        {"mac", "aabbccddeeff", true, 0xAABBCCDDEEFFull},
        {"mac", "AABB", true, 0xAABB00000000ull},
        {"mac", "ABC", true, 0x0ABC00000000ull},     // odd: first digit alone
        {"mac", "GG-11", true, 0x001100000000ull},   // no digit counts as 0
        {"mac", "-", true, 0},                       // no bytes: slot left as it was
        {"mac", "AA:BB:CC:DD:EE:FF", false, 0},      // 17 characters: more than six bytes
        {"mac", "AABBCCDDEEFF00", false, 0},
        {"mac", "AABBCCDDEEFF0", false, 0},
    };
    for (const RuleCase& c : cases) {
        uint64_t result = 0;
        const bool ok = applyRule(c.rule, c.value, result);
        EXPECT_EQ(ok, c.ok) << c.rule << " " << c.value;
        if (c.ok && ok) {
            EXPECT_EQ(result, c.expected) << c.rule << " " << c.value;
        }
    }
}

TEST(ConversionRules, Texts) {
    std::string plain, trimmed;
    std::u16string wide;
    const LabelTable labels = {rule::text("A", plain), rule::trimmedText("B", trimmed),
                               rule::utf16Text("C", wide)};
    const std::string raw = " \t139 0000\r\n";
    ASSERT_TRUE(Zuno::readFields({{"A", raw}, {"B", raw}, {"C", std::string(" 中文\0x", 10)}}, labels));
    EXPECT_EQ(plain, raw);
    EXPECT_EQ(trimmed, "139 0000");
    EXPECT_EQ(wide, u"中文");
}

TEST(BuilderLoop, KeyOrderFirstLabelAndEmptyValues) {
    uint16_t lac = 0, mcc = 0, volt = 0;
    const LabelTable labels = {rule::number16("MCC", mcc), rule::number16("LAC", lac),
                               rule::number16("电压", volt)};
    struct Case {
        Zuno::LabelValueMap fields;
        uint16_t mcc, lac, volt;
    };
    const Case cases[] = {
        {{{"LAC", "1"}, {"LAC0", "2"}}, 0, 2, 0},          // the later key in order decides
        {{{"LAC", "1"}, {"LAC0", ""}}, 0, 1, 0},           // an empty value keeps the value
        {{{"MCC ", "460"}}, 460, 0, 0},                    // a blank after the label still matches
        {{{" MCC", "460"}}, 0, 0, 0},                      // labels are not trimmed
        {{{"电压等级", "420"}}, 0, 0, 420},
        {{{"", "5"}, {"XYZ", "abc"}}, 0, 0, 0},            // empty and unknown keys are ignored
    };
    for (const Case& c : cases) {
        mcc = lac = volt = 0;
        EXPECT_TRUE(Zuno::readFields(c.fields, labels));
        EXPECT_EQ(mcc, c.mcc);
        EXPECT_EQ(lac, c.lac);
        EXPECT_EQ(volt, c.volt);
    }
}

TEST(BuilderLoop, FirstLabelInTestOrderTakesTheEntry) {
    uint16_t longer = 0, shorter = 0;
    EXPECT_TRUE(Zuno::readFields({{"MCC", "5"}}, {rule::number16("MC", shorter), rule::number16("MCC", longer)}));
    EXPECT_EQ(shorter, 5);
    EXPECT_EQ(longer, 0);
}

TEST(BuilderLoop, OneBadNumberFailsWholeModel) {
    uint16_t a = 0, b = 0;
    const LabelTable labels = {rule::number16("A", a), rule::number16("B", b)};
    EXPECT_FALSE(Zuno::readFields({{"A", "1"}, {"B", "abc"}}, labels));
    EXPECT_FALSE(Zuno::readFields({{"A", "3000000000"}, {"B", "1"}}, labels));
    EXPECT_TRUE(Zuno::readFields({{"A", "1"}, {"C", "abc"}}, labels)) << "unmatched keys are not converted";
}

TEST(BuilderLoop, MacSlotClearedBeforeEachConversion) {
    uint64_t mac = 0;
    const LabelTable labels = {rule::macAddress("WiFiMAC地址0", mac)};
    ASSERT_TRUE(Zuno::readFields({{"WiFiMAC地址0", "AABBCCDDEEFF"}, {"WiFiMAC地址0x", "11"}}, labels));
    EXPECT_EQ(mac, 0x110000000000ull);
    ASSERT_TRUE(Zuno::readFields({{"WiFiMAC地址0", "AABBCCDDEEFF"}, {"WiFiMAC地址0x", "--"}}, labels));
    EXPECT_EQ(mac, 0xAABBCCDDEEFFull) << "a text without bytes leaves the slot";
}
