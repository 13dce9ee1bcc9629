#pragma once
// Message model files: one JSON object with "cmd", "protocol" and
// "components", each component an object with at least "label" and "value".
// Reading never throws; writing uses the indented form every configuration
// file of the program is written in.

#include <cstddef>
#include <map>
#include <string>

#include <picojson.h>

namespace Zuno {

// Label text to value text, one entry per distinct label, the first
// component of a label winning.
using LabelValueMap = std::map<std::string, std::string>;

// Parses the first JSON value of `text` (anything after it is ignored).
// False on a syntax error and on a number the parser cannot hold; never throws.
bool parseJsonText(const std::string& text, picojson::value& out);

// The label/value pairs of a model text. False when the text is empty or not
// JSON, the root is no object with a "components" array, or one component is
// not an object whose "label" and "value" are both strings; `fields` is then
// left empty.
bool readModelFields(const std::string& text, LabelValueMap& fields);

// "cmd" and "protocol" of a model document; each empty when missing or not a
// string. False when the text is no JSON object.
struct ModelHeader {
    std::string cmd;
    std::string protocol;
};
bool readModelHeader(const std::string& text, ModelHeader& header);

// The indented form: two blanks per level, keys in byte order, "/" written
// as "\/", a line feed after the closing brace.
std::string serializeModel(const picojson::value& document);

// Re-reads `text` and sets the "value" of the components at the given
// indexes (of the "components" array) to the given strings, adding a "value"
// where a component had none; every other key and component is kept.
// Indexes past the array or of elements that are no objects are skipped.
// False, with `out` untouched, when `text` is no JSON object.
bool rewriteModelValues(const std::string& text, const std::map<size_t, std::string>& values,
                        std::string& out);

} // namespace Zuno
