#include "builders/model_file.h"

#include "builders/field_rules.h"

namespace Zuno {

bool readModelFields(const std::string& text, LabelValueMap& fields) {
    fields.clear();
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<picojson::object>()) return false;
    const picojson::object& doc = root.get<picojson::object>();
    const auto components = doc.find("components");
    if (components == doc.end() || !components->second.is<picojson::array>()) return false;

    LabelValueMap collected;
    for (const picojson::value& element : components->second.get<picojson::array>()) {
        if (!element.is<picojson::object>()) return false;
        const picojson::object& component = element.get<picojson::object>();
        const auto label = component.find("label");
        const auto value = component.find("value");
        if (label == component.end() || !label->second.is<std::string>()) return false;
        if (value == component.end() || !value->second.is<std::string>()) {
            refuseField(label->second.get<std::string>(),
                        value == component.end() ? FieldFault::Missing : FieldFault::NotText);
            return false;
        }
        collected.emplace(label->second.get<std::string>(), value->second.get<std::string>());
    }
    fields.swap(collected);
    return true;
}

} // namespace Zuno
