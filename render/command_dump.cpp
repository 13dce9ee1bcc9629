#include "render/command_dump.h"

#include <iomanip>
#include <string>

#include "protocol/helpers.h"
#include "render/value_lines.h"
#include "render/dump.h"
#include "render/fields.h"

namespace Zuno {

namespace {

// The hexadecimal forms of a text: each UTF-16 unit as two bytes, or the
// bytes of its UTF-8 form.
std::string unitHex(const std::u16string& text) { return toHex(text, " "); }
std::string utf8Hex(const std::u16string& text) { return toHex(utf16ToUtf8(text), " "); }

// dataLen, flag and content lines of the messages with a command length byte.
template <class M>
void writeCommandLines(std::ostream& os, const M& m, const std::string& text, const std::string& hex) {
    writeValueLine(os, "dataLen", m.dataLen, 2);
    writeValueLine(os, "flag", m.flag, 8);
    writeTextLine(os, "content", text, hex);
}

// 0x81 and the 0x80 text message render alike, each with the text it sends.
template <class M>
std::ostream& writeReplyBlock(std::ostream& os, const M& m, const std::u16string& text) {
    writeHeader(os, m);
    writeCommandLines(os, m, trim(utf16ToUtf8(text)), m.AlertAndLang.language == 1 ? unitHex(text) : utf8Hex(text));
    writeAlertAndLangBlock(os, m.AlertAndLang);
    writeTrailer(os, m);
    return os;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ZunoAction21& m) {
    writeHeader(os, m);
    writeValueLine(os, "flag", m.flag, 8);
    os << "    \"coding\" : \"" << (m.coding == kCodingUtf8 ? "ASCII" : "UTF16-BE") << " (0x" << std::hex
       << std::setfill('0') << std::setw(2) << static_cast<unsigned>(m.coding) << ")" << "\", \n";
    writeTextLine(os, "content", trim(utf16ToUtf8(m.content)),
                     m.coding == kCodingUtf16 ? unitHex(m.content) : utf8Hex(m.content));
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAction80& m) {
    const bool pair = m.noLanguage == 0;
    writeHeader(os, m, pair ? "" : " - LM12及其衍生协议");
    const bool units = pair && m.AlertAndLang.language == 1;
    writeCommandLines(os, m, utf16ToUtf8(m.content), units ? unitHex(m.content) : utf8Hex(m.content));
    if (pair) writeAlertAndLangBlock(os, m.AlertAndLang);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAction81& m) { return writeReplyBlock(os, m, m.content); }

std::ostream& operator<<(std::ostream& os, const ZunoAction80Resp& m) {
    return writeReplyBlock(os, m, m.sentText());
}

std::string ZunoAction21::toString() { return renderBlock(*this); }
std::string ZunoAction80::toString() { return renderBlock(*this); }
std::string ZunoAction81::toString() { return renderBlock(*this); }
std::string ZunoAction80Resp::toString() { return renderBlock(*this); }

} // namespace Zuno
