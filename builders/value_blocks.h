#pragma once
// Working values and labels of the pieces that several builder families
// share: the GPS fix, the cell report (date-time, MCC, MNC and seven cells)
// of the LBS and WiFi reports, and the WiFi access points.

#include <cstddef>
#include <cstdint>

#include "builders/field_rules.h"
#include "protocol/lbs.h"
#include "protocol/value_types.h"
#include "protocol/wifi.h"

namespace Zuno {

struct GpsValues {
    uint64_t time = 0;
    uint8_t satellites = 0;
    uint32_t latitude = 0;
    uint32_t longitude = 0;
    uint8_t speed = 0;
    uint16_t course = 0; // the course/status word
};

// The GPS fix into a message; `time` is the message's date-time field
// (gpsTime in most classes).
template <class M>
void copyGps(M& msg, const GpsValues& g, uint64_t M::*time = &M::gpsTime) {
    msg.*time = g.time;
    msg.satellites = g.satellites;
    msg.latitude = g.latitude;
    msg.longitude = g.longitude;
    msg.speed = g.speed;
    msg.directStatus = directionAndStatOf(g.course);
}

// How "卫星数" is read: with the GPS information length 12 in the high nibble
// (the satellites rule) or as the whole byte (an 8-bit number).
enum class SatelliteRule { WithGpsLength, WholeByte };

// "日期时间", "卫星数", "纬度", "经度", "速度" (when `withSpeed`), "航向/状态".
void addGpsLabels(LabelTable& labels, GpsValues& v, SatelliteRule rule, bool withSpeed);

struct CellReportValues {
    uint64_t time = 0;
    uint16_t MCC = 0;
    uint16_t MNC = 0;
    CellList lists{};
    uint8_t timeOffset = 0;
};

// "日期时间", "MCC", "MNC" (16-bit), "LAC0", "小区ID0", "RSSI0" ... "RSSI6",
// then "时间提前量" when `withTimeOffset`.
void addCellReportLabels(LabelTable& labels, CellReportValues& v, bool withTimeOffset);
// Date-time, MCC and the LAC, cell id and RSSI of cell 0 are all given (the
// first that is not is refused).
bool cellReportComplete(const CellReportValues& v);

template <class M>
void copyCellReport(M& m, const CellReportValues& v) {
    m.time = v.time;
    m.MCC = v.MCC;
    m.MNC = v.MNC;
    m.lists = v.lists;
}

// Three access points, each a MAC address and a signal strength.
struct WifiSlots {
    uint64_t MAC[3] = {0, 0, 0};
    uint8_t RSSI[3] = {0, 0, 0};
};

// "WiFiMAC地址0", "Wifi强度0", ... "WiFiMAC地址2", "Wifi强度2".
void addWifiLabels(LabelTable& labels, WifiSlots& slots);

// One entry per slot whose MAC is not 0, in slot order; a strength without
// a MAC is dropped.
WifiList wifiListOf(const WifiSlots& slots);

} // namespace Zuno
