#include "render/bike_dump.h"

#include <iomanip>

#include "render/dump.h"
#include "render/fields.h"
#include "render/lbs_dump.h"
#include "render/tables.h"
#include "render/value_lines.h"
#include "render/wifi_dump.h"

namespace Zuno {

namespace {

// A section length line: no comma after its closing quote.
void writeSizeLine(std::ostream& os, const char* key, uint8_t value) {
    os << "    \"" << key << "\" : \"" << std::dec << static_cast<unsigned>(value) << " (0x" << std::hex
       << std::setw(2) << static_cast<unsigned>(value) << ")" << "\" \n";
}

// Lines of the sections before the type byte; a section shows only when its
// length byte announces it.
void writeSectionLines(std::ostream& os, const BikeReportFields& f) {
    writeNamedLine(os, "time", dateTimeToString(f.time), f.time, 12);
    writeSizeLine(os, "gpsSize", f.gpsSize);
    if (f.gpsSize == kBikeGpsSize) {
        writeSatellitesLine(os, f.satellites);
        writeLatitudeLine(os, f.latitude);
        writeLongitudeLine(os, f.longitude);
        writeSpeedLine(os, f.speed);
        writeDirectStatusBlock(os, f.directStatus);
    }
    writeSizeLine(os, "lbsMasterSize", f.lbsMasterSize);
    if (f.lbsMasterSize == kBikeMasterSize) {
        writeCellLinesOf(os, f, MncWidth::OneByte);
        writeSizeLine(os, "RSSI", f.RSSI);
    }
    writeSizeLine(os, "lbsSlaveSize", f.lbsSlaveSize);
    if (f.lbsSlaveSize == kBikeSlaveSize) writeCellListLines(os, f.lists);
    // The WiFi length as the wire carries it: 7 bytes per entry.
    writeValueLine(os, "wifiCount", f.wifiArray.size() * kWifiEntryBytes, 2);
    writeWifiArrayLines(os, f.wifiArray);
}

// The extension length and the lines of its three known forms.
void writeExtensionLines(std::ostream& os, const BikeReportFields& f) {
    writeValueLine(os, "extSize", f.extSize, 2);
    const uint8_t ext = f.extSize;
    if (ext == 0 || !bikeExtSizeKnown(ext)) return;
    os << "    \"bluetoothFlag\" : \" 0x" << std::hex << std::setw(4) << f.bluetoothFlag << ",\n";
    writeNamedLine(os, "bluetoothStatus", postStatusName(f.bluetoothStatus), f.bluetoothStatus, 2);
    if (ext == 3) return;
    writeValueLine(os, "userID", f.userID, 6);
    if (ext == 8) writeValueLine(os, "distance", f.distance, 4);
}

// The whole block of a report; the two reports differ only in the type byte.
void writeReport(std::ostream& os, const ZunoMSG& msg, const BikeReportFields& f, const char* typeKey,
                 const std::string& typeName, uint8_t type) {
    writeHeader(os, msg);
    writeSectionLines(os, f);
    writeNamedLine(os, typeKey, typeName, type, 2);
    writeExtensionLines(os, f);
    writeTrailer(os, msg);
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ZunoBikeLoc32& m) {
    writeReport(os, m, m, "postModel", postModelName(m.postModel), m.postModel);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoBikeAlert33& m) {
    writeReport(os, m, m, "alertType", alarmName(m.alertType), m.alertType);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoBikeLoc32Resp& m) {
    writeHeader(os, m);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoBikeAlert33Resp& m) {
    writeHeader(os, m);
    writeTrailer(os, m);
    return os;
}

std::string ZunoBikeLoc32::toString() { return renderBlock(*this); }
std::string ZunoBikeAlert33::toString() { return renderBlock(*this); }
std::string ZunoBikeLoc32Resp::toString() { return renderBlock(*this); }
std::string ZunoBikeAlert33Resp::toString() { return renderBlock(*this); }

} // namespace Zuno
