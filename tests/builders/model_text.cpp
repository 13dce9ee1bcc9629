#include "model_text.h"

#include <picojson.h>

namespace bt {

std::string modelText(const Pairs& pairs) {
    picojson::array components;
    for (const auto& p : pairs) {
        picojson::object c;
        c["label"] = picojson::value(p.first);
        c["component"] = picojson::value("textEdit");
        c["readOnly"] = picojson::value(false);
        c["value"] = picojson::value(p.second);
        components.emplace_back(c);
    }
    picojson::object doc;
    doc["cmd"] = picojson::value("TEST");
    doc["protocol"] = picojson::value("test");
    doc["components"] = picojson::value(components);
    return picojson::value(doc).serialize();
}

} // namespace bt
