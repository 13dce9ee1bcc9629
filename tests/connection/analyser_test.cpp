// The packet analyser: line preparation, the two parsers with their error
// objects, the class chosen for a typed frame, the raw-frame check, and the
// report blocks of Parse and Send.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include <QStringList>

#include "connection/analyser.h"
#include "protocol/address.h"
#include "protocol/alarm.h"
#include "protocol/bike.h"
#include "protocol/command.h"
#include "protocol/crc.h"
#include "protocol/gps.h"
#include "protocol/helpers.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"
#include "support/test_util.h"

namespace {

using Zuno::ZunoException;

// A well-formed frame of the given protocol number and content (serial 1).
std::string frameHex(uint8_t protocol, const std::string& contentHex, bool longFrame = false) {
    std::vector<uint8_t> content = contentHex.empty() ? std::vector<uint8_t>() : zt::bytes(contentHex);
    const std::size_t length = content.size() + 5;
    std::vector<uint8_t> f;
    if (longFrame)
        f = {0x79, 0x79, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    else
        f = {0x78, 0x78, static_cast<uint8_t>(length)};
    f.push_back(protocol);
    f.insert(f.end(), content.begin(), content.end());
    f.push_back(0x00);
    f.push_back(0x01);
    const uint16_t crc = Zuno::crcItu(f, 2, f.size() - 2);
    f.push_back(static_cast<uint8_t>(crc >> 8));
    f.push_back(static_cast<uint8_t>(crc));
    f.push_back(0x0D);
    f.push_back(0x0A);
    return Zuno::toHex(f, 0, f.size(), "");
}

std::string bad(std::string hex, std::size_t fromEnd, const std::string& replacement) {
    return hex.replace(hex.size() - fromEnd, replacement.size(), replacement);
}

const std::string kLogin = "78781101075253367890024270003201000512790D0A";
const std::string kPing23 = "78780B23C00122040001000818720D0A";

std::string errorText(int code, const std::string& message) { return ZunoException(code, message).toString(); }

TEST(AnalyserLines, PreparationRemovesSeparatorsAndSkipsBlankLines) {
    const QStringList box{
        "  78 78 0B 23 C0 01 22 04 00 01 00 08 18 72 0D 0A \t",
        "0x78,0x78,0X0B,0X23,C0,01,22,04,00,01,00,08,18,72,0D,0A",
        "",
        " \t ",
        QString::fromUtf8("\u3000" "78780B23C00122040001000818720D0A" "\u3000"),
    };
    const std::vector<std::string> lines = Zuno::prepareLines(box);
    EXPECT_EQ(lines, std::vector<std::string>(3, kPing23));
}

struct Refusal {
    const char* name;
    std::string hex;
    int messageCode;
    std::string messageText;
    int frameCode; // 0: parseFrame accepts
    std::string frameText;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class AnalyserRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(AnalyserRefusals, BothParsersFillTheirErrorObject) {
    const Refusal& r = GetParam();
    ZunoException e1;
    EXPECT_EQ(Zuno::parseMessage(r.hex, e1), nullptr);
    EXPECT_EQ(e1.code, r.messageCode);
    EXPECT_EQ(e1.message, r.messageText);

    ZunoException e2;
    auto bytes = Zuno::parseFrame(r.hex, e2);
    EXPECT_EQ(e2.code, r.frameCode);
    EXPECT_EQ(e2.message, r.frameText);
    EXPECT_EQ(bytes != nullptr, r.frameCode == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AnalyserRefusals,
    ::testing::Values(
        Refusal{"empty", "", 1, "Hex String error", 1, "Hex String error"},
        Refusal{"odd", "78780", 1, "Hex String error", 1, "Hex String error"},
        Refusal{"sevenBytes", "78780501000D0A", 2, "Data length error", 2, "Data length error"},
        Refusal{"header7A7A", "7A7A0501000100010D0A", 3, "Header error", 3, "Header error"},
        Refusal{"stop0D0B", bad(kPing23, 4, "0D0B"), -2, "停止位错误", 4, "Stop bit error"},
        // Eight bytes, start and stop bytes right: every check of both passes,
        // and no class has protocol number 0x70.
        Refusal{"eightBytes", "7878057000010D0A", 5, "Unknow Protocol", 0, ""},
        Refusal{"noClass70", frameHex(0x70, "0102"), 5, "Unknow Protocol", 0, ""},
        Refusal{"noClass94", frameHex(0x94, "00", true), 5, "Unknow Protocol", 0, ""},
        // A class exists but its decode refuses the frame: no half-filled object.
        Refusal{"badCrc", bad(kPing23, 8, "0000"), -3, "校验码错误", 0, ""},
        Refusal{"lengthPastEnd", "78781023C00122040001000818720D0A", Zuno::kErrFrameShort, "数据包短于长度字段所示长度",
                0, ""},
        // A heartbeat with a 3-byte content, as terminals in the field send it.
        Refusal{"contentShort", frameHex(0x23, "C00122"), Zuno::kErrContentShort, "数据内容短于格式所需长度", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnalyserClasses, ProtocolNumberAndLengthFieldChooseTheClass) {
    struct Row {
        uint8_t protocol;
        uint16_t length;
        const std::type_info& type;
    };
    const Row rows[] = {
        {0x01, 5, typeid(Zuno::ZunoLoginResp)},   {0x01, 17, typeid(Zuno::ZunoLogin)},
        {0x01, 6, typeid(Zuno::ZunoLogin)},       {0x13, 5, typeid(Zuno::ZunoPong13)},
        {0x13, 10, typeid(Zuno::ZunoPing13)},     {0x23, 5, typeid(Zuno::ZunoPong23)},
        {0x23, 11, typeid(Zuno::ZunoPing23)},     {0x1F, 13, typeid(Zuno::ZunoSyncTime1F)},
        {0x1F, 11, typeid(Zuno::ZunoSyncTime1FResp)}, {0x8A, 5, typeid(Zuno::ZunoSyncTime)},
        {0x8A, 11, typeid(Zuno::ZunoSyncTimeResp)}, {0x2D, 5, typeid(Zuno::ZunoGpsLocResp)},
        {0x2D, 38, typeid(Zuno::ZunoGpsLoc2D)},   {0x2E, 5, typeid(Zuno::ZunoLbsInfoResp)},
        {0x2E, 60, typeid(Zuno::ZunoLbsInfo2E)},  {0x22, 5, typeid(Zuno::ZunoGpsLoc22)},
        {0x28, 59, typeid(Zuno::ZunoLbsInfo28)},  {0xA0, 34, typeid(Zuno::ZunoGpsLocA0)},
        {0x26, 5, typeid(Zuno::ZunoAlertResp)},   {0x26, 37, typeid(Zuno::ZunoAlert26)},
        // The bike frames are the terminal's whatever their length.
        {0x32, 5, typeid(Zuno::ZunoBikeLoc32)},   {0x33, 5, typeid(Zuno::ZunoBikeAlert33)},
        {0x17, 36, typeid(Zuno::ZunoGeocoding17)}, {0x17, 37, typeid(Zuno::ZunoGeocoding17Resp)},
        {0x17, 5, typeid(Zuno::ZunoGeocoding17Resp)}, {0x80, 42, typeid(Zuno::ZunoAction80Resp)},
        {0x80, 41, typeid(Zuno::ZunoAction80)},   {0x97, 5, typeid(Zuno::ZunoGeocoding97Resp)},
    };
    for (const Row& r : rows) {
        auto msg = Zuno::makeTypedMessage(r.protocol, r.length);
        ASSERT_NE(msg, nullptr) << int(r.protocol) << "/" << r.length;
        const Zuno::ZunoMSG& m = *msg;
        EXPECT_EQ(typeid(m), r.type) << int(r.protocol) << "/" << r.length;
    }
    for (uint8_t noClass : {0x00, 0x70, 0x94, 0xFF})
        EXPECT_EQ(Zuno::makeTypedMessage(noClass, 5), nullptr) << int(noClass);
}

TEST(AnalyserClasses, LongFrameTakesLengthAndProtocolFromItsOwnPlaces) {
    // 79 79 00 05 01 ...: length field 5 at bytes 2-3, protocol 0x01 at byte 4.
    ZunoException error;
    auto msg = Zuno::parseMessage(frameHex(0x01, "", true), error);
    ASSERT_NE(msg, nullptr) << error.toString();
    const Zuno::ZunoMSG& m = *msg;
    EXPECT_EQ(typeid(m), typeid(Zuno::ZunoLoginResp));
    EXPECT_EQ(msg->begin, Zuno::kBeginLong);
}

TEST(AnalyserClasses, NonHexadecimalCharactersCountAsZero) {
    // "7G" is the byte 0x70: the line is the frame 0x70 0x70 ... and no header.
    ZunoException error;
    EXPECT_EQ(Zuno::parseFrame("7G7G057000010D0A", error), nullptr);
    EXPECT_EQ(error.code, 3);
    ZunoException ok;
    auto bytes = Zuno::parseFrame("78780G7000010D0A", ok);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ((*bytes)[2], 0x00);
}

TEST(AnalyserRawCheck, StopAndCrcWherePlacedByTheLengthField) {
    const std::string ten = frameHex(0x70, "");
    struct Row {
        std::string hex;
        int result;
    };
    const Row rows[] = {
        {ten, 0},
        {frameHex(0x70, "0102", true), 0},
        {bad(ten, 4, "0A0D"), Zuno::kErrStopBytes},
        {bad(ten, 8, "FFFF"), Zuno::kErrCrc},
        {"787806700001" + ten.substr(12), Zuno::kErrFrameShort},   // length one past the end
        {"787800700001" + ten.substr(12), Zuno::kErrContentShort}, // length 0
        // The CRC of no bytes is 0: without the length check these passed.
        {"797900000D0A00000000", Zuno::kErrContentShort},          // long, length 0
        {"7979000200000D0A0000", Zuno::kErrContentShort},          // long, length 2
        {"7878057000010D0A", Zuno::kErrTooShort},                  // 8 bytes
        {"787804010001D90D0A", Zuno::kErrTooShort},                // 9 bytes
        {ten + "00", 0},                                        // trailing byte ignored
    };
    for (const Row& r : rows)
        EXPECT_EQ(Zuno::checkRawFrame(zt::bytes(r.hex.size() ? r.hex : "00")), r.result) << r.hex;
}

TEST(AnalyserParse, RefusedLineShowsTheErrorObject) {
    const std::string sep(124, '/');
    EXPECT_EQ(Zuno::parseBlock("7A7"), sep + "\n7A7\n" + errorText(1, "Hex String error") + "\n" + sep + "\n\n");
}

TEST(AnalyserSend, EachKindOfLineGetsItsBlockAndPayload) {
    const std::string sep(124, '/');
    const std::string head = sep + "\n\n>> ";
    const std::string tail = sep + "\n\n";

    // A decoded message keeps its typed serial number and goes out encoded anew.
    Zuno::TypedSending login = Zuno::prepareTypedSending(kLogin);
    ASSERT_NE(login.message, nullptr);
    EXPECT_EQ(login.raw, nullptr);
    EXPECT_EQ(login.message->seq, 5);
    EXPECT_EQ(login.block, head + kLogin + "\n" + zt::readTestFile("golden/login_sample.txt") + "\n" + tail);
    std::vector<uint8_t> out;
    ASSERT_EQ(login.message->encode(out), 0);
    EXPECT_EQ(Zuno::toHex(out, 0, out.size(), ""), kLogin);

    // A reply with language 0 reads its text as UTF-16BE and would write it as
    // UTF-8: the text left as typed goes out as typed.
    const std::string reply81 = frameHex(0x81, "08 00 00 00 01 61 62 63 64 00 00");
    Zuno::TypedSending reply = Zuno::prepareTypedSending(reply81);
    ASSERT_NE(reply.message, nullptr);
    out.clear();
    ASSERT_EQ(reply.message->encode(out), 0);
    EXPECT_EQ(Zuno::toHex(out, 0, out.size(), ""), reply81);

    // No class: sent as typed, with the ">> " line alone.
    const std::string raw70 = frameHex(0x70, "0102");
    Zuno::TypedSending raw = Zuno::prepareTypedSending(raw70);
    EXPECT_EQ(raw.message, nullptr);
    ASSERT_NE(raw.raw, nullptr);
    EXPECT_EQ(*raw.raw, zt::bytes(raw70));
    EXPECT_EQ(raw.block, head + raw70 + "\n" + tail);

    struct Refused {
        std::string line;
        std::string error;
    };
    const Refused refused[] = {
        // The stop bytes as the raw frame check names them.
        {bad(kPing23, 4, "0D0B"), errorText(4, "Stop bit error")},
        {"123", errorText(1, "Hex String error")},
        // A class whose decode fails: never sent with a CRC computed anew.
        {bad(kPing23, 8, "0000"), errorText(-3, "校验码错误")},
        // No class, and the frame check of a raw frame fails.
        {bad(raw70, 8, "0000"), errorText(-3, "校验码错误")},
        {"7878057000010D0A", errorText(-1, "数据包为空")},
        {"787806" + frameHex(0x70, "").substr(6), errorText(-22, "数据包短于长度字段所示长度")},
    };
    for (const Refused& r : refused) {
        Zuno::TypedSending s = Zuno::prepareTypedSending(r.line);
        EXPECT_EQ(s.message, nullptr) << r.line;
        EXPECT_EQ(s.raw, nullptr) << r.line;
        EXPECT_EQ(s.block, head + r.line + "\n" + r.error + "\n" + tail);
    }
}

TEST(AnalyserNoise, AnyLineOfEveryClassIsShownOrRefusedWithoutFault) {
    // Frames of every protocol number with random content, and length field,
    // stop bytes and CRC right, so that each reaches its class's content.
    std::mt19937 rng(8);
    int decoded = 0;
    for (int round = 0; round < 4000; ++round) {
        const bool longFrame = round % 4 == 0;
        std::vector<uint8_t> f = longFrame ? std::vector<uint8_t>{0x79, 0x79} : std::vector<uint8_t>{0x78, 0x78};
        const std::size_t body = 4 + rng() % 80;
        for (std::size_t i = 0; i < body; ++i)
            f.push_back(static_cast<uint8_t>(rng()));
        f[longFrame ? 4 : 3] = static_cast<uint8_t>(round);
        if (longFrame) {
            f[2] = static_cast<uint8_t>((f.size() - 4) >> 8);
            f[3] = static_cast<uint8_t>(f.size() - 4);
        } else {
            f[2] = static_cast<uint8_t>(f.size() - 3);
        }
        const uint16_t crc = Zuno::crcItu(f, 2, f.size() - 4);
        f[f.size() - 2] = static_cast<uint8_t>(crc >> 8);
        f[f.size() - 1] = static_cast<uint8_t>(crc);
        f.push_back(0x0D);
        f.push_back(0x0A);
        const std::string hex = Zuno::toHex(f, 0, f.size(), "");
        EXPECT_FALSE(Zuno::parseBlock(hex).empty());
        Zuno::TypedSending s = Zuno::prepareTypedSending(hex);
        EXPECT_FALSE(s.message && s.raw);
        decoded += s.message ? 1 : 0;
        if (s.message) {
            std::vector<uint8_t> out;
            EXPECT_EQ(s.message->encode(out), 0);
        }
    }
    EXPECT_GT(decoded, 100); // the content readers were reached
}

} // namespace
