#include "render/alarm_dump.h"

#include <iomanip>

#include "render/dump.h"
#include "render/fields.h"
#include "render/tables.h"
#include "render/value_lines.h"

namespace Zuno {

namespace {

void writeLbsLengthLine(std::ostream& os, uint8_t lbsLength) { writeValueLine(os, "lbsLength", lbsLength, 2); }

void writeFenceLine(std::ostream& os, uint8_t fenceID) {
    os << "    \"fenceID\" : " << std::dec << static_cast<unsigned>(fenceID) << " (0x" << std::hex << std::setw(2)
       << static_cast<unsigned>(fenceID) << ")" << ",\n";
}

// Only a mileage that the frame carries is shown.
void writeDistanceLine(std::ostream& os, uint32_t distance) {
    if (distance == 0) return;
    writeValueLine(os, "distance", distance, 8);
}

// The body every GPS alarm shares, with the LBS length line when the class
// has one; the class's own lines follow it.
void writeGpsAlarmBody(std::ostream& os, const GpsAlarmFields& f, const uint8_t* lbsLength, MncWidth rule) {
    writeGpsLinesOf(os, f);
    if (lbsLength) writeLbsLengthLine(os, *lbsLength);
    writeCellLinesOf(os, f, rule);
    writeStatusLinesOf(os, f);
    writeAlertAndLangBlock(os, f.AlertAndLang);
}

void writeCellAlarmBody(std::ostream& os, const ZunoAlert19& m, MncWidth rule) {
    writeCellLinesOf(os, m, rule);
    writeStatusLinesOf(os, m);
    writeAlertAndLangBlock(os, m.AlertAndLang);
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ZunoAlert16& m) {
    writeHeader(os, m);
    writeGpsAlarmBody(os, m, nullptr, MncWidth::OneByte);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlert26& m) {
    writeHeader(os, m);
    writeGpsAlarmBody(os, m, &m.lbsLength, MncWidth::OneByte);
    writeDistanceLine(os, m.distance);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlert27& m) {
    writeHeader(os, m);
    writeGpsAlarmBody(os, m, &m.lbsLength, MncWidth::OneByte);
    writeFenceLine(os, m.fenceID);
    writeDistanceLine(os, m.distance);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlertA3& m) {
    writeHeader(os, m);
    writeGpsAlarmBody(os, m, &m.lbsLength, MncWidth::ByMcc);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlertA4& m) {
    writeHeader(os, m);
    writeGpsAlarmBody(os, m, &m.lbsLength, MncWidth::ByMcc);
    writeFenceLine(os, m.fenceID);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlertResp& m) {
    writeHeader(os, m);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlert19& m) {
    writeHeader(os, m);
    writeCellAlarmBody(os, m, MncWidth::OneByte);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlertA5& m) {
    writeHeader(os, m);
    writeCellAlarmBody(os, m, MncWidth::ByMcc);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoAlert95& m) {
    writeHeader(os, m);
    writeGpsTimeLine(os, m.gpsTime);
    if (m.hasGps) {
        writeLatitudeLine(os, m.latitude);
        writeLongitudeLine(os, m.longitude);
        writeDirectStatusBlock(os, m.directStatus);
    }
    os << "    \"Alert\" : \"" << alarmName(m.Alert) << " (0x" << std::hex << std::setw(2)
       << static_cast<unsigned>(m.Alert) << ")" << "\",\n";
    if (m.hasValue) {
        os << "    \"Value\": " << std::dec << std::setw(4) << m.Value << " (0x" << std::hex << std::setw(4) << m.Value
           << ")" << ",\n";
    }
    writeTrailer(os, m);
    return os;
}

std::string ZunoAlert16::toString() { return renderBlock(*this); }
std::string ZunoAlert26::toString() { return renderBlock(*this); }
std::string ZunoAlert27::toString() { return renderBlock(*this); }
std::string ZunoAlertA3::toString() { return renderBlock(*this); }
std::string ZunoAlertA4::toString() { return renderBlock(*this); }
std::string ZunoAlertResp::toString() { return renderBlock(*this); }

std::string ZunoAlert19::toString() { return renderBlock(*this); }
std::string ZunoAlertA5::toString() { return renderBlock(*this); }
std::string ZunoAlert95::toString() { return renderBlock(*this); }

} // namespace Zuno
