#pragma once
// Text typed into a tool's input box: hexadecimal read as bytes, and the
// white space that the tools treat as blanks.

#include <cstdint>
#include <vector>

#include <QString>

namespace Tools {

// The text without any white space: blanks, tabs, line breaks and the other
// spaces of Unicode.
QString withoutWhiteSpace(const QString& text);

// What a tool read of hexadecimal input.
struct HexInput {
    std::vector<uint8_t> bytes;
    // Empty when the input was read whole; otherwise it names, as typed, what
    // could not be read, and `bytes` is empty.
    QString unreadable;
};

// White space of any kind and "," separate groups of digits; "0x" and "0X"
// are dropped inside a group. Everything else must be a hexadecimal digit
// (either case). The digits of all groups together make the bytes as
// Zuno::hexToBytes reads them: high digit first, and with an odd count of
// digits the first one alone makes the first byte ("12 345" is 01 23 45). A
// group holding anything else is named ("十六进制无法识别: \"xyz\""), at most
// three groups, a long one cut to the piece around its fault. Input with no
// digit at all gives no bytes and names nothing.
HexInput readHexInput(const QString& text);

// A piece of typed input for a message, in double quotes: the whole of a
// short one; of a long one only the piece around the character at `focus`,
// its cut ends marked "…" and no character split in two.
QString quotedInput(const QString& typed, int focus = 0);

} // namespace Tools
