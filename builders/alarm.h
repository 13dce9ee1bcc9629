#pragma once
// Builders of the alarm messages: the GPS alarms 0x16, 0x26, 0x27, 0xA3,
// 0xA4, the cell alarm 0xA5 and the short alarm 0x95.

#include <memory>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeAlert16(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAlert26(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAlert27(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAlertA3(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAlertA4(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAlertA5(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAlert95(const Zuno::LabelValueMap& fields);
} // namespace MessageBuilder
