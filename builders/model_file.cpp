#include "builders/model_file.h"

#include <exception>

namespace Zuno {

bool parseJsonText(const std::string& text, picojson::value& out) {
    if (text.empty()) return false;
    std::string err;
    try {
        // The parser throws when a number literal overflows a double.
        picojson::parse(out, text.begin(), text.end(), &err);
    } catch (const std::exception&) {
        out = picojson::value();
        return false;
    }
    return err.empty();
}

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
        if (value == component.end() || !value->second.is<std::string>()) return false;
        collected.emplace(label->second.get<std::string>(), value->second.get<std::string>());
    }
    fields.swap(collected);
    return true;
}

bool readModelHeader(const std::string& text, ModelHeader& header) {
    header = ModelHeader();
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<picojson::object>()) return false;
    const picojson::object& doc = root.get<picojson::object>();
    auto textOf = [&doc](const char* key) {
        const auto it = doc.find(key);
        return it != doc.end() && it->second.is<std::string>() ? it->second.get<std::string>()
                                                               : std::string();
    };
    header.cmd = textOf("cmd");
    header.protocol = textOf("protocol");
    return true;
}

std::string serializeModel(const picojson::value& document) {
    return document.serialize(true);
}

bool rewriteModelValues(const std::string& text, const std::map<size_t, std::string>& values,
                        std::string& out) {
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<picojson::object>()) return false;
    picojson::object& doc = root.get<picojson::object>();
    const auto components = doc.find("components");
    if (components != doc.end() && components->second.is<picojson::array>()) {
        picojson::array& list = components->second.get<picojson::array>();
        for (const auto& entry : values) {
            if (entry.first >= list.size() || !list[entry.first].is<picojson::object>()) continue;
            list[entry.first].get<picojson::object>()["value"] = picojson::value(entry.second);
        }
    }
    out = serializeModel(root);
    return true;
}

} // namespace Zuno
