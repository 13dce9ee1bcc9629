#pragma once
// Builders of the login (0x01), the heartbeats (0x13, 0x23) and the time
// synchronisation packet 0x1F.

#include <memory>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeLogin(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makePing13(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makePing23(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeSyncTime1F(const Zuno::LabelValueMap& fields);
} // namespace MessageBuilder
