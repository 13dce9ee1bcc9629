#include "render/gps_dump.h"

#include <iomanip>
#include <locale>
#include <sstream>

#include "render/dump.h"
#include "render/fields.h"
#include "render/tables.h"
#include "render/value_lines.h"

namespace Zuno {

namespace {

// "ACC", "postModel", "postStatus" and "duration" (shown also when 0).
template <class M>
void writeUploadLines(std::ostream& os, const M& m) {
    writeNamedLine(os, "ACC", m.ACC == 1 ? "High" : "Low", m.ACC, 2);
    writeNamedLine(os, "postModel", postModelName(m.postModel), m.postModel, 2);
    writeNamedLine(os, "postStatus", postStatusName(m.postStatus), m.postStatus, 2);
    writeValueLine(os, "duration", m.duration, 8);
}

// Block of 0x22, 0x2D and 0xA0; only 0xA0 widens the MNC text by MCC bit 15.
template <class M>
std::ostream& writeLoc22Block(std::ostream& os, const M& m, MncWidth rule) {
    writeHeader(os, m);
    writeGpsLinesOf(os, m);
    writeCellLinesOf(os, m, rule);
    writeUploadLines(os, m);
    writeTrailer(os, m);
    return os;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc10& m) {
    writeHeader(os, m);
    writeGpsLinesOf(os, m);
    writeValueLine(os, "language", m.language, 4);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc12& m) {
    writeHeader(os, m);
    writeGpsLinesOf(os, m);
    writeCellLinesOf(os, m, MncWidth::OneByte);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc22& m) { return writeLoc22Block(os, m, MncWidth::OneByte); }

std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc2D& m) { return writeLoc22Block(os, m, MncWidth::OneByte); }

std::ostream& operator<<(std::ostream& os, const ZunoGpsLocA0& m) { return writeLoc22Block(os, m, MncWidth::ByMcc); }

std::ostream& operator<<(std::ostream& os, const ZunoGpsLoc24& m) {
    writeHeader(os, m);
    writeGpsTimeLine(os, m.gpsTime);
    writeSatellitesLine(os, m.satellites);
    writeLatitudeLine(os, m.latitude);
    writeLongitudeLine(os, m.longitude);
    writeValueLine(os, "altitude", m.altitude, 4);
    writeSpeedLine(os, m.speed);
    writeDirectStatusBlock(os, m.directStatus);
    writeCellLinesOf(os, m, MncWidth::OneByte);
    writeUploadLines(os, m);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoGpsLocResp& m) {
    writeHeader(os, m);
    writeTrailer(os, m);
    return os;
}

std::string ZunoGpsLoc10::toString() { return renderBlock(*this); }
std::string ZunoGpsLoc12::toString() { return renderBlock(*this); }
std::string ZunoGpsLoc22::toString() { return renderBlock(*this); }
std::string ZunoGpsLoc2D::toString() { return renderBlock(*this); }
std::string ZunoGpsLocA0::toString() { return renderBlock(*this); }
std::string ZunoGpsLoc24::toString() { return renderBlock(*this); }
std::string ZunoGpsLocResp::toString() { return renderBlock(*this); }

// The 0x70 block has literals of its own: no blank before the colons and no
// hexadecimal part after the length, the packet name or the serial.
std::string ZunoGpsLoc70::toString() {
    std::stringstream os;
    os.imbue(std::locale::classic());
    os << "\"MSG\": { \n";
    os << "    \"begin\": 0x" << std::hex << std::setfill('0') << std::setw(4) << begin << ",\n";
    os << "    \"len\":" << std::dec << len << ",\n";
    os << "    \"command\":\"" << commandName(command) << "\",\n";
    os << "    \"seq\": " << std::dec << std::setw(4) << seq << ",\n";
    os << "    \"crc\": 0x" << std::hex << std::setw(4) << crc << ",\n";
    os << "    \"stop\": 0x" << std::hex << std::setw(4) << stop << "\n";
    os << "}" << std::endl;
    return os.str();
}

} // namespace Zuno
