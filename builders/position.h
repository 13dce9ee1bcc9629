#pragma once
// Builders of the GPS location reports 0x10, 0x12, 0x22, 0x24, 0x2D, 0xA0.

#include <memory>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeGpsLoc10(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGpsLoc12(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGpsLoc22(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGpsLoc24(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGpsLoc2D(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGpsLocA0(const Zuno::LabelValueMap& fields);
} // namespace MessageBuilder
