#pragma once
// Conversions between hexadecimal text and text in GBK, UTF-8, UTF-16BE and
// UTF-16LE. They do not touch the process-wide codec.

#include <QString>

namespace Tools {

enum class Encoding { Gbk, Utf8, Utf16BE, Utf16LE };

// The text that the bytes of hexadecimal input (read by readHexInput) hold in
// `encoding`. UTF-16 is decoded in the byte order it names, a trailing odd
// byte left out. Empty when there are no bytes, when the input holds anything
// but digits and separators, or when the bytes decode to nothing.
QString hexToText(const QString& input, Encoding encoding);

// The bytes of the trimmed text in `encoding` as upper-case pairs of digits,
// one blank apart, no byte-order mark. Empty for an empty text and for a text
// that the encoding cannot represent.
QString textToHex(const QString& input, Encoding encoding);

} // namespace Tools
