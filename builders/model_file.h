#pragma once
// What the builders read of a message model text: the label/value pairs of
// its "components". Reading never throws. (The files themselves, their
// header and their writing belong to config/.)

#include <cstddef>
#include <map>
#include <string>

#include "protocol/json_text.h"

namespace Zuno {

// Label text to value text, one entry per distinct label, the first
// component of a label winning.
using LabelValueMap = std::map<std::string, std::string>;

// The label/value pairs of a model text. False when the text is empty or not
// JSON, the root is no object with a "components" array, or one component is
// not an object whose "label" and "value" are both strings (the label of one
// whose value is missing or no string is refused, field_rules.h); `fields`
// is then left empty.
bool readModelFields(const std::string& text, LabelValueMap& fields);

} // namespace Zuno
