// Body lines of the login and heartbeat dumps beyond the catalogue's goldens.
#include <gtest/gtest.h>

#include <string>

#include "protocol/login.h"
#include "protocol/time_sync.h"

namespace {

// The line of `text` that starts with `key` (after its indentation).
std::string lineOf(const std::string& text, const std::string& key) {
    const size_t at = text.find(key);
    if (at == std::string::npos) return "(no line " + key + ")";
    const size_t start = text.rfind('\n', at) + 1;
    return text.substr(start, text.find('\n', at) + 1 - start);
}

} // namespace

TEST(Ping23Dump, VoltageLine) {
    const struct {
        uint16_t powerLevel;
        const char* line;
    } cases[] = {
        {420, "    \"powerLevel\":\"100% | 4.2V (0x01a4)\",\n"},
        {300, "    \"powerLevel\":\"0% | 3V (0x012c)\",\n"},
        {377, "    \"powerLevel\":\"35% | 3.77V (0x0179)\",\n"},
        {365, "    \"powerLevel\":\"0% | 3.65V (0x016d)\",\n"},
        {401, "    \"powerLevel\":\"81% | 4.01V (0x0191)\",\n"},
        {65535, "    \"powerLevel\":\"100% | 655.35V (0xffff)\",\n"},
    };
    for (const auto& c : cases) {
        Zuno::ZunoPing23 m;
        m.powerLevel = c.powerLevel;
        EXPECT_EQ(lineOf(m.toString(), "\"powerLevel\""), c.line);
    }
}

TEST(LoginDump, TimeZoneLanguageAndImeiLines) {
    Zuno::ZunoLogin m;
    m.imei = "123456789012345"; // as built, before any encode
    m.type = 0x1234;            // no row
    m.TimeZoneAndLanguage.timeZone = 530;
    m.TimeZoneAndLanguage.westZone = 1;
    const std::string text = m.toString();
    EXPECT_EQ(lineOf(text, "\"imei\""), "    \"imei\":\"123456789012345 (0x0123456789012345)\",\n");
    EXPECT_EQ(lineOf(text, "\"type\""), "    \"type\":\" (0x1234)\",\n");
    EXPECT_EQ(lineOf(text, "\"TimeZone\""), "        \"TimeZone\": \"GMT-0530\",\n");
    EXPECT_EQ(lineOf(text, "\"Language\""), "        \"Language\": \"Error\"\n");
    EXPECT_EQ(lineOf(text, "\"_DATA\""), "        \"_DATA\": \" (0x2128)\",\n");

    const struct {
        uint8_t language;
        const char* text;
    } languages[] = {{1, "ZH"}, {2, "EN"}, {3, "EN"}};
    for (const auto& l : languages) {
        m.TimeZoneAndLanguage.language = l.language;
        EXPECT_EQ(lineOf(m.toString(), "\"Language\""), std::string("        \"Language\": \"") + l.text + "\"\n");
    }
    // The kept reserved bit shows in the word; a longer IMEI is written whole.
    m.TimeZoneAndLanguage.zoneReserved = 1;
    m.imei = "01234567890123456";
    EXPECT_EQ(lineOf(m.toString(), "\"_DATA\""), "        \"_DATA\": \" (0x212f)\",\n");
    EXPECT_EQ(lineOf(m.toString(), "\"imei\""), "    \"imei\":\"01234567890123456 (0x01234567890123456)\",\n");
}

TEST(Ping13Dump, LanguageWordOutsideItsNames) {
    Zuno::ZunoPing13 m;
    m.languageOrExt = 3;
    EXPECT_EQ(lineOf(m.toString(), "\"languageOrExt\""), "    \"languageOrExt\":\" (0x0003)\",\n");
}

TEST(TimeDump, LineEndsWithABlank) {
    Zuno::ZunoSyncTime1FResp m;
    m.time = 0x13010F081E00ull;
    EXPECT_EQ(lineOf(m.toString(), "\"time\""), "    \"time\" : \"2019-01-15 08:30:00 (0x13010f081e00)\", \n");
}
