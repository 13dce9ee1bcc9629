#pragma once
// Model texts for builder tests, made from label/value pairs.

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "builders/message_builder.h"

namespace bt {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The pairs of all parts, in order.
Pairs join(std::initializer_list<Pairs> parts);

// Date-time, MCC and cell 0: what the LBS and cell-WiFi builders require.
const Pairs& cellReportRequired();

// {"cmd": "TEST", "protocol": "test", "components": [{"label": ..., "value": ...}, ...]}
std::string modelText(const Pairs& pairs);

// buildMessage of the model, as the class M (empty when nothing was built or
// the object is of another class).
template <class M>
std::shared_ptr<M> build(uint8_t protocol, const Pairs& pairs) {
    return std::dynamic_pointer_cast<M>(buildMessage(protocol, modelText(pairs)));
}

} // namespace bt
