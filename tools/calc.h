#pragma once
// The computations of the CRC, MD5 and distance calculator.

#include <cstddef>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

namespace Tools {

// The lines of an input box, each trimmed, joined without separator and
// trimmed again.
QString joinTrimmedLines(const QStringList& lines);

// CRC-16/X-25 of hexadecimal input as four lower-case digits ("906e"); empty
// when the input holds no digits.
QString crcOfHex(const QString& input);

// MD5 digest of hexadecimal input as 32 lower-case digits; empty when the
// input holds no digits.
QString md5OfHex(const QString& input);

// One coordinate in degrees from a part such as "+23.111669" or "-0.5". A
// part without a decimal point is read as degrees with `intDigits` integer
// digits and the rest as the fraction ("+23111669" with 2 gives 23.111669;
// a part of `intDigits` digits or fewer is whole degrees). No value for a part
// that is no such number, holds no digit or is out of a double's range.
std::optional<double> readCoordinate(const std::string& part, size_t intDigits);
// The same, with 0.0 for a part that cannot be read.
double coordinate(const std::string& part, size_t intDigits);

// The two distances in metres between the positions of a text such as
// "N23.111669, E114.409182, N22.111669, E113.409182", as
// "\"GPS距离\":151498.280383, \"WGS84距离\":151498.280383"; white space of any
// kind is left out. Empty unless the text holds exactly four comma-separated
// parts; when a part cannot be read, a text naming each such part as typed
// instead: "坐标无法识别: 纬度1 \"N23.1l\"".
QString distanceOf(const QString& input);

} // namespace Tools
