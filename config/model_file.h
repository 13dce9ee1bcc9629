#pragma once
// Message model files (conf/model/, conf/cmd/) as files: their header and
// the writing of a document in the indented form every file under conf/ is
// written in. What the values mean belongs to the builders.

#include <cstddef>
#include <map>
#include <string>

#include "protocol/json_text.h"

namespace Zuno {

// The two keys by which the catalogue lists a file: "cmd" and "protocol".
struct ModelHeader {
    std::string cmd;
    std::string protocol;
};
// The header of a configuration text (its first JSON value; what follows
// it is ignored). False, with `header` empty, when the text gives no JSON
// object or "cmd" or "protocol" is missing or not a string (an empty string
// is a string); `why`, when given, then says why, for the user.
bool readModelHeader(const std::string& text, ModelHeader& header, std::string* why = nullptr);
// The same of a value read already.
bool modelHeaderOf(const picojson::value& root, ModelHeader& header, std::string* why = nullptr);

// The indented form: two blanks per level, keys in byte order, "/" written
// as "\/", a line feed after the closing brace.
std::string serializeConfig(const picojson::value& document);

// Re-reads `text` and sets the "value" of the components at the given
// indexes (of the "components" array) to the given strings, adding a "value"
// where a component had none; every other key and component is kept.
// Indexes past the array or of elements that are no objects are skipped.
// False, with `out` untouched, when `text` is no JSON object.
bool rewriteModelValues(const std::string& text, const std::map<size_t, std::string>& values,
                        std::string& out);

} // namespace Zuno
