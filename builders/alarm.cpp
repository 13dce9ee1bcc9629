#include "builders/alarm.h"

#include "builders/field_rules.h"
#include "builders/value_blocks.h"
#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"

namespace {

using namespace Zuno;

// Voltage and GSM levels that the model does not give go out as "unknown".
constexpr uint8_t kLevelUnset = 0xFF;

// What sets a GPS alarm class apart: its LBS length byte, the MNC width
// rule, the fence number and the mileage.
template <class M> struct AlarmShape;
template <> struct AlarmShape<ZunoAlert16> { static constexpr bool lbs = false, wide = false, fence = false, mileage = false; };
template <> struct AlarmShape<ZunoAlert26> { static constexpr bool lbs = true, wide = false, fence = false, mileage = true; };
template <> struct AlarmShape<ZunoAlert27> { static constexpr bool lbs = true, wide = false, fence = true, mileage = true; };
template <> struct AlarmShape<ZunoAlertA3> { static constexpr bool lbs = true, wide = true, fence = false, mileage = false; };
template <> struct AlarmShape<ZunoAlertA4> { static constexpr bool lbs = true, wide = true, fence = true, mileage = false; };

// Working values of the cell, status and alarm labels that the GPS alarms
// and 0xA5 share.
struct CellAlarmWork {
    uint16_t MCC = 0, MNC = 0, LAC = 0;
    uint32_t CellID = 0;
    uint8_t content = 0;
    uint8_t powerLevel = kLevelUnset;
    uint8_t signalLevel = kLevelUnset;
    uint8_t alert = 0, language = 0;

    // "MNC" keeps 16 bits where MCC bit 15 may announce a two-byte MNC.
    void addLabels(LabelTable& labels, bool wideMnc) {
        labels.push_back(rule::number16("MCC", MCC));
        labels.push_back(wideMnc ? rule::number16("MNC", MNC) : rule::lowByte("MNC", MNC));
        labels.push_back(rule::number16("LAC", LAC));
        labels.push_back(rule::cellId("小区ID", CellID));
        labels.push_back(rule::terminalInfo("终端信息", content));
        labels.push_back(rule::number8("电压等级", powerLevel));
        labels.push_back(rule::number8("GSM信号", signalLevel));
        labels.push_back(rule::alarmLanguage("告警语言", alert, language));
    }
    // MCC, LAC and cell id are given; the first that is not is refused.
    bool cellGiven() const {
        return requireFields({{"MCC", MCC != 0}, {"LAC", LAC != 0}, {"小区ID", CellID != 0}});
    }

    template <class M>
    void copyTo(M& m) const {
        m.MCC = MCC;
        m.MNC = MNC;
        m.LAC = LAC;
        m.CellID = CellID;
        m.content = terminalContentOf(content);
        m.powerLevel = powerLevel;
        m.signalLevel = signalLevel;
        m.AlertAndLang.alert = alert;
        m.AlertAndLang.language = language;
    }
};

template <class M>
std::shared_ptr<ZunoMSG> makeGpsAlarm(const LabelValueMap& fields) {
    using Shape = AlarmShape<M>;
    GpsValues gps;
    CellAlarmWork cell;
    uint8_t fenceID = 0;
    uint32_t distance = 0;

    LabelTable labels;
    addGpsLabels(labels, gps, SatelliteRule::WithGpsLength, true);
    cell.addLabels(labels, Shape::wide);
    if (Shape::fence) labels.push_back(rule::number8("围栏编号", fenceID));
    if (Shape::mileage) labels.push_back(rule::number32("里程", distance));
    if (!readFields(fields, labels)) return nullptr;
    if (!requireFields({{"日期时间", gps.time != 0}, {"卫星数", gps.satellites != 0}}) || !cell.cellGiven())
        return nullptr;

    auto m = std::make_shared<M>();
    copyGps(*m, gps);
    cell.copyTo(*m);
    if constexpr (Shape::lbs) {
        // The value the encoder writes: the cell part on the wire, 10 bytes
        // only with a two-byte MNC.
        m->lbsLength = (Shape::wide && wideMnc(cell.MCC, MncWidth::ByMcc)) ? 10 : 9;
    }
    if constexpr (Shape::fence) m->fenceID = fenceID;
    if constexpr (Shape::mileage) m->distance = distance;
    return m;
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeAlert16(const LabelValueMap& fields) { return makeGpsAlarm<ZunoAlert16>(fields); }
std::shared_ptr<ZunoMSG> makeAlert26(const LabelValueMap& fields) { return makeGpsAlarm<ZunoAlert26>(fields); }
std::shared_ptr<ZunoMSG> makeAlert27(const LabelValueMap& fields) { return makeGpsAlarm<ZunoAlert27>(fields); }
std::shared_ptr<ZunoMSG> makeAlertA3(const LabelValueMap& fields) { return makeGpsAlarm<ZunoAlertA3>(fields); }
std::shared_ptr<ZunoMSG> makeAlertA4(const LabelValueMap& fields) { return makeGpsAlarm<ZunoAlertA4>(fields); }

std::shared_ptr<ZunoMSG> makeAlertA5(const LabelValueMap& fields) {
    CellAlarmWork cell;
    LabelTable labels;
    cell.addLabels(labels, true);
    if (!readFields(fields, labels)) return nullptr;
    if (!cell.cellGiven()) return nullptr;
    auto m = std::make_shared<ZunoAlertA5>();
    cell.copyTo(*m);
    return m;
}

// Every model gives a message; the two flags choose the layout, and the
// fields of an absent part are 0 whatever the model held for them.
std::shared_ptr<ZunoMSG> makeAlert95(const LabelValueMap& fields) {
    uint64_t gpsTime = 0;
    uint8_t hasGps = 0, alert = 0, hasValue = 0;
    uint32_t latitude = 0, longitude = 0;
    uint16_t status = 0, value = 0;
    const LabelTable labels = {rule::dateTime("日期时间", gpsTime), rule::flag("GPS存在", hasGps),
                               rule::coordinate("纬度", latitude),  rule::coordinate("经度", longitude),
                               rule::courseStatus("航向/状态", status), rule::number8("告警类型", alert),
                               rule::flag("有告警值", hasValue),     rule::number16("告警值", value)};
    if (!readFields(fields, labels)) return nullptr;
    auto m = std::make_shared<ZunoAlert95>();
    m->gpsTime = gpsTime;
    m->Alert = alert;
    m->hasGps = hasGps;
    if (hasGps) {
        m->latitude = latitude;
        m->longitude = longitude;
        m->directStatus = directionAndStatOf(status);
    }
    m->hasValue = hasValue;
    if (hasValue) m->Value = value;
    return m;
}

} // namespace MessageBuilder
