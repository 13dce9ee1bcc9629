#pragma once
// Text typed into a tool's input box: hexadecimal read as bytes, and the
// white space that the tools treat as blanks.

#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

namespace Tools {

// The text without any white space: blanks, tabs, line breaks and the other
// spaces of Unicode.
QString withoutWhiteSpace(const QString& text);

// Drops white space anywhere (blanks, tabs and line breaks between pairs of
// digits), then every ",", "0x" and "0X"; the rest goes through hexToBytes:
// an odd first digit stands alone and a character that is no hexadecimal digit
// counts as 0. Null when nothing is left.
std::unique_ptr<std::vector<uint8_t>> bytesOfHexInput(QString text);

} // namespace Tools
