#include "builders/position.h"

#include <type_traits>

#include "builders/value_blocks.h"
#include "protocol/gps.h"

namespace {

using namespace Zuno;

// Which labels a member of the family tests, beyond the GPS block.
struct Members {
    bool altitude = false;   // "海拔"
    bool cell = false;       // "MCC", "MNC", "LAC", "小区ID"
    bool extended = false;   // "ACC", "数据上报", "GPS实时/补传", "里程"
    bool language = false;   // "语言"
    bool lowByteMnc = false; // "MNC" keeps only its low byte
};

struct PositionValues {
    GpsValues gps;
    uint16_t altitude = 0;
    uint16_t MCC = 0;
    uint16_t MNC = 0;
    uint16_t LAC = 0;
    uint32_t CellID = 0;
    uint8_t ACC = 0;
    uint8_t postModel = kUploadUnset;
    uint8_t postStatus = kUploadUnset;
    uint32_t duration = 0;
    uint16_t language = 0;
};

// Reads the map with the family's labels in their test order and checks the
// required fields of the member.
bool readPosition(const LabelValueMap& fields, const Members& m, PositionValues& v) {
    LabelTable labels;
    addGpsLabels(labels, v.gps, SatelliteRule::WithGpsLength, true);
    if (m.altitude) labels.push_back(rule::number16("海拔", v.altitude));
    if (m.cell) {
        labels.push_back(rule::number16("MCC", v.MCC));
        labels.push_back(m.lowByteMnc ? rule::lowByte("MNC", v.MNC) : rule::number16("MNC", v.MNC));
        labels.push_back(rule::number16("LAC", v.LAC));
        labels.push_back(rule::cellId("小区ID", v.CellID));
    }
    if (m.extended) {
        labels.push_back(rule::number8("ACC", v.ACC));
        labels.push_back(rule::number8("数据上报", v.postModel));
        labels.push_back(rule::number8("GPS实时/补传", v.postStatus));
        labels.push_back(rule::number32("里程", v.duration));
    }
    if (m.language) labels.push_back(rule::number16("语言", v.language));
    if (!readFields(fields, labels)) return false;

    if (!requireFields({{"日期时间", v.gps.time != 0}, {"卫星数", v.gps.satellites != 0}})) return false;
    if (m.language && !requireFields({{"语言", v.language != 0}})) return false;
    return !m.cell || requireFields({{"MCC", v.MCC != 0}, {"LAC", v.LAC != 0}, {"小区ID", v.CellID != 0}});
}

// One member of the family: which labels it tests follows from its class.
template <class M>
std::shared_ptr<ZunoMSG> makePosition(const LabelValueMap& fields) {
    Members members;
    members.cell = std::is_base_of<ZunoGpsLoc12, M>::value;
    members.extended = std::is_base_of<ZunoGpsLoc22, M>::value || std::is_same<ZunoGpsLoc24, M>::value;
    members.altitude = std::is_same<ZunoGpsLoc24, M>::value;
    members.language = std::is_same<ZunoGpsLoc10, M>::value;
    members.lowByteMnc = std::is_same<ZunoGpsLocA0, M>::value;
    PositionValues v;
    if (!readPosition(fields, members, v)) return nullptr;

    auto msg = std::make_shared<M>();
    copyGps(*msg, v.gps);
    if constexpr (std::is_base_of<ZunoGpsLoc12, M>::value) {
        msg->MCC = v.MCC;
        msg->MNC = v.MNC;
        msg->LAC = v.LAC;
        msg->CellID = v.CellID;
    }
    if constexpr (std::is_base_of<ZunoGpsLoc22, M>::value || std::is_same<ZunoGpsLoc24, M>::value) {
        msg->ACC = v.ACC;
        msg->postModel = v.postModel;
        msg->postStatus = v.postStatus;
        msg->duration = v.duration;
    }
    if constexpr (std::is_same<ZunoGpsLoc24, M>::value) msg->altitude = v.altitude;
    if constexpr (std::is_same<ZunoGpsLoc10, M>::value) msg->language = v.language;
    return msg;
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeGpsLoc10(const LabelValueMap& f) { return makePosition<ZunoGpsLoc10>(f); }
std::shared_ptr<ZunoMSG> makeGpsLoc12(const LabelValueMap& f) { return makePosition<ZunoGpsLoc12>(f); }
std::shared_ptr<ZunoMSG> makeGpsLoc22(const LabelValueMap& f) { return makePosition<ZunoGpsLoc22>(f); }
std::shared_ptr<ZunoMSG> makeGpsLoc24(const LabelValueMap& f) { return makePosition<ZunoGpsLoc24>(f); }
std::shared_ptr<ZunoMSG> makeGpsLoc2D(const LabelValueMap& f) { return makePosition<ZunoGpsLoc2D>(f); }
std::shared_ptr<ZunoMSG> makeGpsLocA0(const LabelValueMap& f) { return makePosition<ZunoGpsLocA0>(f); }

} // namespace MessageBuilder
