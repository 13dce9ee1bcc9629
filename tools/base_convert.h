#pragma once
// Number-base conversion on digit strings, bases 2 to 64, of any length.

#include <cstdint>
#include <string>

#include <QString>

namespace Tools {

// The 64 digits, a digit's value being its position. Upper- and lower-case
// letters are different digits.
extern const char kBaseDigits[65];

// The base that a combo item such as "16进制" names: its one or two leading
// decimal digits, 0 when it does not begin with a digit.
int baseOfItem(const QString& itemText);

// True when `digits` is not empty and holds only digits of `base` (2 to 64).
bool validDigits(const std::string& digits, int base);

// `digits` (valid in `inBase`) written in `outBase`, most significant digit
// first, without leading zeros ("0" for a zero). Empty when a base lies
// outside 2 to 64 or the input is not a number of `inBase`.
std::string convertBase(const std::string& digits, int inBase, int outBase);

} // namespace Tools
