#include "protocol/json_text.h"

#include <exception>

namespace Zuno {

bool parseJsonText(const std::string& text, picojson::value& out) {
    if (text.empty()) return false;
    std::string err;
    try {
        // The parser throws when a number literal overflows a double.
        picojson::parse(out, text.begin(), text.end(), &err);
    } catch (const std::exception&) {
        out = picojson::value();
        return false;
    }
    return err.empty();
}

} // namespace Zuno
