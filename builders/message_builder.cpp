#include "builders/message_builder.h"

#include <map>

#include "builders/address.h"
#include "builders/alarm.h"
#include "builders/bike.h"
#include "builders/cell.h"
#include "builders/command_reply.h"
#include "builders/login_builders.h"
#include "builders/position.h"
#include "builders/wifi.h"
#include "protocol/helpers.h"
#include "protocol/time_sync.h"

namespace {

// The time request carries no content: no label is read.
std::shared_ptr<Zuno::ZunoMSG> makeTimeRequest(const Zuno::LabelValueMap&) {
    return std::make_shared<Zuno::ZunoSyncTime>();
}

using Builder = std::shared_ptr<Zuno::ZunoMSG> (*)(const Zuno::LabelValueMap&);

// Protocol number -> builder. One row per packet kind that a model can
// describe; a number without a row builds nothing.
const std::map<uint8_t, Builder>& dispatchTable() {
    static const std::map<uint8_t, Builder> table = {
        {0x01, &MessageBuilder::makeLogin},
        {0x10, &MessageBuilder::makeGpsLoc10},
        {0x12, &MessageBuilder::makeGpsLoc12},
        {0x13, &MessageBuilder::makePing13},
        {0x16, &MessageBuilder::makeAlert16},
        {0x17, &MessageBuilder::makeGeocoding17},
        {0x18, &MessageBuilder::makeLbsInfo18},
        {0x1A, &MessageBuilder::makeGeocoding1A},
        {0x1F, &MessageBuilder::makeSyncTime1F},
        {0x21, &MessageBuilder::makeAction21},
        {0x22, &MessageBuilder::makeGpsLoc22},
        {0x23, &MessageBuilder::makePing23},
        {0x24, &MessageBuilder::makeGpsLoc24},
        {0x26, &MessageBuilder::makeAlert26},
        {0x27, &MessageBuilder::makeAlert27},
        {0x28, &MessageBuilder::makeLbsInfo28},
        {0x2A, &MessageBuilder::makeGeocoding2A},
        {0x2C, &MessageBuilder::makeWifiLoc2C},
        {0x2D, &MessageBuilder::makeGpsLoc2D},
        {0x2E, &MessageBuilder::makeLbsInfo2E},
        {0x32, &MessageBuilder::makeBikeLoc32},
        {0x33, &MessageBuilder::makeBikeAlert33},
        {0x80, &MessageBuilder::makeAction80Resp},
        {0x81, &MessageBuilder::makeAction81},
        {0x8A, &makeTimeRequest},
        {0x95, &MessageBuilder::makeAlert95},
        {0xA0, &MessageBuilder::makeGpsLocA0},
        {0xA1, &MessageBuilder::makeLbsInfoA1},
        {0xA2, &MessageBuilder::makeWifiInfoA2},
        {0xA3, &MessageBuilder::makeAlertA3},
        {0xA4, &MessageBuilder::makeAlertA4},
        {0xA5, &MessageBuilder::makeAlertA5},
        {0xA7, &MessageBuilder::makeGeocodingA7},
        {0xC3, &MessageBuilder::makeWifiLocC3},
    };
    return table;
}

using ExplainingBuilder = std::shared_ptr<Zuno::ZunoMSG> (*)(const Zuno::LabelValueMap&, std::string&);

// Builders that can say why a model gives no message that can be sent.
const std::map<uint8_t, ExplainingBuilder>& explainingTable() {
    static const std::map<uint8_t, ExplainingBuilder> table = {
        {0x21, &MessageBuilder::makeAction21},
        {0x81, &MessageBuilder::makeAction81},
    };
    return table;
}

} // namespace

bool hasBuilder(uint8_t protocol) {
    return dispatchTable().count(protocol) != 0;
}

std::shared_ptr<Zuno::ZunoMSG> buildMessage(const uint8_t& protocol, const std::string& json) {
    return buildMessageExplained(protocol, json).message;
}

BuildOutcome buildMessageExplained(uint8_t protocol, const std::string& json) {
    BuildOutcome outcome;
    Zuno::LabelValueMap fields;
    if (!Zuno::readModelFields(json, fields)) {
        outcome.error = "消息模型格式错误";
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
        outcome.error = "缺少必填字段或字段值无效";
    return outcome;
}
