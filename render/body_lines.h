#pragma once
// Body lines of the shape `    "key" : "<text> (0x<hex>)", ` shared by the
// command and address dumps.

#include <cstdint>
#include <iomanip>
#include <ostream>
#include <string>

namespace Zuno {

// The value in decimal, then in hexadecimal zero-filled to `digits`.
inline void writeNumberLine(std::ostream& os, const char* key, uint64_t value, int digits) {
    os << "    \"" << key << "\" : \"" << std::dec << value << " (0x" << std::hex << std::setfill('0')
       << std::setw(digits) << value << ")" << "\", \n";
}

// A text and a hexadecimal text (as toHex writes it).
inline void writeTextLine(std::ostream& os, const char* key, const std::string& text, const std::string& hex) {
    os << "    \"" << key << "\" : \"" << text << " (0x" << hex << ")" << "\", \n";
}

} // namespace Zuno
