#pragma once
// Builders of the bike location report 0x32 and the bike alarm 0x33.

#include <memory>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeBikeLoc32(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeBikeAlert33(const Zuno::LabelValueMap& fields);
} // namespace MessageBuilder
