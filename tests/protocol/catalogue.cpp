#include "protocol/catalogue.h"

#include <sstream>
#include <typeinfo>

#include "protocol/helpers.h"
#include "support/test_util.h"
#include "tests/fuzz/fuzz_classes.h"

namespace {

std::vector<uint8_t> encoded(Zuno::ZunoMSG& m) {
    std::vector<uint8_t> out;
    EXPECT_EQ(m.encode(out), 0);
    return out;
}

// Decodes a copy held in a vector of exactly its own size, so that the
// sanitizers see any read past its end.
int decodeExact(const CatalogueRow& row, const std::vector<uint8_t>& data) {
    const std::vector<uint8_t> exact(data.begin(), data.end());
    auto msg = row.make();
    return msg->decode(exact);
}

} // namespace

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CatalogueTest);

TEST_P(CatalogueTest, DecodesAndEncodesBack) {
    const auto& row = GetParam();
    const auto frame = zt::bytes(row.frameHex);
    auto msg = row.make();
    ASSERT_EQ(msg->decode(frame), 0);
    if (row.reencodes) {
        EXPECT_EQ(zt::hex(encoded(*msg)), zt::hex(frame));
    }
}

TEST_P(CatalogueTest, CloneKeepsClassAndFields) {
    const auto& row = GetParam();
    auto msg = row.make();
    ASSERT_EQ(msg->decode(zt::bytes(row.frameHex)), 0);
    auto copy = msg->clone();
    ASSERT_TRUE(copy);
    const Zuno::ZunoMSG& a = *msg;
    const Zuno::ZunoMSG& b = *copy;
    EXPECT_EQ(typeid(a), typeid(b));
    EXPECT_EQ(copy->begin, msg->begin);
    EXPECT_EQ(copy->len, msg->len);
    EXPECT_EQ(copy->command, msg->command);
    EXPECT_EQ(copy->seq, msg->seq);
    EXPECT_EQ(copy->crc, msg->crc);
    EXPECT_EQ(copy->stop, msg->stop);
    EXPECT_EQ(copy->toString(), msg->toString());
    EXPECT_EQ(zt::hex(encoded(*copy)), zt::hex(encoded(*msg)));
}

TEST_P(CatalogueTest, DumpMatchesGolden) {
    const auto& row = GetParam();
    if (row.golden.empty()) GTEST_SKIP() << "no golden dump for this row";
    auto msg = row.make();
    ASSERT_EQ(msg->decode(zt::bytes(row.frameHex)), 0);
    const std::string text = msg->toString();
    zt::offerGolden("golden/" + row.golden, text);
    EXPECT_EQ(text, zt::readTestFile("golden/" + row.golden));
}

TEST_P(CatalogueTest, TruncationSweepNeverSucceedsOrOverreads) {
    const auto& row = GetParam();
    const auto frame = zt::bytes(row.frameHex);
    for (size_t n = 0; n < frame.size(); ++n) {
        const std::vector<uint8_t> prefix(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_LT(decodeExact(row, prefix), 0) << "prefix of " << n << " bytes";
    }
    // Length field raised and lowered by small and large steps.
    const bool longFrame = frame.size() > 1 && frame[0] == 0x79 && frame[1] == 0x79;
    const size_t len = longFrame ? (frame[2] << 8 | frame[3]) : frame[2];
    for (int delta : {-300, -5, -2, -1, 1, 2, 5, 300}) {
        const long changed = static_cast<long>(len) + delta;
        if (changed < 0 || changed > (longFrame ? 0xFFFF : 0xFF)) continue;
        auto bad = frame;
        if (longFrame) {
            bad[2] = static_cast<uint8_t>(changed >> 8);
            bad[3] = static_cast<uint8_t>(changed & 0xFF);
        } else {
            bad[2] = static_cast<uint8_t>(changed);
        }
        EXPECT_LT(decodeExact(row, bad), 0) << "length field " << changed;
    }
    // The whole frame still decodes when held at its exact size.
    EXPECT_EQ(decodeExact(row, frame), 0);
}

// The fuzz targets start from every row of the catalogue, whole: the seed
// list holds each row's class and frame.
TEST_P(CatalogueTest, IsAFuzzSeed) {
    const auto& row = GetParam();
    const auto msg = row.make();
    const fuzz::FuzzClass* cls = fuzz::classOf(*msg);
    ASSERT_NE(cls, nullptr) << "the fuzz targets do not know this row's class";
    const auto frame = zt::bytes(row.frameHex);
    const std::string line = cls->name + " " + Zuno::toHex(frame, 0, frame.size(), "");
    std::istringstream seeds(zt::readTestFile("fuzz/seeds.txt"));
    std::string seed;
    bool found = false;
    while (!found && std::getline(seeds, seed)) found = seed == line;
    EXPECT_TRUE(found) << "add to tests/fuzz/seeds.txt:\n" << line;
}
