#pragma once
// Reading a JSON text with picojson without letting it throw.

#include <string>

#include <picojson.h>

namespace Zuno {

// Parses the first JSON value of `text` (anything after it is ignored).
// False on a syntax error and on a number the parser cannot hold; never throws.
bool parseJsonText(const std::string& text, picojson::value& out);

} // namespace Zuno
