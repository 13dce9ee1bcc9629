#include "render/lbs_dump.h"

#include <iomanip>

#include "render/dump.h"
#include "render/fields.h"
#include "render/value_lines.h"

namespace Zuno {

namespace {

void writeCellLine(std::ostream& os, const char* key, uint64_t value, int digits, const char* end) {
    os << "            \"" << key << "\" : \"" << std::dec << value << " (0x" << std::hex << std::setfill('0')
       << std::setw(digits) << value << ")" << end;
}

// Block of 0x28, 0x2E and 0xA1; only 0xA1 widens the MNC text by MCC bit 15.
template <class M>
std::ostream& writeLbs28Block(std::ostream& os, const M& m, MncWidth rule) {
    writeHeader(os, m);
    writeCellReportLinesOf(os, m, rule);
    writeTimeOffsetLine(os, m.timeOffset);
    writeValueLine(os, "language", m.language, 4);
    writeTrailer(os, m);
    return os;
}

} // namespace

void writeCellListLines(std::ostream& os, const CellRecord* cells, size_t count) {
    os << "    \"lists\" : [\n";
    for (size_t i = 0; i < count; ++i) {
        const CellRecord& c = cells[i];
        os << "        {\n";
        writeCellLine(os, "LAC", c.LAC, 4, "\", \n");
        writeCellLine(os, "CellID", c.CellID, 6, "\", \n");
        writeCellLine(os, "RSSI", c.RSSI, 2, "\" \n");
        os << (i + 1 < count ? "        }, \n" : "        } \n");
    }
    os << "    ], \n";
}

void writeCellReportLines(std::ostream& os, uint64_t time, uint16_t MCC, uint16_t MNC, bool wideMncText,
                          const CellList& lists) {
    writeNamedLine(os, "time", dateTimeToString(time), time, 12);
    writeMccLine(os, MCC);
    writeMncLine(os, MNC, wideMncText);
    writeCellListLines(os, lists);
}

void writeTimeOffsetLine(std::ostream& os, uint8_t timeOffset) { writeValueLine(os, "timeOffset", timeOffset, 2); }

std::ostream& operator<<(std::ostream& os, const ZunoLbsInfo18& m) {
    writeHeader(os, m);
    writeCellReportLinesOf(os, m, MncWidth::OneByte);
    writeValueLine(os, "language", m.language, 4);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoLbsInfo28& m) { return writeLbs28Block(os, m, MncWidth::OneByte); }

std::ostream& operator<<(std::ostream& os, const ZunoLbsInfo2E& m) { return writeLbs28Block(os, m, MncWidth::OneByte); }

std::ostream& operator<<(std::ostream& os, const ZunoLbsInfoA1& m) { return writeLbs28Block(os, m, MncWidth::ByMcc); }

std::ostream& operator<<(std::ostream& os, const ZunoLbsInfoResp& m) {
    writeHeader(os, m);
    writeTrailer(os, m);
    return os;
}

std::string ZunoLbsInfo18::toString() { return renderBlock(*this); }
std::string ZunoLbsInfo28::toString() { return renderBlock(*this); }
std::string ZunoLbsInfo2E::toString() { return renderBlock(*this); }
std::string ZunoLbsInfoA1::toString() { return renderBlock(*this); }
std::string ZunoLbsInfoResp::toString() { return renderBlock(*this); }

} // namespace Zuno
