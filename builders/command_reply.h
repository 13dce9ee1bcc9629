#pragma once
// Builders of the terminal's answers to platform commands: 0x21, the 0x80
// text message and 0x81.

#include <memory>
#include <string>

#include "builders/model_file.h"
#include "protocol/message.h"

namespace MessageBuilder {
std::shared_ptr<Zuno::ZunoMSG> makeAction21(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAction80Resp(const Zuno::LabelValueMap& fields);
std::shared_ptr<Zuno::ZunoMSG> makeAction81(const Zuno::LabelValueMap& fields);
// As above; when no reply can be sent, `why` says why (for the user, UTF-8).
// A model that fails the common label rules leaves `why` as it was.
std::shared_ptr<Zuno::ZunoMSG> makeAction21(const Zuno::LabelValueMap& fields, std::string& why);
std::shared_ptr<Zuno::ZunoMSG> makeAction81(const Zuno::LabelValueMap& fields, std::string& why);
} // namespace MessageBuilder
