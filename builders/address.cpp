#include "builders/address.h"

#include <string>

#include "builders/value_blocks.h"
#include "protocol/address.h"

namespace {

using namespace Zuno;

// A phone number that does not fit its 21-byte field would make every
// sending of the message fail: the model builds nothing instead.
bool phoneFits(const std::string& phone) {
    if (phone.size() <= kPhoneBytes) return true;
    refuseField("电话号码", FieldFault::Unreadable);
    return false;
}

// 0x17 and 0xA7: no required field; the 0x17 MNC keeps only its low byte.
template <class M>
std::shared_ptr<ZunoMSG> makeCellRequest(const LabelValueMap& fields, bool lowByteMnc) {
    uint16_t MCC = 0, MNC = 0, LAC = 0;
    uint32_t CellID = 0;
    std::string phone;
    AlertAndLang pair;
    const LabelTable labels = {rule::number16("MCC", MCC),
                               lowByteMnc ? rule::lowByte("MNC", MNC) : rule::number16("MNC", MNC),
                               rule::number16("LAC", LAC),
                               rule::cellId("小区ID", CellID),
                               rule::trimmedText("电话号码", phone),
                               rule::alarmLanguage("告警语言", pair.alert, pair.language)};
    if (!readFields(fields, labels)) return nullptr;
    if (!phoneFits(phone)) return nullptr;
    auto msg = std::make_shared<M>();
    msg->MCC = MCC;
    msg->MNC = MNC;
    msg->LAC = LAC;
    msg->CellID = CellID;
    msg->phone = phone;
    msg->AlertAndLang = pair;
    return msg;
}

// 0x1A and 0x2A: "卫星数" is the whole satellites byte; the date-time is
// required.
template <class M>
std::shared_ptr<ZunoMSG> makeGpsRequest(const LabelValueMap& fields) {
    GpsValues gps;
    std::string phone;
    AlertAndLang pair;
    LabelTable labels;
    addGpsLabels(labels, gps, SatelliteRule::WholeByte, true);
    labels.push_back(rule::trimmedText("电话号码", phone));
    labels.push_back(rule::alarmLanguage("告警语言", pair.alert, pair.language));
    if (!readFields(fields, labels)) return nullptr;
    if (!requireFields({{"日期时间", gps.time != 0}}) || !phoneFits(phone)) return nullptr;
    auto msg = std::make_shared<M>();
    copyGps(*msg, gps);
    msg->phone = phone;
    msg->AlertAndLang = pair;
    return msg;
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeGeocoding17(const LabelValueMap& fields) {
    return makeCellRequest<ZunoGeocoding17>(fields, true);
}

std::shared_ptr<ZunoMSG> makeGeocodingA7(const LabelValueMap& fields) {
    return makeCellRequest<ZunoGeocodingA7>(fields, false);
}

std::shared_ptr<ZunoMSG> makeGeocoding1A(const LabelValueMap& fields) { return makeGpsRequest<ZunoGeocoding1A>(fields); }

std::shared_ptr<ZunoMSG> makeGeocoding2A(const LabelValueMap& fields) { return makeGpsRequest<ZunoGeocoding2A>(fields); }

} // namespace MessageBuilder
