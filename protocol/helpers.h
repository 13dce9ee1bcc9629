#pragma once
// Stateless byte, hexadecimal and text helpers shared by the whole program.
// Hexadecimal written here is upper case.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QString;

namespace Zuno {

std::string toHex(const std::u16string& text, const std::string& separator);
std::string toHex(const std::string& bytes, const std::string& separator);
// "" when the length is 0, the vector empty or the range reaches past its end.
std::string toHex(const std::vector<uint8_t>& data, size_t offset, size_t length,
                  const std::string& separator);

// Pairs of digits into bytes; an odd first digit stands alone; a character that
// is no hexadecimal digit counts as 0. An empty text gives an empty pointer.
std::unique_ptr<std::vector<uint8_t>> hexToBytes(const std::string& hex);
// Removes every " ", then ",", then "0x", then "0X", in place: typed
// hexadecimal ("0x78, 0X78") as plain digits ("7878").
QString& stripHexSeparators(QString& text);

// Replaces `from` by `to` until it no longer occurs, each search from the start.
// An empty `from` changes nothing; a `to` containing `from` is replaced once
// per occurrence (as replaceAll), since searching again would never end.
std::string& replaceAllFromStart(std::string& text, const std::string& from, const std::string& to);
// Ordinary replace-all; an empty `from` changes nothing.
std::string& replaceAll(std::string& text, const std::string& from, const std::string& to);

// Cut at the first NUL, then strip blanks, "\n", "\r" and "\t" at both ends.
std::string trim(std::string text);

// UTF-16 (native order) to UTF-8; a leading 0xFFFE swaps every unit.
std::string utf16ToUtf8(const std::u16string& text);
// UTF-16 (native order) to UTF-8; a leading 0xFEFF is dropped.
std::string utf16ToUtf8Native(const std::u16string& text);
// UTF-8 to UTF-16; `ok` (when given) turns false on a stray continuation byte
// or a sequence cut short by the end of the input.
std::u16string utf8ToUtf16(const std::string& text, bool withBom = false, bool* ok = nullptr);

} // namespace Zuno
