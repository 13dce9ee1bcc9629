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

// What a computation of the calculator gives: a result to show, or why there
// is none. Both are empty when the input holds nothing to compute.
struct Computed {
    QString result;
    QString reason;
};

// CRC-16/X-25 of hexadecimal input (read by readHexInput) as four lower-case
// digits ("906e"); nothing when the input holds no digits; the reason naming
// what could not be read when it holds anything but digits and separators.
Computed crcOfHex(const QString& input);

// MD5 digest of hexadecimal input as 32 lower-case digits; nothing or the
// reason as for the CRC.
Computed md5OfHex(const QString& input);

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
// kind is left out. A longitude goes round the circle: E181.0 is W179.0.
// Nothing for a text of nothing but white space. Otherwise, instead of
// distances, the reason naming what could not be read: a count of
// comma-separated parts other than four ("坐标无法识别: 需要4个坐标, 输入了3个"),
// or each part, as typed, that is no coordinate or a latitude beyond 90
// degrees ("坐标无法识别: 纬度1 \"N23.1l\"").
Computed distanceOf(const QString& input);

} // namespace Tools
