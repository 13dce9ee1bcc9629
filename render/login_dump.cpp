#include "render/login_dump.h"

#include <iomanip>

#include "render/dump.h"
#include "render/fields.h"
#include "render/tables.h"

namespace Zuno {

namespace {

const char* loginLanguageText(unsigned language) {
    switch (language & kLoginLanguageMask) {
    case 0: return "Error";
    case 1: return "ZH";
    default: return "EN";
    }
}

// Header and trailer around no body lines.
std::ostream& writeEmptyBlock(std::ostream& os, const ZunoMSG& m) {
    writeHeader(os, m);
    writeTrailer(os, m);
    return os;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ZunoLogin& m) {
    const TimeZoneLanguage& z = m.TimeZoneAndLanguage;
    writeHeader(os, m);
    os << "    \"imei\":\"" << m.imei << " (0x" << std::setfill('0') << std::setw(16) << m.imei << ")" << "\",\n";
    os << "    \"type\":\"" << deviceTypeName(m.type) << " (0x" << std::hex << std::setw(4) << m.type << ")"
       << "\",\n";
    os << "    \"TimeZoneAndLanguage\": {\n";
    os << "        \"_DATA\": \"" << " (0x" << std::hex << std::setw(4) << dumpWord(z) << ")" << "\",\n";
    os << "        \"TimeZone\": \"GMT" << ((z.westZone & 1u) ? "-" : "+") << std::dec << std::setw(4)
       << (z.timeZone & kTimeZoneMask) << "\",\n";
    os << "        \"Language\": \"" << loginLanguageText(z.language) << "\"\n";
    os << "    \"},\n";
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoPing13& m) {
    writeHeader(os, m);
    writeStatusLinesOf(os, m);
    writeLanguageOrExtLine(os, m.languageOrExt);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoPing23& m) {
    writeHeader(os, m);
    writeContentLine(os, m.content);
    os << "    \"powerLevel\":\"" << std::dec << batteryPercent(m.powerLevel) << "% | "
       << static_cast<float>(m.powerLevel) / 100.0f << "V" << " (0x" << std::hex << std::setfill('0')
       << std::setw(4) << m.powerLevel << ")" << "\",\n";
    writeSignalLevelLine(os, m.signalLevel);
    writeLanguageOrExtLine(os, m.languageOrExt);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoLoginResp& m) { return writeEmptyBlock(os, m); }
std::ostream& operator<<(std::ostream& os, const ZunoPong13& m) { return writeEmptyBlock(os, m); }
std::ostream& operator<<(std::ostream& os, const ZunoPong23& m) { return writeEmptyBlock(os, m); }

std::string ZunoLogin::toString() { return renderBlock(*this); }
std::string ZunoPing13::toString() { return renderBlock(*this); }
std::string ZunoPing23::toString() { return renderBlock(*this); }
std::string ZunoLoginResp::toString() { return renderBlock(*this); }
std::string ZunoPong13::toString() { return renderBlock(*this); }
std::string ZunoPong23::toString() { return renderBlock(*this); }

} // namespace Zuno
