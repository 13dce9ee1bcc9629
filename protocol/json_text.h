#pragma once
// Reading a JSON text with picojson without letting it throw or recurse
// without end.

#include <cstddef>
#include <string>

#include <picojson.h>

namespace Zuno {

// The deepest nesting of objects and arrays (together) a JSON text may have.
// picojson recurses once per level and counts arrays only: a text nested
// deeper is refused before it sees it.
constexpr std::size_t kMaxJsonDepth = 256;

// Parses the first JSON value of `text` (anything after it is ignored).
// False on a syntax error, on a number the parser cannot hold and on a value
// nested deeper than kMaxJsonDepth; never throws.
bool parseJsonText(const std::string& text, picojson::value& out);
// The same; on failure `why` says why, for the user ("不是有效的JSON",
// "JSON嵌套超过256层").
bool parseJsonText(const std::string& text, picojson::value& out, std::string& why);

// Whether the first JSON value of `text` nests objects and arrays deeper than
// kMaxJsonDepth. A linear scan that skips strings (escapes included) and
// stops where that value ends.
bool nestedTooDeep(const std::string& text);

} // namespace Zuno
