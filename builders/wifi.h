#pragma once
// Builders of the WiFi location reports 0x2C, 0xA2 and 0xC3.

#include <memory>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeWifiLoc2C(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeWifiInfoA2(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeWifiLocC3(const Zuno::LabelValueMap& fields);
} // namespace MessageBuilder
