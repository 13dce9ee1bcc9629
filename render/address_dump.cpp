#include "render/address_dump.h"

#include <iomanip>
#include <string>

#include "protocol/helpers.h"
#include "render/value_lines.h"
#include "render/dump.h"
#include "render/fields.h"

namespace Zuno {

namespace {

// The number alone, while the hexadecimal part shows every byte of the field.
void writePhoneLine(std::ostream& os, const std::string& phone) {
    writeTextLine(os, "phone", trim(phone), toHex(phone, " "));
}

// 0x17 and 0xA7; the MNC shows two digits in both.
std::ostream& writeCellRequest(std::ostream& os, const ZunoGeocoding17& m) {
    writeHeader(os, m);
    writeCellLinesOf(os, m, MncWidth::OneByte);
    writePhoneLine(os, m.phone);
    writeAlertAndLangBlock(os, m.AlertAndLang);
    writeTrailer(os, m);
    return os;
}

// 0x1A and 0x2A.
std::ostream& writeGpsRequest(std::ostream& os, const ZunoGeocoding1A& m) {
    writeHeader(os, m);
    writeGpsLinesOf(os, m);
    writePhoneLine(os, m.phone);
    writeAlertAndLangBlock(os, m.AlertAndLang);
    writeTrailer(os, m);
    return os;
}

// 0x17 and 0x97 replies.
std::ostream& writeReply(std::ostream& os, const ZunoGeocoding17Resp& m) {
    writeHeader(os, m);
    writeValueLine(os, "cmdSize", m.cmdSize, 4);
    writeValueLine(os, "flag", m.flag, 8);
    writeTextLine(os, "tag", m.tag, toHex(m.tag, " "));
    writeTextLine(os, "address", utf16ToUtf8(m.address), toHex(m.address, " "));
    writePhoneLine(os, m.phone);
    writeTrailer(os, m);
    return os;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ZunoGeocoding17& m) { return writeCellRequest(os, m); }
std::ostream& operator<<(std::ostream& os, const ZunoGeocodingA7& m) { return writeCellRequest(os, m); }
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding1A& m) { return writeGpsRequest(os, m); }
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding2A& m) { return writeGpsRequest(os, m); }
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding17Resp& m) { return writeReply(os, m); }
std::ostream& operator<<(std::ostream& os, const ZunoGeocoding97Resp& m) { return writeReply(os, m); }

std::string ZunoGeocoding17::toString() { return renderBlock(*this); }
std::string ZunoGeocodingA7::toString() { return renderBlock(*this); }
std::string ZunoGeocoding1A::toString() { return renderBlock(*this); }
std::string ZunoGeocoding2A::toString() { return renderBlock(*this); }
std::string ZunoGeocoding17Resp::toString() { return renderBlock(*this); }
std::string ZunoGeocoding97Resp::toString() { return renderBlock(*this); }

} // namespace Zuno
