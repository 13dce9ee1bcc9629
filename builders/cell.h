#pragma once
// Builders of the multi-cell LBS reports 0x18, 0x28, 0x2E, 0xA1.

#include <memory>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeLbsInfo18(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeLbsInfo28(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeLbsInfo2E(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeLbsInfoA1(const Zuno::LabelValueMap& fields);
} // namespace MessageBuilder
