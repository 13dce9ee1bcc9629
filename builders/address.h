#pragma once
// Builders of the address requests: by cell (0x17, 0xA7) and by GPS fix
// (0x1A, 0x2A).

#include <memory>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeGeocoding17(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGeocodingA7(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGeocoding1A(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeGeocoding2A(const Zuno::LabelValueMap& fields);
} // namespace MessageBuilder
