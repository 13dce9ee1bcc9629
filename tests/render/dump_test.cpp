// Header and trailer of every block, the plain base block, packet names and
// language names.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "protocol/message.h"
#include "render/dump.h"
#include "support/frame_fixture.h"
#include "support/test_util.h"

TEST(Block, HeaderAndTrailerOfAContentlessMessage) {
    zt::BareMessage m;
    ASSERT_EQ(m.decode(zt::bytes("78 78 05 01 00 01 D9 DC 0D 0A")), 0);
    EXPECT_EQ(m.toString(), zt::readTestFile("golden/login_reply_block.txt"));
}

TEST(Block, SeqLenAndCommandEdgeValues) {
    struct Case {
        uint16_t begin, len;
        uint8_t command;
        uint16_t seq;
        const char* lenLine;
        const char* commandLine;
        const char* seqLine;
    };
    const Case cases[] = {
        {0x7878, 5, 0x99, 0, "    \"len\" : \"5 (0x05)\",\n", "    \"command\" : \" (0x99)\",\n",
         "    \"seq\" : 0000 (0x0000),\n"},
        {0x7878, 5, 0xFF, 65535, "    \"len\" : \"5 (0x05)\",\n", "    \"command\" : \"UNKNOW (0xff)\",\n",
         "    \"seq\" : 65535 (0xffff),\n"},
        {0x7979, 5, 0x8A, 1, "    \"len\" : \"5 (0x0005)\",\n", "    \"command\" : \"校时包 (0x8a)\",\n",
         "    \"seq\" : 0001 (0x0001),\n"},
        {0x7979, 300, 0x01, 12345, "    \"len\" : \"300 (0x012c)\",\n", "    \"command\" : \"登录 (0x01)\",\n",
         "    \"seq\" : 12345 (0x3039),\n"},
    };
    for (const auto& c : cases) {
        zt::BareMessage m(c.command);
        m.begin = c.begin;
        m.len = c.len;
        m.seq = c.seq;
        const std::string text = m.toString();
        EXPECT_NE(text.find(c.lenLine), std::string::npos) << text;
        EXPECT_NE(text.find(c.commandLine), std::string::npos) << text;
        EXPECT_NE(text.find(c.seqLine), std::string::npos) << text;
    }
}

TEST(Block, PlainBaseBlock) {
    Zuno::ZunoMSG m(0x01);
    m.len = 5;
    m.seq = 1;
    m.crc = 0xD9DC;
    EXPECT_EQ(m.toString(),
              "\"MSG\" : { \n"
              "    \"begin\" : 0x7878,\n"
              "    \"len\" : 5,\n"
              "    \"command\" : \"登录\",\n"
              "    \"seq\" : 0001,\n"
              "    \"crc\" : 0xd9dc,\n"
              "    \"stop\" : 0x0d0a\n"
              "}\n");
}

// A number without a row has no name, and looking it up adds none: the
// table keeps its 62 rows after every lookup of every number.
TEST(CommandName, LookupsNeverInsert) {
    const struct Case {
        uint8_t protocol;
        const char* name;
    } cases[] = {
        {0xFF, "UNKNOW"}, {0x8A, "校时包"}, {0x00, "IP请求包, IP回复包"}, {0xC3, "后视镜WIFI信息采集包"},
        {0x99, ""},       {0x02, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Zuno::ZunoMSG::commandName(c.protocol), c.name) << int(c.protocol);
    for (unsigned p = 0; p <= 0xFF; ++p)
        Zuno::ZunoMSG::commandName(static_cast<uint8_t>(p));
    EXPECT_EQ(Zuno::commandNameCount(), 62u);
}

TEST(CommandName, AnswersFromManyThreadsAtOnce) {
    std::vector<std::thread> threads;
    std::vector<int> wrong(8, 0);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([t, &wrong] {
            for (int i = 0; i < 2000; ++i) {
                if (Zuno::ZunoMSG::commandName(0x01) != "登录") ++wrong[t];
                if (!Zuno::ZunoMSG::commandName(static_cast<uint8_t>(0x40 + t)).empty()) ++wrong[t];
            }
        });
    for (auto& th : threads) th.join();
    for (int w : wrong) EXPECT_EQ(w, 0);
}

TEST(LanguageName, TwoLowBits) {
    struct Case {
        uint16_t value;
        const char* name;
    };
    const Case cases[] = {{1, "ZH"}, {5, "ZH"}, {0x0101, "ZH"}, {2, "EN"}, {6, "EN"},
                          {0, ""},   {3, ""},   {7, ""},        {0xFFFF, ""}};
    for (const auto& c : cases) EXPECT_EQ(Zuno::languageName(c.value), c.name) << c.value;
}
