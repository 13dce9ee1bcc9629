#pragma once
// Reading a JSON text with picojson without letting it throw or recurse
// without end: the one parser of every reader of the program's files.

#include <cstddef>
#include <map>
#include <string>
#include <utility>

#include <picojson.h>

namespace Zuno {

// The deepest nesting of objects and arrays (together) a JSON text may have.
// The parser recurses once per level and stops at the next one.
constexpr std::size_t kMaxJsonDepth = 256;

// What reading a text as JSON gave.
struct JsonRead {
    enum Kind {
        Value,          // one value, with white space only around it
        ValueThenText,  // one value, then more than white space from `at` on, which is ignored
        NotJson,        // no value: the text is empty or breaks the syntax at `at`
        NumberTooLarge, // no value: the number ending at `at` is beyond what a double holds (1e400)
        TooDeep,        // no value: objects and arrays nest deeper than kMaxJsonDepth at `at`
    };
    Kind kind = NotJson;
    std::size_t at = 0;   // byte offset in the text
    std::size_t line = 1; // the line of `at`, from 1

    // Whether there is a value to take (the text after it is ignored).
    explicit operator bool() const { return kind == Value || kind == ValueThenText; }
};

// Where the members of a root object have their values in the text, as
// [first, last) byte offsets, by key (of a key given twice, the last).
using JsonMemberSpans = std::map<std::string, std::pair<std::size_t, std::size_t>>;

// Reads the first JSON value of `text` into `out` (null when there is none);
// never throws. `spans`, when given, receives where each member of a root
// object is written.
JsonRead parseJsonText(const std::string& text, picojson::value& out, JsonMemberSpans* spans = nullptr);

// For the user: why `read` gave no value, or what follows the value ("" for
// a value alone): "不是有效的JSON (第3行)", "第2行起JSON值之后还有内容",
// "不是有效的JSON (第4行: 数值超出范围)", "JSON嵌套超过256层".
std::string jsonReadProblem(const JsonRead& read);

} // namespace Zuno
