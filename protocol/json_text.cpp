#include "protocol/json_text.h"

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

bool parseJsonText(const std::string& text, picojson::value& out, std::string& why) {
    out = picojson::value();
    why.clear();
    if (text.empty()) {
        why = "不是有效的JSON";
        return false;
    }
    if (nestedTooDeep(text)) {
        why = "JSON嵌套超过" + std::to_string(kMaxJsonDepth) + "层";
        return false;
    }
    std::string err;
    try {
        // The parser throws when a number literal overflows a double.
        picojson::parse(out, text.begin(), text.end(), &err);
    } catch (const std::exception&) {
        err = "number out of range";
    }
    if (err.empty())
        return true;
    out = picojson::value();
    why = "不是有效的JSON";
    return false;
}

bool parseJsonText(const std::string& text, picojson::value& out) {
    std::string why;
    return parseJsonText(text, out, why);
}

} // namespace Zuno
