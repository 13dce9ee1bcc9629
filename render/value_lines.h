#pragma once
// The two usual shapes of a body line in the location dumps:
//   "    \"key\" : \"<decimal> (0x<hex>)\", \n"
//   "    \"key\" : \"<text> (0x<hex>)\", \n"
// with the hexadecimal part in lower case, zero-filled to `digits` digits.

#include <cstdint>
#include <ostream>
#include <string>

namespace Zuno {

void writeValueLine(std::ostream& os, const char* key, uint64_t value, int digits);
void writeNamedLine(std::ostream& os, const char* key, const std::string& text, uint64_t value, int digits);

} // namespace Zuno
