#include "connection/analyser.h"

#include <functional>

#include "protocol/address.h"
#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"
#include "protocol/bike.h"
#include "protocol/command.h"
#include "protocol/gps.h"
#include "protocol/helpers.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"
#include "protocol/wifi.h"

namespace Zuno {

namespace {

constexpr int kAnyLength = -1;

struct TypedClass {
    uint8_t protocol;
    int length; // the length field that selects the row, or kAnyLength
    std::unique_ptr<ZunoMSG> (*make)();
};

template <class T>
std::unique_ptr<ZunoMSG> make() {
    return std::make_unique<T>();
}

// Rows of one protocol number: the exact length first, then the other lengths.
const std::vector<TypedClass>& typedClasses() {
    static const std::vector<TypedClass> rows{
        {0x01, 5, &make<ZunoLoginResp>},
        {0x01, kAnyLength, &make<ZunoLogin>},
        {0x10, kAnyLength, &make<ZunoGpsLoc10>},
        {0x12, kAnyLength, &make<ZunoGpsLoc12>},
        {0x13, 5, &make<ZunoPong13>},
        {0x13, kAnyLength, &make<ZunoPing13>},
        {0x16, kAnyLength, &make<ZunoAlert16>},
        {0x17, 36, &make<ZunoGeocoding17>},
        {0x17, kAnyLength, &make<ZunoGeocoding17Resp>},
        {0x18, kAnyLength, &make<ZunoLbsInfo18>},
        {0x19, kAnyLength, &make<ZunoAlert19>},
        {0x1A, kAnyLength, &make<ZunoGeocoding1A>},
        {0x1F, 13, &make<ZunoSyncTime1F>},
        {0x1F, kAnyLength, &make<ZunoSyncTime1FResp>},
        {0x21, kAnyLength, &make<ZunoAction21>},
        {0x22, kAnyLength, &make<ZunoGpsLoc22>},
        {0x23, 5, &make<ZunoPong23>},
        {0x23, kAnyLength, &make<ZunoPing23>},
        {0x24, kAnyLength, &make<ZunoGpsLoc24>},
        {0x26, 5, &make<ZunoAlertResp>},
        {0x26, kAnyLength, &make<ZunoAlert26>},
        {0x27, kAnyLength, &make<ZunoAlert27>},
        {0x28, kAnyLength, &make<ZunoLbsInfo28>},
        {0x2A, kAnyLength, &make<ZunoGeocoding2A>},
        {0x2C, kAnyLength, &make<ZunoWifiLoc2C>},
        {0x2D, 5, &make<ZunoGpsLocResp>},
        {0x2D, kAnyLength, &make<ZunoGpsLoc2D>},
        {0x2E, 5, &make<ZunoLbsInfoResp>},
        {0x2E, kAnyLength, &make<ZunoLbsInfo2E>},
        {0x32, kAnyLength, &make<ZunoBikeLoc32>},
        {0x33, kAnyLength, &make<ZunoBikeAlert33>},
        {0x80, 42, &make<ZunoAction80Resp>},
        {0x80, kAnyLength, &make<ZunoAction80>},
        {0x81, kAnyLength, &make<ZunoAction81>},
        {0x8A, 5, &make<ZunoSyncTime>},
        {0x8A, kAnyLength, &make<ZunoSyncTimeResp>},
        {0x95, kAnyLength, &make<ZunoAlert95>},
        {0x97, kAnyLength, &make<ZunoGeocoding97Resp>},
        {0xA0, kAnyLength, &make<ZunoGpsLocA0>},
        {0xA1, kAnyLength, &make<ZunoLbsInfoA1>},
        {0xA2, kAnyLength, &make<ZunoWifiInfoA2>},
        {0xA3, kAnyLength, &make<ZunoAlertA3>},
        {0xA4, kAnyLength, &make<ZunoAlertA4>},
        {0xA5, kAnyLength, &make<ZunoAlertA5>},
        {0xA7, kAnyLength, &make<ZunoGeocodingA7>},
        {0xC3, kAnyLength, &make<ZunoWifiLocC3>},
    };
    return rows;
}

ZunoException errorOf(int code, std::string message) { return ZunoException(code, std::move(message)); }

// The checks both parsers share; fills `error` and returns null on the first
// that fails.
std::unique_ptr<std::vector<uint8_t>> frameBytes(const std::string& hex, ZunoException& error) {
    if (hex.empty() || hex.size() % 2 != 0) {
        error = errorOf(kErrHexString, "Hex String error");
        return nullptr;
    }
    auto bytes = hexToBytes(hex);
    if (!bytes || bytes->size() < kMinTypedFrame) {
        error = errorOf(kErrDataLength, "Data length error");
        return nullptr;
    }
    const uint16_t begin = static_cast<uint16_t>((*bytes)[0] << 8 | (*bytes)[1]);
    if (begin != kBeginShort && begin != kBeginLong) {
        error = errorOf(kErrHeader, "Header error");
        return nullptr;
    }
    return bytes;
}

bool endsWithStop(const std::vector<uint8_t>& b) {
    return b[b.size() - 2] == 0x0D && b[b.size() - 1] == 0x0A;
}

enum class Parsed {
    Message,      // decoded
    DecodeFailed, // a class was found but its decode refused the frame
    Other,        // no frame, or no class for its protocol number
};

// parseMessage, telling a frame without class apart from the other refusals.
Parsed parse(const std::string& hex, ZunoException& error, std::unique_ptr<ZunoMSG>& out) {
    auto bytes = frameBytes(hex, error);
    if (!bytes)
        return Parsed::Other;
    const std::vector<uint8_t>& b = *bytes;
    if (!endsWithStop(b)) {
        error = errorOf(kErrStopBytes, ZunoException::messageOf(kErrStopBytes));
        return Parsed::Other;
    }
    const bool longFrame = (b[0] << 8 | b[1]) == kBeginLong;
    const uint16_t length = longFrame ? static_cast<uint16_t>(b[2] << 8 | b[3]) : b[2];
    const uint8_t protocol = longFrame ? b[4] : b[3];
    auto msg = makeTypedMessage(protocol, length);
    if (!msg) {
        error = errorOf(kErrUnknownProtocol, "Unknow Protocol");
        return Parsed::Other;
    }
    const int result = msg->decode(b);
    if (result != 0) {
        error = errorOf(result, ZunoException::messageOf(result));
        return Parsed::DecodeFailed;
    }
    out = std::move(msg);
    return Parsed::Message;
}

} // namespace

std::string prepareLine(const QString& line) {
    QString text = line.trimmed();
    if (text.isEmpty())
        return {};
    std::string hex = text.toStdString();
    for (const char* sep : {" ", ",", "0x", "0X"})
        replaceAll(hex, sep, "");
    return hex;
}

std::vector<std::string> prepareLines(const QStringList& lines) {
    std::vector<std::string> out;
    for (const QString& line : lines) {
        std::string hex = prepareLine(line);
        if (!hex.empty())
            out.push_back(std::move(hex));
    }
    return out;
}

std::unique_ptr<ZunoMSG> makeTypedMessage(uint8_t protocolNumber, uint16_t lengthField) {
    for (const TypedClass& row : typedClasses()) {
        if (row.protocol == protocolNumber && (row.length == kAnyLength || row.length == lengthField))
            return row.make();
    }
    return nullptr;
}

std::unique_ptr<ZunoMSG> parseMessage(const std::string& hex, ZunoException& error) {
    std::unique_ptr<ZunoMSG> msg;
    parse(hex, error, msg);
    return msg;
}

std::unique_ptr<std::vector<uint8_t>> parseFrame(const std::string& hex, ZunoException& error) {
    auto bytes = frameBytes(hex, error);
    if (!bytes)
        return nullptr;
    if (!endsWithStop(*bytes)) {
        error = errorOf(kErrStopBit, "Stop bit error");
        return nullptr;
    }
    return bytes;
}

std::string parseBlock(const std::string& line) {
    ZunoException error;
    std::unique_ptr<ZunoMSG> msg = parseMessage(line, error);
    std::string block = reportSeparator() + "\n" + line + "\n";
    block += msg ? msg->toString() : error.toString();
    block += "\n" + reportSeparator() + "\n\n";
    return block;
}

std::string parseReport(const std::vector<std::string>& lines) {
    std::string report;
    for (const std::string& line : lines)
        report += parseBlock(line);
    return report + "\n";
}

TypedSending prepareTypedSending(const std::string& line) {
    TypedSending out;
    std::string& block = out.block;
    block = reportSeparator() + "\n\n>> " + line + "\n";

    ZunoException error;
    std::unique_ptr<ZunoMSG> msg;
    const Parsed parsed = parse(line, error, msg);
    if (parsed == Parsed::Message) {
        block += msg->toString() + "\n";
        // Encoded once here so that a message the codec cannot write is
        // reported instead of going out as an empty write.
        std::vector<uint8_t> probe;
        const int result = msg->clone()->encode(probe);
        if (result == 0)
            out.message = std::move(msg);
        else
            block += errorOf(result, ZunoException::messageOf(result)).toString() + "\n";
    } else if (parsed == Parsed::DecodeFailed) {
        block += error.toString() + "\n";
    } else {
        // No class for its protocol number, or no frame at all: the frame
        // check of a raw frame tells which.
        error = ZunoException();
        auto raw = parseFrame(line, error);
        const int check = raw ? checkRawFrame(*raw) : 0;
        if (!raw)
            block += error.toString() + "\n";
        else if (check != 0)
            block += errorOf(check, ZunoException::messageOf(check)).toString() + "\n";
        else
            out.raw = std::move(raw);
    }
    block += reportSeparator() + "\n\n";
    return out;
}

} // namespace Zuno
