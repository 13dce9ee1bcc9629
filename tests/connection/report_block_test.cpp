#include <gtest/gtest.h>

#include "connection/report_block.h"
#include "protocol/login.h"
#include "support/test_util.h"

namespace {

TEST(ReportBlock, SeparatorMarkerFrameAndDump) {
    const std::vector<uint8_t> frame = zt::bytes("78 78 05 01 00 01 D9 DC 0D 0A");
    Zuno::ZunoLoginResp reply;
    ASSERT_EQ(reply.decode(frame), 0);
    const std::string separator(124, '/');
    EXPECT_EQ(Zuno::reportBlock("<< ", frame, &reply),
              separator + "\n<< 78 78 05 01 00 01 D9 DC 0D 0A\n" +
                  zt::readTestFile("golden/login_reply_block.txt") + "\n");
    // A frame without a message object has no dump line.
    EXPECT_EQ(Zuno::reportBlock(">> ", frame, nullptr), separator + "\n>> 78 78 05 01 00 01 D9 DC 0D 0A\n");
    EXPECT_EQ(Zuno::reportSeparator(), separator);
}

} // namespace
