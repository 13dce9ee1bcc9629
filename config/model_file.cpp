#include "config/model_file.h"

namespace Zuno {

bool readModelHeader(const std::string& text, ModelHeader& header, std::string* why) {
    header = ModelHeader();
    picojson::value root;
    std::string notJson;
    if (!parseJsonText(text, root, notJson)) {
        if (why)
            *why = notJson;
        return false;
    }
    if (!root.is<picojson::object>())
        return false;
    const picojson::object& doc = root.get<picojson::object>();
    const auto cmd = doc.find("cmd");
    const auto protocol = doc.find("protocol");
    if (cmd == doc.end() || protocol == doc.end() || !cmd->second.is<std::string>() ||
        !protocol->second.is<std::string>())
        return false;
    header.cmd = cmd->second.get<std::string>();
    header.protocol = protocol->second.get<std::string>();
    return true;
}

std::string serializeConfig(const picojson::value& document) {
    return document.serialize(true);
}

bool rewriteModelValues(const std::string& text, const std::map<size_t, std::string>& values,
                        std::string& out) {
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<picojson::object>())
        return false;
    picojson::object& doc = root.get<picojson::object>();
    const auto components = doc.find("components");
    if (components != doc.end() && components->second.is<picojson::array>()) {
        picojson::array& list = components->second.get<picojson::array>();
        for (const auto& entry : values) {
            if (entry.first >= list.size() || !list[entry.first].is<picojson::object>())
                continue;
            list[entry.first].get<picojson::object>()["value"] = picojson::value(entry.second);
        }
    }
    out = serializeConfig(root);
    return true;
}

} // namespace Zuno
