#include "render/value_lines.h"

#include <iomanip>

namespace Zuno {

void writeValueLine(std::ostream& os, const char* key, uint64_t value, int digits) {
    os << "    \"" << key << "\" : \"" << std::dec << value << " (0x" << std::hex << std::setfill('0')
       << std::setw(digits) << value << ")" << "\", \n";
}

void writeNamedLine(std::ostream& os, const char* key, const std::string& text, uint64_t value, int digits) {
    os << "    \"" << key << "\" : \"" << text << " (0x" << std::hex << std::setfill('0') << std::setw(digits)
       << value << ")" << "\", \n";
}

void writeTextLine(std::ostream& os, const char* key, const std::string& text, const std::string& hex) {
    os << "    \"" << key << "\" : \"" << text << " (0x" << hex << ")" << "\", \n";
}

} // namespace Zuno
