// The shared frame: CRC, common encode and decode steps, long frames, clone.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "protocol/crc.h"
#include "protocol/message.h"
#include "support/frame_fixture.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

TEST(Crc, CheckValueAndEmptyInputs) {
    const std::string digits = "123456789";
    const std::vector<uint8_t> v(digits.begin(), digits.end());
    EXPECT_EQ(Zuno::crcItu(v), 0x906E);
    EXPECT_EQ(Zuno::crcItu(v.data(), static_cast<int>(v.size())), 0x906E);
    EXPECT_EQ(Zuno::crcItu(v, 0, v.size()), 0x906E);
    EXPECT_EQ(Zuno::crcItu(std::vector<uint8_t>{}), 0);
    EXPECT_EQ(Zuno::crcItu(v.data(), 0), 0);
    EXPECT_EQ(Zuno::crcItu(v.data(), -4), 0);
    EXPECT_EQ(Zuno::crcItu(v, 3, 0), 0);
    // A range reaching past the data is cut at its end, never read beyond.
    EXPECT_EQ(Zuno::crcItu(v, 5, 100), Zuno::crcItu(std::vector<uint8_t>(v.begin() + 5, v.end())));
    EXPECT_EQ(Zuno::crcItu(v, 100, 1), 0);
}

TEST(Frame, ShortFrameWithoutContentRoundTrips) {
    const auto frame = bytes("78 78 05 01 00 01 D9 DC 0D 0A");
    zt::BareMessage m(0x00);
    ASSERT_EQ(m.decode(frame), 0);
    EXPECT_EQ(m.begin, 0x7878);
    EXPECT_EQ(m.len, 5);
    EXPECT_EQ(m.command, 0x01);
    EXPECT_EQ(m.seq, 1);
    EXPECT_EQ(m.crc, 0xD9DC);
    EXPECT_EQ(m.stop, 0x0D0A);

    zt::BareMessage fresh(0x01);
    fresh.seq = 1;
    std::vector<uint8_t> out;
    ASSERT_EQ(fresh.encode(out), 0);
    EXPECT_EQ(hex(out), hex(frame));
    EXPECT_EQ(fresh.len, 5);
    EXPECT_EQ(fresh.crc, 0xD9DC);
}

TEST(Frame, DecodeResultsComeInTheirOrder) {
    const auto good = bytes("78 78 05 01 00 01 D9 DC 0D 0A");
    struct Case {
        const char* what;
        size_t index;
        uint8_t value;
        int expected;
    };
    const Case cases[] = {
        {"protocol number", 3, 0x02, -3},
        {"serial byte", 5, 0x02, -3},
        {"CRC byte", 6, 0x00, -3},
        {"first stop byte", 8, 0x0E, -2},
        {"second stop byte", 9, 0x0B, -2},
    };
    for (const auto& c : cases) {
        auto f = good;
        f[c.index] = c.value;
        zt::BareMessage m;
        EXPECT_EQ(m.decode(f), c.expected) << c.what;
    }
    // A wrong stop byte is found before a wrong CRC.
    auto both = good;
    both[5] = 0x77;
    both[9] = 0x00;
    zt::BareMessage m;
    EXPECT_EQ(m.decode(both), -2);
    EXPECT_EQ(m.begin, 0x7878);
    EXPECT_EQ(m.len, 5);
    EXPECT_EQ(m.stop, 0x0D00);
}

TEST(Frame, ShortOrLyingFramesFailWithoutReadingOutside) {
    struct Case {
        const char* what;
        const char* hex;
        int rc;
    };
    const Case cases[] = {
        {"nine bytes", "78 78 05 01 00 01 D9 DC 0D", Zuno::kErrTooShort},
        {"empty", "", Zuno::kErrTooShort},
        {"length says more than there is", "78 78 09 01 00 01 D9 DC 0D 0A", Zuno::kErrFrameShort},
        {"length 0", "78 78 00 01 00 01 D9 DC 0D 0A", Zuno::kErrContentShort},
        {"length 1", "78 78 01 01 00 01 D9 DC 0D 0A", Zuno::kErrContentShort},
        // No room for protocol number, serial and CRC: the serial would be
        // read from the CRC.
        {"length 4", "78 78 04 01 00 BC 75 0D 0A 00", Zuno::kErrContentShort},
        {"length 255", "78 78 FF 01 00 01 D9 DC 0D 0A", Zuno::kErrFrameShort},
        {"long frame lying", "79 79 FF FF 01 00 01 D9 DC 0D 0A", Zuno::kErrFrameShort},
    };
    for (const auto& c : cases) {
        const auto f = bytes(c.hex);
        zt::BareMessage m;
        m.seq = 77;
        EXPECT_EQ(m.decode(std::vector<uint8_t>(f.begin(), f.end())), c.rc) << c.what;
        EXPECT_EQ(m.seq, 77) << c.what;
        EXPECT_EQ(m.len, 0) << c.what;
    }
    // A ten-byte frame is processed.
    zt::BareMessage m;
    EXPECT_EQ(m.decode(bytes("78 78 05 01 00 01 D9 DC 0D 0A")), 0);
}

TEST(Frame, ContentShorterThanItsLayoutFails) {
    // A fixed layout of 6 content bytes in a frame without content: the
    // content read stays inside the vector, the serial after it does not.
    zt::BlobMessage blob;
    blob.fixedRead = 6;
    blob.seq = 42;
    EXPECT_EQ(blob.decode(bytes("78 78 05 99 00 01 00 00 0D 0A")), -3);
    std::vector<uint8_t> f = bytes("78 78 05 99 00 01 00 00 0D 0A");
    const uint16_t c = Zuno::crcItu(f, 2, 4);
    f[6] = static_cast<uint8_t>(c >> 8);
    f[7] = static_cast<uint8_t>(c);
    EXPECT_EQ(blob.decode(f), Zuno::kErrContentShort);
    EXPECT_EQ(blob.seq, 42);
    blob.fixedRead = 7;
    EXPECT_EQ(blob.decode(f), Zuno::kErrContentShort);
}

TEST(Frame, BytesAfterTheStopBytesChangeNothing) {
    auto f = bytes("78 78 05 01 00 01 D9 DC 0D 0A");
    f.insert(f.end(), {0xAA, 0xBB, 0x78, 0x78});
    zt::BareMessage m;
    EXPECT_EQ(m.decode(f), 0);
    EXPECT_EQ(m.seq, 1);
    EXPECT_EQ(m.crc, 0xD9DC);
}

TEST(Frame, LongFrameRoundTripsWithTwoByteLength) {
    zt::BlobMessage m;
    m.begin = Zuno::kBeginLong;
    m.content = {0x11, 0x22, 0x33};
    m.seq = 0x0203;
    std::vector<uint8_t> out;
    ASSERT_EQ(m.encode(out), 0);
    ASSERT_EQ(out.size(), 3u + 5 + 6);
    EXPECT_EQ(hex(std::vector<uint8_t>(out.begin(), out.begin() + 5)), "79 79 00 08 99");
    EXPECT_EQ(m.len, 8);
    // The CRC covers one byte more than in the short form: length field (2) + len - 2.
    EXPECT_EQ(m.crc, Zuno::crcItu(out, 2, 8));

    zt::BlobMessage back;
    ASSERT_EQ(back.decode(out), 0);
    EXPECT_EQ(back.begin, 0x7979);
    EXPECT_EQ(back.len, 8);
    EXPECT_EQ(back.content, m.content);
    EXPECT_EQ(back.seq, 0x0203);
    std::vector<uint8_t> again;
    ASSERT_EQ(back.encode(again), 0);
    EXPECT_EQ(hex(again), hex(out));
}

TEST(Frame, LongFrameReadsItsWholeLength) {
    zt::BlobMessage m;
    m.begin = Zuno::kBeginLong;
    m.content.assign(65535 - 5, 0x5A);
    std::vector<uint8_t> out;
    ASSERT_EQ(m.encode(out), 0);
    EXPECT_EQ(m.len, 65535);
    zt::BlobMessage back;
    ASSERT_EQ(back.decode(out), 0);
    EXPECT_EQ(back.content.size(), 65530u);
}

TEST(Frame, LengthThatDoesNotFitItsFieldIsRefused) {
    struct Case {
        uint16_t begin;
        size_t content;
        int expected;
    };
    const Case cases[] = {
        {Zuno::kBeginShort, 250, 0},                       // length 255 fits
        {Zuno::kBeginShort, 251, Zuno::kErrLengthOverflow}, // 256 does not
        {Zuno::kBeginLong, 65530, 0},
        {Zuno::kBeginLong, 65531, Zuno::kErrLengthOverflow},
    };
    for (const auto& c : cases) {
        zt::BlobMessage m;
        m.begin = c.begin;
        m.content.assign(c.content, 0x01);
        m.len = 1234;
        m.crc = 4321;
        std::vector<uint8_t> out;
        EXPECT_EQ(m.encode(out), c.expected) << c.content;
        if (c.expected < 0) {
            EXPECT_TRUE(out.empty());
            EXPECT_EQ(m.len, 1234);
            EXPECT_EQ(m.crc, 4321);
        } else {
            EXPECT_EQ(out.size(), c.content + (c.begin == Zuno::kBeginLong ? 11 : 10));
        }
    }
}

TEST(Frame, FailedEncodeLeavesOutLenAndCrcUntouched) {
    zt::BlobMessage m;
    m.content = {1, 2, 3, 4};
    m.failWith = -7;
    m.len = 9;
    m.crc = 0xBEEF;
    std::vector<uint8_t> out;
    EXPECT_EQ(m.encode(out), -7);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(m.len, 9);
    EXPECT_EQ(m.crc, 0xBEEF);
}

TEST(Frame, BaseClassIsCompleteOfItsOwn) {
    Zuno::ZunoMSG base;
    EXPECT_EQ(base.begin, 0x7878);
    EXPECT_EQ(base.stop, 0x0D0A);
    std::vector<uint8_t> out;
    EXPECT_EQ(base.encode(out), 0);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(base.decode(bytes("78 78 05 01 00 01 D9 DC 0D 0A")), 0);
    EXPECT_EQ(base.len, 0); // reads nothing
    base.seq = 9;
    base.crc = 0x1234;
    auto copy = base.clone();
    const Zuno::ZunoMSG& c = *copy;
    EXPECT_EQ(typeid(c), typeid(Zuno::ZunoMSG));
    EXPECT_EQ(copy->seq, 9);
    EXPECT_EQ(copy->crc, 0x1234);
}

TEST(Frame, CloneIsIndependentAndOfItsOwnClass) {
    zt::BlobMessage m;
    m.content = {9, 8, 7};
    m.seq = 5;
    auto copy = m.clone();
    const Zuno::ZunoMSG& c = *copy;
    ASSERT_EQ(typeid(c), typeid(zt::BlobMessage));
    m.content.clear();
    EXPECT_EQ(static_cast<zt::BlobMessage&>(*copy).content.size(), 3u);
    EXPECT_EQ(copy->seq, 5);
}
