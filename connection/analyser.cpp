#include "connection/analyser.h"

#include <functional>

#include "protocol/helpers.h"
#include "protocol/message_classes.h"

namespace Zuno {

namespace {

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
    if (!FrameHeader::read(*bytes).knownStart()) {
        error = errorOf(kErrHeader, "Header error");
        return nullptr;
    }
    return bytes;
}

bool endsWithStop(const std::vector<uint8_t>& b) { return wordAt(b, b.size() - 2) == kStop; }

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
    // The length field is not compared with the number of bytes.
    const FrameHeader head = FrameHeader::read(b);
    auto msg = makeTypedMessage(b[head.protocolPos()], head.length());
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
    return stripHexSeparators(text).toStdString();
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
    const MessageClass* c = typedClass(protocolNumber, lengthField);
    return c ? c->make() : nullptr;
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

TypedSending prepareTypedSending(const std::string& line) {
    TypedSending out;
    std::string& block = out.block;
    block = reportSeparator() + "\n\n>> " + line + "\n";

    ZunoException error;
    std::unique_ptr<ZunoMSG> msg;
    const Parsed parsed = parse(line, error, msg);
    if (parsed == Parsed::Message) {
        block += msg->toString() + "\n";
        // Encoded once, here: a message the codec cannot write is reported
        // instead of going out, and the frame is what the client writes.
        const int result = msg->encode(out.frame);
        if (result == 0 && !out.frame.empty()) {
            out.message = std::move(msg);
        } else {
            const int code = result != 0 ? result : kErrTooShort;
            out.frame.clear();
            block += errorOf(code, ZunoException::messageOf(code)).toString() + "\n";
        }
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
