// Command-reply builders: codings, the command length they compute from the
// bytes the text takes on the wire, and the replies that could not be sent.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model_text.h"
#include "protocol/command.h"
#include "support/test_util.h"

using bt::Pairs;

namespace {

std::vector<uint8_t> encoded(Zuno::ZunoMSG& m) {
    std::vector<uint8_t> out;
    EXPECT_EQ(m.encode(out), 0);
    return out;
}

} // namespace

TEST(Action80RespBuilder, CommandLengthCountsTheTextBytesOnTheWire) {
    struct Case {
        const char* what;
        Pairs model;
        uint8_t dataLen;
    };
    const Case cases[] = {
        {"empty map", {}, 6},
        {"two letters, language included", {{"回复指令", "ok"}, {"包含语言", "1"}}, 6},
        {"two letters, language not included", {{"回复指令", "ok"}, {"包含语言", "0"}}, 8},
        {"two letters, no such label", {{"回复指令", "ok"}}, 8},
        {"包含语言 257 is 1", {{"回复指令", "ok"}, {"包含语言", "257"}}, 6},
        // Three Chinese characters: 9 bytes in UTF-8, 6 in UTF-16BE.
        {"three characters in UTF-8", {{"回复指令", "你好吗"}, {"告警语言", "2"}}, 15},
        {"three characters in UTF-16BE", {{"回复指令", "你好吗"}, {"告警语言", "513"}}, 12},
        // The field holds 30 bytes: the text is counted as the encoder cuts it.
        {"text longer than the field", {{"回复指令", std::string(40, 'x')}}, 36},
    };
    for (const Case& c : cases) {
        auto m = bt::build<Zuno::ZunoAction80Resp>(0x80, c.model);
        ASSERT_NE(m, nullptr) << c.what;
        EXPECT_EQ(m->dataLen, c.dataLen) << c.what;
        const auto frame = encoded(*m);
        EXPECT_EQ(frame.size(), 47u) << c.what;
        EXPECT_EQ(frame[4], c.dataLen) << c.what;
    }
}

TEST(Action80RespBuilder, FieldsAndTextCoding) {
    auto empty = bt::build<Zuno::ZunoAction80Resp>(0x80, {});
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->command, 0x80);
    EXPECT_EQ(empty->flag, 0u);
    EXPECT_TRUE(empty->content.empty());
    EXPECT_EQ(empty->AlertAndLang.alert, 0);
    EXPECT_EQ(empty->AlertAndLang.language, 0);

    auto m = bt::build<Zuno::ZunoAction80Resp>(
        0x80, {{"服务器标志", "-1"}, {"回复指令", " \n位置\t "}, {"告警语言", "513"}});
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->flag, 0xFFFFFFFFu);
    EXPECT_EQ(m->content, u"位置");
    EXPECT_EQ(m->AlertAndLang.alert, 2);
    EXPECT_EQ(m->AlertAndLang.language, 1);
    const auto frame = encoded(*m);
    // dataLen | flag | 位置 in UTF-16BE ...
    EXPECT_EQ(zt::hex(std::vector<uint8_t>(frame.begin() + 4, frame.begin() + 13)), "0A FF FF FF FF 4F 4D 7F 6E");
}

TEST(Action81Builder, CodingWordAndCommandLength) {
    struct Case {
        const char* coding;
        uint8_t alert, language;
        const char* text;
        uint8_t dataLen;
    };
    const Case cases[] = {
        {nullptr, 0, 0, "", 6},          // empty map
        {"1", 0, 1, "ab", 10},           // UTF-16BE: 4 bytes
        {"2", 0, 2, "ab", 8},            // UTF-8: 2 bytes
        {"2", 0, 2, "你好吗", 15},       // UTF-8: 9 bytes
        {"257", 1, 1, "你好吗", 12},     // alarm 1, UTF-16BE: 6 bytes
    };
    for (const Case& c : cases) {
        Pairs model;
        if (c.coding) model = {{"字符编码", c.coding}, {"回复指令", c.text}};
        auto m = bt::build<Zuno::ZunoAction81>(0x81, model);
        ASSERT_NE(m, nullptr) << c.text;
        EXPECT_EQ(m->AlertAndLang.alert, c.alert) << c.text;
        EXPECT_EQ(m->AlertAndLang.language, c.language) << c.text;
        EXPECT_EQ(m->dataLen, c.dataLen) << c.text;
        EXPECT_EQ(encoded(*m)[4], c.dataLen) << c.text;
    }
}

TEST(Action21Builder, OnlyCodingsOneAndTwo) {
    struct Case {
        const char* coding; // nullptr: no such label
        bool builds;
    };
    const Case cases[] = {{"1", true}, {"2", true}, {nullptr, false}, {"0", false},
                          {"256", false}, {"3", false}, {"258", true}};
    for (const Case& c : cases) {
        Pairs model = {{"服务器标志", "7"}, {"回复指令", "OK"}};
        if (c.coding) model.push_back({"字符编码", c.coding});
        auto m = bt::build<Zuno::ZunoAction21>(0x21, model);
        EXPECT_EQ(m != nullptr, c.builds) << (c.coding ? c.coding : "none");
        if (m) {
            EXPECT_EQ(m->flag, 7u);
            EXPECT_EQ(m->content, u"OK");
            std::vector<uint8_t> out;
            EXPECT_EQ(m->encode(out), 0) << "every built reply encodes";
        }
    }
}

// A reply whose text makes the frame's one-byte length overflow could never
// be sent: such a model builds nothing (the 0x81 command length would also
// wrap, 250 units giving 0).
TEST(CommandReplyBuilders, TextThatCannotBeSentBuildsNothing) {
    struct Case {
        uint8_t protocol;
        Pairs extra;
        size_t largest; // the longest ASCII text that still fits
    };
    const Case cases[] = {
        {0x21, {{"字符编码", "1"}}, 245},
        {0x81, {{"字符编码", "2"}}, 243},
        {0x81, {{"字符编码", "1"}}, 121}, // two bytes per unit
    };
    for (const Case& c : cases) {
        for (size_t n : {c.largest, c.largest + 1, size_t{250}}) {
            Pairs model = c.extra;
            model.push_back({"回复指令", std::string(n, 'x')});
            auto m = buildMessage(c.protocol, bt::modelText(model));
            EXPECT_EQ(m != nullptr, n <= c.largest) << int(c.protocol) << " with " << n;
            if (m) {
                std::vector<uint8_t> out;
                EXPECT_EQ(m->encode(out), 0);
                EXPECT_GE(out[2], 0xFE) << "the frame is as long as a short frame gets";
            }
        }
    }
}

// A reply that is not built says why, in words the status bar can show.
TEST(CommandReplyBuilders, ARefusedReplySaysWhy) {
    struct Case {
        const char* what;
        uint8_t protocol;
        std::string model;
        const char* why; // "" when the reply is built
    };
    const std::string cjk82 = [] {
        std::string s;
        for (int i = 0; i < 82; ++i) s += "中";
        return s;
    }();
    const Case cases[] = {
        {"0x21 coding 3", 0x21, bt::modelText({{"字符编码", "3"}, {"回复指令", "OK"}}),
         "字符编码 3 无效, 只能是 1 (UTF-8) 或 2 (UTF-16BE)"},
        {"0x21 without coding", 0x21, bt::modelText({{"回复指令", "OK"}}),
         "字符编码 0 无效, 只能是 1 (UTF-8) 或 2 (UTF-16BE)"},
        {"0x21 text too long", 0x21, bt::modelText({{"字符编码", "1"}, {"回复指令", cjk82}}),
         "回复指令过长: UTF-8 编码 246 字节, 最多 245 字节"},
        {"0x81 text too long in UTF-8", 0x81, bt::modelText({{"字符编码", "2"}, {"回复指令", cjk82}}),
         "回复指令过长: UTF-8 编码 246 字节, 最多 243 字节"},
        {"0x81 text too long in UTF-16BE", 0x81,
         bt::modelText({{"字符编码", "1"}, {"回复指令", std::string(122, 'x')}}),
         "回复指令过长: UTF-16BE 编码 244 字节, 最多 243 字节"},
        {"0x21 value that is no number", 0x21, bt::modelText({{"字符编码", "x"}, {"回复指令", "OK"}}),
         "字段 \"字符编码\" 的值无效"},
        {"model that is no JSON", 0x81, "{\"components\":", "消息模型格式错误"},
        {"protocol without builder", 0x70, bt::modelText({}), "协议号 0x70 没有对应的消息"},
        {"0x81 built", 0x81, bt::modelText({{"字符编码", "2"}, {"回复指令", "OK"}}), ""},
        {"0x21 built", 0x21, bt::modelText({{"字符编码", "2"}, {"回复指令", "OK"}}), ""},
    };
    for (const Case& c : cases) {
        const BuildOutcome outcome = buildMessageExplained(c.protocol, c.model);
        EXPECT_EQ(outcome.error, c.why) << c.what;
        EXPECT_EQ(outcome.message != nullptr, *c.why == '\0') << c.what;
        EXPECT_EQ(buildMessage(c.protocol, c.model) != nullptr, outcome.message != nullptr) << c.what;
    }
}
