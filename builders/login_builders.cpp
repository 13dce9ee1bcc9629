#include "builders/login_builders.h"

#include <string>
#include <vector>

#include "builders/field_rules.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"

namespace {

using namespace Zuno;

// Starting values that stand for a field the model does not give.
constexpr uint8_t kLevelUnset = 0xFF;
constexpr uint16_t kTimeZoneUnset = 0x0FFF;

// 0x13 and 0x23 differ only in the width and label of the voltage and in its
// starting value.
template <class M, class Voltage>
std::shared_ptr<ZunoMSG> makePing(const LabelValueMap& fields, FieldLabel voltageLabel,
                                  const Voltage& voltage, Voltage voltageUnset) {
    const std::string voltageName = voltageLabel.label;
    uint8_t content = 0;
    uint8_t signal = kLevelUnset;
    uint16_t language = 0;
    const LabelTable labels = {rule::terminalInfo("终端信息", content), std::move(voltageLabel),
                               rule::number8("GSM信号", signal), rule::number16("语言", language)};
    if (!readFields(fields, labels)) return nullptr;
    if (!requireFields({{voltageName, voltage != voltageUnset}, {"GSM信号", signal != kLevelUnset},
                        {"语言", language != 0}}))
        return nullptr;
    auto msg = std::make_shared<M>();
    msg->content = terminalContentOf(content);
    msg->powerLevel = voltage;
    msg->signalLevel = signal;
    msg->languageOrExt = language;
    return msg;
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeLogin(const LabelValueMap& fields) {
    std::string imei;
    uint16_t type = kDeviceTypeUnknown;
    uint16_t timeZone = kTimeZoneUnset;
    uint8_t language = 0;
    const LabelTable labels = {rule::text("IMEI", imei), rule::number16("设备类型", type),
                               rule::number16("时区", timeZone), rule::number8("语言", language)};
    if (!readFields(fields, labels)) return nullptr;
    if (!requireFields({{"IMEI", !imei.empty()}, {"设备类型", type != kDeviceTypeUnknown},
                        {"时区", timeZone != kTimeZoneUnset}, {"语言", language != 0}}))
        return nullptr;
    auto msg = std::make_shared<ZunoLogin>();
    msg->imei = imei;
    msg->type = type;
    msg->TimeZoneAndLanguage = TimeZoneLanguage{};
    msg->TimeZoneAndLanguage.timeZone = timeZone & kTimeZoneMask;
    msg->TimeZoneAndLanguage.language = language & kLoginLanguageMask;
    // A model the encoder would refuse (an IMEI that is not 15 or 16
    // hexadecimal digits, a blank in it, language bits 0) is refused here,
    // when the flow loads, not at Connect, where nothing would be sent.
    std::vector<uint8_t> frame;
    const int refused = msg->encode(frame);
    if (refused != 0) {
        refuseField(refused == kErrLoginNoLanguage ? "语言" : "IMEI", FieldFault::Unreadable);
        return nullptr;
    }
    return msg;
}

std::shared_ptr<ZunoMSG> makePing13(const LabelValueMap& fields) {
    uint8_t level = kLevelUnset;
    return makePing<ZunoPing13>(fields, rule::number8("电压等级", level), level, kLevelUnset);
}

std::shared_ptr<ZunoMSG> makePing23(const LabelValueMap& fields) {
    uint16_t voltage = 0;
    return makePing<ZunoPing23>(fields, rule::number16("电压", voltage), voltage, uint16_t{0});
}

std::shared_ptr<ZunoMSG> makeSyncTime1F(const LabelValueMap& fields) {
    uint64_t time = 0;
    uint16_t language = 0;
    if (!readFields(fields, {rule::dateTime("日期时间", time), rule::number16("语言", language)}))
        return nullptr;
    if (!requireFields({{"语言", language != 0}})) return nullptr;
    auto msg = std::make_shared<ZunoSyncTime1F>();
    msg->time = time;
    msg->languageOrExt = language;
    return msg;
}

} // namespace MessageBuilder
