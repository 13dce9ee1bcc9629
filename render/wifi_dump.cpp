#include "render/wifi_dump.h"

#include <iomanip>
#include <string>

#include "render/dump.h"
#include "render/fields.h"
#include "render/lbs_dump.h"
#include "render/value_lines.h"

namespace Zuno {

namespace {

// The 0xC3 list stands one blank deeper than that of 0x2C.
const std::string kIndent2C = "    ";
const std::string kIndentC3 = "     ";

void writeRssiLine(std::ostream& os, const std::string& indent, uint8_t rssi) {
    os << indent << "        \"RSSI\" : \"" << std::dec << static_cast<unsigned>(rssi) << " (0x" << std::hex
       << std::setfill('0') << std::setw(2) << static_cast<unsigned>(rssi) << ")" << "\" \n";
}

void writeEntryClosing(std::ostream& os, const std::string& indent, bool last) {
    os << indent << (last ? "    } \n" : "    }, \n");
}

template <class M>
std::ostream& writeWifi2CBlock(std::ostream& os, const M& m, MncWidth rule) {
    writeHeader(os, m);
    writeCellReportLinesOf(os, m, rule);
    writeTimeOffsetLine(os, m.timeOffset);
    writeWifiCountLine(os, m.wifiArray.size());
    writeWifiArrayLines(os, m.wifiArray);
    writeTrailer(os, m);
    return os;
}

} // namespace

void writeWifiCountLine(std::ostream& os, size_t count) { writeValueLine(os, "wifiCount", count, 2); }

void writeWifiArrayLines(std::ostream& os, const WifiList& list) {
    os << kIndent2C << "\"wifiArray\" : [\n";
    for (size_t i = 0; i < list.size(); ++i) {
        const WifiEntry& e = list[i];
        os << kIndent2C << "    {\n";
        os << kIndent2C << "        \"MAC\" : \"" << macToString(e.first) << " (0x" << std::hex << std::setfill('0')
           << std::setw(6) << e.first << ")\", \n";
        writeRssiLine(os, kIndent2C, e.second);
        writeEntryClosing(os, kIndent2C, i + 1 == list.size());
    }
    os << "    ], \n";
}

std::ostream& operator<<(std::ostream& os, const ZunoWifiLoc2C& m) { return writeWifi2CBlock(os, m, MncWidth::OneByte); }

std::ostream& operator<<(std::ostream& os, const ZunoWifiInfoA2& m) { return writeWifi2CBlock(os, m, MncWidth::ByMcc); }

std::ostream& operator<<(std::ostream& os, const ZunoWifiLocC3& m) {
    writeHeader(os, m);
    writeNamedLine(os, "time", dateTimeToString(m.time), m.time, 12);
    writeSatellitesLine(os, m.satellites);
    writeLatitudeLine(os, m.latitude);
    writeLongitudeLine(os, m.longitude);
    writeDirectStatusBlock(os, m.directStatus);
    os << kIndentC3 << "\"wifiCount\" : \"" << std::dec << m.wifiArray.size() << " (0x" << std::hex
       << std::setfill('0') << std::setw(2) << m.wifiArray.size() << ")" << "\", \n";
    os << kIndentC3 << "\"wifiArray\" : [\n";
    for (size_t i = 0; i < m.wifiArray.size(); ++i) {
        const WifiEntry& e = m.wifiArray[i];
        os << kIndentC3 << "    {\n";
        // The whole 48-bit address as one decimal number, without a hexadecimal part.
        os << kIndentC3 << "        \"MAC\" : \"" << std::dec << e.first << "\", \n";
        writeRssiLine(os, kIndentC3, e.second);
        writeEntryClosing(os, kIndentC3, i + 1 == m.wifiArray.size());
    }
    os << "    ], \n";
    writeTrailer(os, m);
    return os;
}

std::string ZunoWifiLoc2C::toString() { return renderBlock(*this); }
std::string ZunoWifiInfoA2::toString() { return renderBlock(*this); }
std::string ZunoWifiLocC3::toString() { return renderBlock(*this); }

} // namespace Zuno
