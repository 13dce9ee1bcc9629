#include "builders/bike.h"

#include <string>

#include "builders/field_rules.h"
#include "builders/value_blocks.h"
#include "protocol/bike.h"

namespace {

using namespace Zuno;

// The two reports read the same labels but for the type byte. The section
// lengths are taken as the model gives them: they choose what the encoder
// sends, and nothing here checks them.
template <class M>
std::shared_ptr<ZunoMSG> makeBikeReport(const LabelValueMap& fields, const char* typeLabel, uint8_t typeStart,
                                        uint8_t M::*typeField) {
    BikeReportFields f;
    GpsValues gps;
    WifiSlots wifi;
    uint8_t type = typeStart;

    LabelTable labels = {rule::number8("GPS长度", f.gpsSize)};
    addGpsLabels(labels, gps, SatelliteRule::WholeByte, true);
    labels.push_back(rule::number8("主基站长度", f.lbsMasterSize));
    labels.push_back(rule::number16("MCC", f.MCC));
    labels.push_back(rule::number16("MNC", f.MNC));
    labels.push_back(rule::number16("LAC0", f.LAC));
    labels.push_back(rule::cellId("小区ID0", f.CellID));
    labels.push_back(rule::number8("RSSI0", f.RSSI));
    labels.push_back(rule::number8("从基站长度", f.lbsSlaveSize));
    for (size_t i = 0; i < f.lists.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        CellRecord& cell = f.lists[i];
        labels.push_back(rule::number16(("LAC" + n).c_str(), cell.LAC));
        labels.push_back(rule::cellId(("小区ID" + n).c_str(), cell.CellID));
        labels.push_back(rule::number8(("RSSI" + n).c_str(), cell.RSSI));
    }
    addWifiLabels(labels, wifi);
    labels.push_back(rule::number8(typeLabel, type));
    labels.push_back(rule::number8("扩展长度", f.extSize));
    labels.push_back(rule::number16("标志位", f.bluetoothFlag));
    labels.push_back(rule::number8("实时/补传", f.bluetoothStatus));
    labels.push_back(rule::cellId("UserID", f.userID));
    labels.push_back(rule::number16("里程", f.distance));

    if (!readFields(fields, labels)) return nullptr;
    if (!requireFields({{"日期时间", gps.time != 0}})) return nullptr;

    copyGps(f, gps, &BikeReportFields::time);
    f.wifiArray = wifiListOf(wifi);
    auto m = std::make_shared<M>();
    static_cast<BikeReportFields&>(*m) = f;
    (*m).*typeField = type;
    return m;
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeBikeLoc32(const LabelValueMap& fields) {
    return makeBikeReport<ZunoBikeLoc32>(fields, "数据上报", 0xFF, &ZunoBikeLoc32::postModel);
}

std::shared_ptr<ZunoMSG> makeBikeAlert33(const LabelValueMap& fields) {
    return makeBikeReport<ZunoBikeAlert33>(fields, "告警类型", 0, &ZunoBikeAlert33::alertType);
}

} // namespace MessageBuilder
