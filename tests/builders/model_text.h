#pragma once
// Model texts for builder tests, made from label/value pairs.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "builders/message_builder.h"

namespace bt {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// {"cmd": "TEST", "protocol": "test", "components": [{"label": ..., "value": ...}, ...]}
std::string modelText(const Pairs& pairs);

// buildMessage of the model, as the class M (empty when nothing was built or
// the object is of another class).
template <class M>
std::shared_ptr<M> build(uint8_t protocol, const Pairs& pairs) {
    return std::dynamic_pointer_cast<M>(buildMessage(protocol, modelText(pairs)));
}

} // namespace bt
