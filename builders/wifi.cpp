#include "builders/wifi.h"

#include "builders/value_blocks.h"
#include "protocol/wifi.h"

namespace {

using namespace Zuno;

// 0x2C and 0xA2: the cell report with its timing advance, then the WiFi slots.
template <class M>
std::shared_ptr<ZunoMSG> makeCellWifi(const LabelValueMap& fields) {
    CellReportValues v;
    WifiSlots slots;
    LabelTable labels;
    addCellReportLabels(labels, v, true);
    addWifiLabels(labels, slots);
    if (!readFields(fields, labels) || !cellReportComplete(v)) return nullptr;
    auto msg = std::make_shared<M>();
    copyCellReport(*msg, v);
    msg->timeOffset = v.timeOffset;
    msg->wifiArray = wifiListOf(slots);
    return msg;
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeWifiLoc2C(const LabelValueMap& fields) {
    return makeCellWifi<ZunoWifiLoc2C>(fields);
}

std::shared_ptr<ZunoMSG> makeWifiInfoA2(const LabelValueMap& fields) {
    return makeCellWifi<ZunoWifiInfoA2>(fields);
}

std::shared_ptr<ZunoMSG> makeWifiLocC3(const LabelValueMap& fields) {
    GpsValues gps;
    WifiSlots slots;
    LabelTable labels;
    addGpsLabels(labels, gps, SatelliteRule::WholeByte, false);
    addWifiLabels(labels, slots);
    if (!readFields(fields, labels) || !requireFields({{"日期时间", gps.time != 0}})) return nullptr;
    auto msg = std::make_shared<ZunoWifiLocC3>();
    msg->time = gps.time;
    msg->satellites = gps.satellites;
    msg->latitude = gps.latitude;
    msg->longitude = gps.longitude;
    msg->directStatus = directionAndStatOf(gps.course);
    msg->wifiArray = wifiListOf(slots);
    return msg;
}

} // namespace MessageBuilder
