// The protocol error object and its message table.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "protocol/message.h"
#include "render/exception.h"
#include "support/test_util.h"

using Zuno::ZunoException;

TEST(Exception, StopByteBlockByteForByte) {
    ZunoException e;
    EXPECT_EQ(e.code, 0);
    EXPECT_TRUE(e.message.empty());
    e.code = -2;
    e.message = ZunoException::messageOf(e.code);
    EXPECT_EQ(e.toString(), zt::readTestFile("golden/exception_stop_bytes.txt"));
}

TEST(Exception, BlockEndsWithBraceAndWhatIsStable) {
    ZunoException e(1, "Hex String error");
    const std::string text = e.toString();
    EXPECT_EQ(text.back(), '}');
    EXPECT_NE(text.find("     \"code\" : 1,\n"), std::string::npos);
    const std::string first = e.what();
    const std::string second = e.what();
    EXPECT_EQ(first, text);
    EXPECT_EQ(second, text);
}

// A text returned earlier is still readable after later calls (the sanitizer
// reports a read of freed memory otherwise), also when two threads ask at once.
TEST(Exception, WhatOfAnUnchangedObjectStaysValid) {
    ZunoException e(-2, ZunoException::messageOf(-2));
    const std::string text = e.toString();
    const char* first = e.what();
    EXPECT_EQ(std::strcmp(first, e.what()), 0);
    EXPECT_EQ(first, e.what());

    std::vector<std::thread> threads;
    std::vector<int> mismatches(2, 0);
    for (size_t t = 0; t < mismatches.size(); ++t)
        threads.emplace_back([&e, &text, &mismatches, t] {
            for (int i = 0; i < 2000; ++i)
                if (text != e.what()) ++mismatches[t];
        });
    for (auto& th : threads) th.join();
    EXPECT_EQ(mismatches, std::vector<int>(2, 0));
    EXPECT_STREQ(first, text.c_str());

    // A changed object gives its new text; a copy gives its own.
    e.code = 1;
    EXPECT_NE(std::string(e.what()).find("     \"code\" : 1,\n"), std::string::npos);
    ZunoException copy(e);
    EXPECT_STREQ(copy.what(), e.what());
    EXPECT_NE(copy.what(), e.what());
}

TEST(Exception, MessageTable) {
    struct Case {
        int code;
        const char* message;
    };
    const Case cases[] = {
        {0, "正常"},
        {1, "Hex String error"},
        {2, "Data length error"},
        {3, "Data Pack Header error"},
        {5, "Unknow Protocol"},
        {-1, "数据包为空"},
        {-2, "停止位错误"},
        {-3, "校验码错误"},
        {-4, "地址数据包长度错误"},
        {-5, "GPS长度错误"},
        {-6, "主基站长度错误"},
        {-7, "从基站长度错误"},
        {-8, "WiFi信息长度错误"},
        {-9, "预留扩展位长度错误"},
        {-268435455, "未知错误"},
        {Zuno::kErrLengthOverflow, "数据长度超出长度字段范围"},
        {Zuno::kErrContentShort, "数据内容短于格式所需长度"},
        {Zuno::kErrFrameShort, "数据包短于长度字段所示长度"},
        {4, ""},
        {6, ""},
        {-10, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ZunoException::messageOf(c.code), c.message) << c.code;
    // 15 rows of the original table plus the length-overflow row and the two
    // short-frame rows; lookups add none.
    EXPECT_EQ(ZunoException::messageCount(), 18u);
}
