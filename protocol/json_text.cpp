#include "protocol/json_text.h"

#include <algorithm>
#include <exception>

namespace Zuno {

bool nestedTooDeep(const std::string& text) {
    // A first value that is no object or array nests nothing.
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || (text[start] != '{' && text[start] != '['))
        return false;
    std::size_t depth = 0;
    bool inString = false;
    for (std::size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i; // the escaped character, a quote among them
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"': inString = true; break;
        case '{':
        case '[':
            if (++depth > kMaxJsonDepth)
                return true;
            break;
        case '}':
        case ']':
            // The first value ends here: the parser reads no further.
            if (--depth == 0)
                return false;
            break;
        default: break;
        }
    }
    return false;
}

namespace {

bool isJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

bool parseJsonText(const std::string& text, picojson::value& out, std::string& why) {
    out = picojson::value();
    why.clear();
    if (text.empty()) {
        why = kNotJson;
        return false;
    }
    if (nestedTooDeep(text)) {
        why = "JSON嵌套超过" + std::to_string(kMaxJsonDepth) + "层";
        return false;
    }
    std::string err;
    auto end = text.end();
    try {
        // The parser's own bound on arrays is the program's: the check above
        // has refused whatever would reach it, so no other depth refuses.
        picojson::default_parse_context context(&out, kMaxJsonDepth);
        // The parser throws when a number literal overflows a double.
        end = picojson::_parse(context, text.begin(), text.end(), &err);
    } catch (const std::exception&) {
        err = "number out of range";
    }
    if (!err.empty()) {
        out = picojson::value();
        why = kNotJson;
        return false;
    }
    // One value and white space: whatever follows it (a note, a second
    // value) would be dropped unread, and lost when the file is written.
    const auto rest = std::find_if_not(end, text.end(), isJsonSpace);
    if (rest != text.end()) {
        out = picojson::value();
        const long line = 1 + std::count(text.begin(), rest, '\n');
        why = std::string(kNotJson) + " (第" + std::to_string(line) + "行: JSON值之后还有内容)";
        return false;
    }
    return true;
}

bool parseJsonText(const std::string& text, picojson::value& out) {
    std::string why;
    return parseJsonText(text, out, why);
}

} // namespace Zuno
