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
// (either case), and all the digits together must make whole bytes, high digit
// first. A group holding anything else is named ("十六进制无法识别: \"xyz\""),
// and so, when the count of digits is odd, are the groups of odd length
// ("十六进制位数为奇数(7位): \"6\""); at most three groups, a long one cut to
// the piece around its fault. Input with no digit at all gives no bytes and
// names nothing.
HexInput readHexInput(const QString& text);

} // namespace Tools
