#pragma once
// The "MSG" text block that every message writes of itself: header and
// trailer lines shared by every class, and the plain block of the base class.

#include <cstdint>
#include <locale>
#include <ostream>
#include <sstream>
#include <string>

#include "protocol/message.h"

namespace Zuno {

// "MSG" opening line and the begin, len and command lines. Leaves the stream
// in hexadecimal with fill '0'.
void writeHeader(std::ostream& os, const ZunoMSG& msg);
// As above, with `nameSuffix` written after the packet name of the command line.
void writeHeader(std::ostream& os, const ZunoMSG& msg, const char* nameSuffix);
// The seq, crc and stop lines and the closing brace with its line feed.
void writeTrailer(std::ostream& os, const ZunoMSG& msg);

// Block of a plain ZunoMSG object.
std::string plainBlock(const ZunoMSG& msg);

// Rows of the packet-name table (it never grows on lookups).
std::size_t commandNameCount();

// "ZH" for 1, "EN" for 2 in the two low bits, "" otherwise.
std::string languageName(uint16_t language);

// Renders a message through its stream operator into a fresh stream in the
// classic locale.
template <class T>
std::string renderBlock(const T& msg) {
    std::stringstream ss;
    ss.imbue(std::locale::classic());
    ss << msg;
    return ss.str();
}

} // namespace Zuno
