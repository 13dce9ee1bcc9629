// Time request and time synchronisation packets.
#include <gtest/gtest.h>

#include "protocol/catalogue.h"
#include "protocol/time_sync.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

std::vector<CatalogueRow> timeSyncRows() {
    using namespace Zuno;
    return {
        {"SyncTime", makeOf<ZunoSyncTime>(), "78 78 05 8A 00 04 AB 3B 0D 0A", "sync_time.txt"},
        {"SyncTimeReply", makeOf<ZunoSyncTimeResp>(), "78 78 0B 8A 13 01 0F 08 1E 00 00 05 4D 45 0D 0A",
         "sync_time_reply.txt"},
        {"SyncTime1F", makeOf<ZunoSyncTime1F>(), "78 78 0D 1F 13 01 0F 08 1E 00 00 01 00 06 47 78 0D 0A",
         "sync_time_1f.txt"},
        {"SyncTime1FLongFrame", makeOf<ZunoSyncTime1F>(), "79 79 00 0D 1F 13 01 0F 08 1E 00 00 01 00 06 E8 4D 0D 0A",
         "sync_time_1f_long.txt"},
        {"SyncTime1FReply", makeOf<ZunoSyncTime1FResp>(), "78 78 0B 1F 13 01 0F 08 1E 00 00 07 27 0C 0D 0A",
         "sync_time_1f_reply.txt"},
    };
}

} // namespace

INSTANTIATE_TEST_SUITE_P(TimeSync, CatalogueTest, ::testing::ValuesIn(timeSyncRows()), catalogueName);

TEST(TimeSync, FieldsOfTheDecodedFrames) {
    Zuno::ZunoSyncTimeResp reply;
    ASSERT_EQ(reply.decode(bytes("78 78 0B 8A 13 01 0F 08 1E 00 00 05 4D 45 0D 0A")), 0);
    EXPECT_EQ(reply.time, 0x13010F081E00ull);
    EXPECT_EQ(reply.seq, 5);

    Zuno::ZunoSyncTime1F packet;
    ASSERT_EQ(packet.decode(bytes("79 79 00 0D 1F 13 01 0F 08 1E 00 00 01 00 06 E8 4D 0D 0A")), 0);
    EXPECT_EQ(packet.time, 0x13010F081E00ull);
    EXPECT_EQ(packet.languageOrExt, 1);
    EXPECT_EQ(packet.begin, Zuno::kBeginLong);
}

TEST(TimeSync, EncodedContentsAndLengths) {
    Zuno::ZunoSyncTime1F packet;
    packet.time = 0x13010F081E00ull;
    packet.languageOrExt = 1;
    std::vector<uint8_t> out;
    ASSERT_EQ(packet.encode(out), 0);
    EXPECT_EQ(packet.len, 13);
    EXPECT_EQ(hex(std::vector<uint8_t>(out.begin() + 4, out.end() - 6)), "13 01 0F 08 1E 00 00 01");

    // The year byte is year - 2000, carried without a check.
    Zuno::ZunoSyncTime1FResp reply;
    reply.time = 0xFF0102030405ull;
    out.clear();
    ASSERT_EQ(reply.encode(out), 0);
    EXPECT_EQ(reply.len, 11);
    EXPECT_EQ(hex(std::vector<uint8_t>(out.begin() + 4, out.end() - 6)), "FF 01 02 03 04 05");

    Zuno::ZunoSyncTime request;
    out.clear();
    ASSERT_EQ(request.encode(out), 0);
    EXPECT_EQ(out.size(), 10u);
    EXPECT_EQ(request.len, 5);
    EXPECT_EQ(request.command, 0x8A);
}
