#pragma once
// Reading a JSON text with picojson without letting it throw or recurse
// without end.

#include <cstddef>
#include <string>

#include <picojson.h>

namespace Zuno {

// The deepest nesting of objects and arrays (together) a JSON text may have.
// picojson recurses once per level: a text nested deeper is refused before
// it sees it, and this is the one limit (the parser is given it for arrays).
constexpr std::size_t kMaxJsonDepth = 256;

// Why a text that is no JSON was refused, when nothing more can be said.
constexpr const char kNotJson[] = "不是有效的JSON";

// Parses `text` as one JSON value, with white space only around it.
// False on a syntax error, on anything but white space after the value, on
// a number the parser cannot hold and on a value nested deeper than
// kMaxJsonDepth; never throws.
bool parseJsonText(const std::string& text, picojson::value& out);
// The same; on failure `why` says why, for the user ("不是有效的JSON",
// "不是有效的JSON (第2行: JSON值之后还有内容)", "JSON嵌套超过256层").
bool parseJsonText(const std::string& text, picojson::value& out, std::string& why);

// Whether the first JSON value of `text` nests objects and arrays deeper than
// kMaxJsonDepth. A linear scan that skips strings (escapes included) and
// stops where that value ends.
bool nestedTooDeep(const std::string& text);

} // namespace Zuno
