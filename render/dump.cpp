#include "render/dump.h"

#include <iomanip>

namespace Zuno {

void writeHeader(std::ostream& os, const ZunoMSG& msg) { writeHeader(os, msg, ""); }

void writeHeader(std::ostream& os, const ZunoMSG& msg, const char* nameSuffix) {
    os << "\"MSG\" : { \n";
    os << "    \"begin\" : 0x" << std::hex << std::setfill('0') << std::setw(4) << msg.begin << ",\n";
    os << "    \"len\" : \"" << std::dec << msg.len << " (0x" << std::hex
       << std::setw(msg.isLongFrame() ? 4 : 2) << msg.len << ")" << "\",\n";
    os << "    \"command\" : \"" << ZunoMSG::commandName(msg.command) << nameSuffix << " (0x" << std::hex << std::setw(2)
       << static_cast<unsigned>(msg.command) << ")" << "\",\n";
}

void writeTrailer(std::ostream& os, const ZunoMSG& msg) {
    os << "    \"seq\" : " << std::dec << std::setw(4) << msg.seq << " (0x" << std::hex << std::setw(4) << msg.seq
       << ")" << ",\n";
    os << "    \"crc\" : 0x" << std::hex << std::setw(4) << msg.crc << ",\n";
    os << "    \"stop\" : 0x" << std::hex << std::setw(4) << msg.stop << "\n";
    os << "}" << std::endl;
}

std::string plainBlock(const ZunoMSG& msg) {
    std::stringstream os;
    os.imbue(std::locale::classic());
    os << "\"MSG\" : { \n";
    os << "    \"begin\" : 0x" << std::hex << std::setfill('0') << std::setw(4) << msg.begin << ",\n";
    os << "    \"len\" : " << std::dec << msg.len << ",\n";
    os << "    \"command\" : \"" << ZunoMSG::commandName(msg.command) << "\",\n";
    os << "    \"seq\" : " << std::dec << std::setw(4) << msg.seq << ",\n";
    os << "    \"crc\" : 0x" << std::hex << std::setw(4) << msg.crc << ",\n";
    os << "    \"stop\" : 0x" << std::hex << std::setw(4) << msg.stop << "\n";
    os << "}" << std::endl;
    return os.str();
}

std::string languageName(uint16_t language) {
    switch (language & 0x03) {
    case 1: return "ZH";
    case 2: return "EN";
    default: return {};
    }
}

std::string ZunoMSG::toString() { return plainBlock(*this); }

} // namespace Zuno
