#pragma once
// The usual shapes of a body line in the dumps:
//   "    \"key\" : \"<decimal> (0x<hex>)\", \n"
//   "    \"key\" : \"<text> (0x<hex>)\", \n"
// with the hexadecimal part in lower case, zero-filled to `digits` digits, or
// given as a text already (as toHex writes it).

#include <cstdint>
#include <ostream>
#include <string>

namespace Zuno {

void writeValueLine(std::ostream& os, const char* key, uint64_t value, int digits);
void writeNamedLine(std::ostream& os, const char* key, const std::string& text, uint64_t value, int digits);
void writeTextLine(std::ostream& os, const char* key, const std::string& text, const std::string& hex);

} // namespace Zuno
