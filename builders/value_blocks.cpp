#include "builders/value_blocks.h"

#include <string>

namespace Zuno {

void addGpsLabels(LabelTable& labels, GpsValues& v, SatelliteRule rule, bool withSpeed) {
    labels.push_back(rule::dateTime("日期时间", v.time));
    labels.push_back(rule == SatelliteRule::WithGpsLength ? rule::satellites("卫星数", v.satellites)
                                                          : rule::number8("卫星数", v.satellites));
    labels.push_back(rule::coordinate("纬度", v.latitude));
    labels.push_back(rule::coordinate("经度", v.longitude));
    if (withSpeed) labels.push_back(rule::number8("速度", v.speed));
    labels.push_back(rule::courseStatus("航向/状态", v.course));
}

void addCellReportLabels(LabelTable& labels, CellReportValues& v, bool withTimeOffset) {
    labels.push_back(rule::dateTime("日期时间", v.time));
    labels.push_back(rule::number16("MCC", v.MCC));
    labels.push_back(rule::number16("MNC", v.MNC));
    for (size_t i = 0; i < v.lists.size(); ++i) {
        const std::string n = std::to_string(i);
        CellRecord& cell = v.lists[i];
        labels.push_back(rule::number16(("LAC" + n).c_str(), cell.LAC));
        labels.push_back(rule::cellId(("小区ID" + n).c_str(), cell.CellID));
        labels.push_back(rule::number8(("RSSI" + n).c_str(), cell.RSSI));
    }
    if (withTimeOffset) labels.push_back(rule::number8("时间提前量", v.timeOffset));
}

bool cellReportComplete(const CellReportValues& v) {
    const CellRecord& first = v.lists[0];
    return requireFields({{"日期时间", v.time != 0},
                          {"MCC", v.MCC != 0},
                          {"LAC0", first.LAC != 0},
                          {"小区ID0", first.CellID != 0},
                          {"RSSI0", first.RSSI != 0}});
}

void addWifiLabels(LabelTable& labels, WifiSlots& slots) {
    for (size_t i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i);
        labels.push_back(rule::macAddress(("WiFiMAC地址" + n).c_str(), slots.MAC[i]));
        labels.push_back(rule::number8(("Wifi强度" + n).c_str(), slots.RSSI[i]));
    }
}

WifiList wifiListOf(const WifiSlots& slots) {
    WifiList list;
    for (size_t i = 0; i < 3; ++i) {
        if (slots.MAC[i] != 0) list.emplace_back(slots.MAC[i], slots.RSSI[i]);
    }
    return list;
}

} // namespace Zuno
