#pragma once
// The packet analyser: frames typed into the input box as hexadecimal text,
// one per line, decoded into the terminal's or the platform's message class
// (Parse) or made ready to be sent (Send), with the report block of each line.
//
// Nothing here touches a window or a socket: the window hands in the lines and
// inserts the blocks, and hands the prepared payloads to the client.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "connection/raw_frame.h"
#include "connection/report_block.h"
#include "protocol/message.h"
#include "render/exception.h"

namespace Zuno {

// Codes of the analyser's own error objects.
constexpr int kErrHexString = 1;   // empty, or an odd number of digits
constexpr int kErrDataLength = 2;  // fewer than kMinTypedFrame bytes
constexpr int kErrHeader = 3;      // start bytes neither 78 78 nor 79 79
constexpr int kErrStopBit = 4;     // raw frame not ending 0D 0A
constexpr int kErrUnknownProtocol = 5;

constexpr std::size_t kMinTypedFrame = 8;

// A line of the input box as the analyser reads it: white space cut at both
// ends, then every " ", ",", "0x" and "0X" removed. "" for a line to skip.
std::string prepareLine(const QString& line);
// The prepared lines of the input box's lines, empty ones left out.
std::vector<std::string> prepareLines(const QStringList& lines);

// A default-constructed object of the class that the protocol number and the
// length field select for a typed frame, or null when none.
std::unique_ptr<ZunoMSG> makeTypedMessage(uint8_t protocolNumber, uint16_t lengthField);

// The decoded message of a prepared line, or null with `error` filled. A
// frame whose decode fails gives null too, with the decoder's code and its
// text, so no half-decoded object is ever shown or sent as if it were whole.
std::unique_ptr<ZunoMSG> parseMessage(const std::string& hex, ZunoException& error);

// The bytes of a prepared line that looks like a frame (start and stop bytes,
// at least kMinTypedFrame bytes), or null with `error` filled.
std::unique_ptr<std::vector<uint8_t>> parseFrame(const std::string& hex, ZunoException& error);

// Parse's report of one prepared line: separator, the line, the message's
// dump or the error object, separator, an empty line.
std::string parseBlock(const std::string& line);

// One typed line made ready for Send. At most one of `message` and `raw` is
// set; neither when the line is refused (its block then shows why).
struct TypedSending {
    std::string block;
    std::unique_ptr<ZunoMSG> message;            // a decoded message, encoded anew ...
    std::vector<uint8_t> frame;                  // ... into this frame, the one written
    std::unique_ptr<std::vector<uint8_t>> raw;   // a frame without class, sent as typed
};

// Send's handling of one prepared line: separator, an empty line, ">> " and
// the line, then the dump (message), nothing (raw frame) or the error object
// (refused), separator and an empty line. A message whose encode fails and a
// raw frame that fails the frame check are refused with that error.
TypedSending prepareTypedSending(const std::string& line);

} // namespace Zuno
