#include "builders/message_builder.h"

#include <map>
#include <utility>

#include "builders/address.h"
#include "builders/alarm.h"
#include "builders/bike.h"
#include "builders/cell.h"
#include "builders/command_reply.h"
#include "builders/field_rules.h"
#include "builders/login_builders.h"
#include "builders/position.h"
#include "builders/wifi.h"
#include "protocol/address.h"
#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"
#include "protocol/bike.h"
#include "protocol/command.h"
#include "protocol/gps.h"
#include "protocol/helpers.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"
#include "protocol/wifi.h"

namespace {

// The time request carries no content: no label is read.
std::shared_ptr<Zuno::ZunoMSG> makeTimeRequest(const Zuno::LabelValueMap&) {
    return std::make_shared<Zuno::ZunoSyncTime>();
}

using Builder = std::shared_ptr<Zuno::ZunoMSG> (*)(const Zuno::LabelValueMap&);
using ExplainingBuilder = std::shared_ptr<Zuno::ZunoMSG> (*)(const Zuno::LabelValueMap&, std::string&);

// A row of a dispatch table: the protocol number of the class T that `build` makes.
template <class T, class F>
std::pair<const uint8_t, F> row(F build) {
    return {T::kProtocol, build};
}

// Protocol number -> builder. One row per packet kind that a model can
// describe; a number without a row builds nothing.
const std::map<uint8_t, Builder>& dispatchTable() {
    static const std::map<uint8_t, Builder> table = {
        row<Zuno::ZunoLogin>(&MessageBuilder::makeLogin),
        row<Zuno::ZunoGpsLoc10>(&MessageBuilder::makeGpsLoc10),
        row<Zuno::ZunoGpsLoc12>(&MessageBuilder::makeGpsLoc12),
        row<Zuno::ZunoPing13>(&MessageBuilder::makePing13),
        row<Zuno::ZunoAlert16>(&MessageBuilder::makeAlert16),
        row<Zuno::ZunoGeocoding17>(&MessageBuilder::makeGeocoding17),
        row<Zuno::ZunoLbsInfo18>(&MessageBuilder::makeLbsInfo18),
        row<Zuno::ZunoGeocoding1A>(&MessageBuilder::makeGeocoding1A),
        row<Zuno::ZunoSyncTime1F>(&MessageBuilder::makeSyncTime1F),
        row<Zuno::ZunoAction21, Builder>(&MessageBuilder::makeAction21),
        row<Zuno::ZunoGpsLoc22>(&MessageBuilder::makeGpsLoc22),
        row<Zuno::ZunoPing23>(&MessageBuilder::makePing23),
        row<Zuno::ZunoGpsLoc24>(&MessageBuilder::makeGpsLoc24),
        row<Zuno::ZunoAlert26>(&MessageBuilder::makeAlert26),
        row<Zuno::ZunoAlert27>(&MessageBuilder::makeAlert27),
        row<Zuno::ZunoLbsInfo28>(&MessageBuilder::makeLbsInfo28),
        row<Zuno::ZunoGeocoding2A>(&MessageBuilder::makeGeocoding2A),
        row<Zuno::ZunoWifiLoc2C>(&MessageBuilder::makeWifiLoc2C),
        row<Zuno::ZunoGpsLoc2D>(&MessageBuilder::makeGpsLoc2D),
        row<Zuno::ZunoLbsInfo2E>(&MessageBuilder::makeLbsInfo2E),
        row<Zuno::ZunoBikeLoc32>(&MessageBuilder::makeBikeLoc32),
        row<Zuno::ZunoBikeAlert33>(&MessageBuilder::makeBikeAlert33),
        row<Zuno::ZunoAction80Resp>(&MessageBuilder::makeAction80Resp),
        row<Zuno::ZunoAction81, Builder>(&MessageBuilder::makeAction81),
        row<Zuno::ZunoSyncTime>(&makeTimeRequest),
        row<Zuno::ZunoAlert95>(&MessageBuilder::makeAlert95),
        row<Zuno::ZunoGpsLocA0>(&MessageBuilder::makeGpsLocA0),
        row<Zuno::ZunoLbsInfoA1>(&MessageBuilder::makeLbsInfoA1),
        row<Zuno::ZunoWifiInfoA2>(&MessageBuilder::makeWifiInfoA2),
        row<Zuno::ZunoAlertA3>(&MessageBuilder::makeAlertA3),
        row<Zuno::ZunoAlertA4>(&MessageBuilder::makeAlertA4),
        row<Zuno::ZunoAlertA5>(&MessageBuilder::makeAlertA5),
        row<Zuno::ZunoGeocodingA7>(&MessageBuilder::makeGeocodingA7),
        row<Zuno::ZunoWifiLocC3>(&MessageBuilder::makeWifiLocC3),
    };
    return table;
}

// Builders that can say why a model gives no message that can be sent.
const std::map<uint8_t, ExplainingBuilder>& explainingTable() {
    static const std::map<uint8_t, ExplainingBuilder> table = {
        row<Zuno::ZunoAction21, ExplainingBuilder>(&MessageBuilder::makeAction21),
        row<Zuno::ZunoAction81, ExplainingBuilder>(&MessageBuilder::makeAction81),
    };
    return table;
}

// The refused field for the user: its label and what is wrong with it.
std::string refusalText(const Zuno::RefusedField& field) {
    const std::string name = "字段 \"" + field.label + "\"";
    switch (field.fault) {
    case Zuno::FieldFault::Missing: return name + " 缺少或无效";
    case Zuno::FieldFault::Unreadable: return name + " 的值无效";
    case Zuno::FieldFault::NotText: return name + " 的值不是文本";
    }
    return name;
}

} // namespace

std::shared_ptr<Zuno::ZunoMSG> buildMessage(const uint8_t& protocol, const std::string& json) {
    return buildMessageExplained(protocol, json).message;
}

BuildOutcome buildMessageExplained(uint8_t protocol, const std::string& json) {
    BuildOutcome outcome;
    Zuno::RefusalRecord refusal;
    Zuno::LabelValueMap fields;
    if (!Zuno::readModelFields(json, fields)) {
        outcome.error = "消息模型格式错误";
        if (refusal.field()) outcome.error += ": " + refusalText(*refusal.field());
        return outcome;
    }
    const auto row = dispatchTable().find(protocol);
    if (row == dispatchTable().end()) {
        outcome.error = "协议号 0x" + Zuno::toHex(std::string(1, static_cast<char>(protocol)), "") + " 没有对应的消息";
        return outcome;
    }
    const auto explaining = explainingTable().find(protocol);
    outcome.message = explaining == explainingTable().end() ? row->second(fields)
                                                            : explaining->second(fields, outcome.error);
    if (outcome.message)
        outcome.error.clear();
    else if (outcome.error.empty())
        outcome.error = refusal.field() ? refusalText(*refusal.field()) : "缺少必填字段或字段值无效";
    return outcome;
}
