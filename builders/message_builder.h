#pragma once
// The one way from a message model text to a message object.

#include <cstdint>
#include <memory>
#include <string>

#include "builders/model_file.h"
#include "protocol/message.h"

// The message that the model text `json` describes for protocol number
// `protocol`, or an empty pointer when the text is no well-formed model, a
// value cannot be converted, a required field is missing or the protocol
// number has no builder. Shows, logs and throws nothing.
std::shared_ptr<Zuno::ZunoMSG> buildMessage(const uint8_t& protocol, const std::string& json);

// A model's message, or why there is none.
struct BuildOutcome {
    std::shared_ptr<Zuno::ZunoMSG> message;
    std::string error; // for the user (UTF-8); empty when a message was built
};
// As buildMessage, saying why when no message comes back: the model text is
// not well-formed, the protocol number has no builder, a field is missing or
// its value cannot be used (named by its label: the first one the builder
// refused), or (command replies) the coding or the text's length cannot be
// sent.
BuildOutcome buildMessageExplained(uint8_t protocol, const std::string& json);
