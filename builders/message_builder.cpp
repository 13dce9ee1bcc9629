#include "builders/message_builder.h"

#include <map>

#include "builders/field_rules.h"

namespace {

using Builder = std::shared_ptr<Zuno::ZunoMSG> (*)(const Zuno::LabelValueMap&);

// Protocol number -> builder. One row per packet kind that a model can
// describe; a number without a row builds nothing.
const std::map<uint8_t, Builder>& dispatchTable() {
    static const std::map<uint8_t, Builder> table = {
    };
    return table;
}

} // namespace

bool hasBuilder(uint8_t protocol) {
    return dispatchTable().count(protocol) != 0;
}

std::shared_ptr<Zuno::ZunoMSG> buildMessage(const uint8_t& protocol, const std::string& json) {
    Zuno::LabelValueMap fields;
    if (!Zuno::readModelFields(json, fields)) return nullptr;
    const auto row = dispatchTable().find(protocol);
    if (row == dispatchTable().end()) return nullptr;
    return row->second(fields);
}
