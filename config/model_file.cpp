#include "config/model_file.h"

namespace Zuno {

bool readModelHeader(const std::string& text, ModelHeader& header, std::string* why) {
    header = ModelHeader();
    picojson::value root;
    const JsonRead read = parseJsonText(text, root);
    if (!read) {
        if (why)
            *why = jsonReadProblem(read);
        return false;
    }
    return modelHeaderOf(root, header, why);
}

bool modelHeaderOf(const picojson::value& root, ModelHeader& header, std::string* why) {
    header = ModelHeader();
    std::string problem;
    if (!root.is<picojson::object>())
        problem = "不是JSON对象";
    for (const char* key : {"cmd", "protocol"})
        if (problem.empty() && !root.get(key).is<std::string>())
            problem = std::string("\"") + key + "\" 不是字符串";
    if (!problem.empty()) {
        if (why)
            *why = problem;
        return false;
    }
    header.cmd = root.get("cmd").get<std::string>();
    header.protocol = root.get("protocol").get<std::string>();
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
