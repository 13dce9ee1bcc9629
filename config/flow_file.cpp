#include "config/flow_file.h"

#include <QDebug>

#include "config/config_file.h"
#include "config/model_file.h"

namespace Zuno {

namespace {

// The step at `index`, or false (logged) when it has not the step's shape.
bool readStep(const picojson::value& element, size_t index, const QString& name, ProtocolTask& step) {
    const char* problem = nullptr;
    if (!element.is<picojson::object>()) {
        problem = "is not an object";
    } else {
        const picojson::object& obj = element.get<picojson::object>();
        const auto cmd = obj.find("cmd");
        const auto checked = obj.find("isChecked");
        const auto delay = obj.find("delay");
        if (cmd == obj.end() || !cmd->second.is<std::string>())
            problem = "has no string \"cmd\"";
        else if (checked == obj.end() || !checked->second.is<bool>())
            problem = "has no boolean \"isChecked\"";
        else if (delay == obj.end() || !delay->second.is<int64_t>())
            problem = "has no integer \"delay\"";
        else {
            step.cmd = cmd->second.get<std::string>();
            step.isChecked = checked->second.get<bool>();
            step.delay = static_cast<int16_t>(static_cast<uint16_t>(delay->second.get<int64_t>()));
            return true;
        }
    }
    qDebug() << name << "step" << index << problem << "- skipped";
    return false;
}

bool stringMember(const picojson::object& obj, const char* key) {
    const auto it = obj.find(key);
    return it != obj.end() && it->second.is<std::string>();
}

} // namespace

namespace {

// The steps of a flow text; `file`, when given, is the file it was read
// from, for the reason it gives none.
FlowFile readFlow(const std::string& text, const QString& name, const ConfigText* file) {
    FlowFile flow;
    if (text.empty())
        return flow;
    flow.status = ConfigStatus::NotJson;
    picojson::value root;
    const JsonRead read = parseJsonText(text, root);
    if (!read) {
        logConfigProblem(name, file ? file->problem(read) : QString::fromStdString(jsonReadProblem(read)));
        return flow;
    }
    if (!root.is<picojson::object>()) {
        logConfigProblem(name, QStringLiteral("不是JSON对象"));
        return flow;
    }
    flow.object = true;
    const picojson::object& obj = root.get<picojson::object>();
    const auto commands = obj.find("commands");
    if (commands == obj.end())
        return flow;
    if (!commands->second.is<picojson::array>()) {
        qDebug() << name << "\"commands\" is not an array";
        flow.illTyped = true;
        return flow;
    }
    flow.status = ConfigStatus::Ok;
    const picojson::array& array = commands->second.get<picojson::array>();
    for (size_t i = 0; i < array.size(); ++i) {
        ProtocolTask step;
        if (readStep(array[i], i, name, step))
            flow.steps.push_back(step);
        else
            flow.illTyped = true;
    }
    return flow;
}

} // namespace

FlowFile readFlowText(const std::string& text, const QString& name) { return readFlow(text, name, nullptr); }

FlowFile readFlowFile(const QString& path) {
    const ConfigText file = readConfigText(path);
    if (!file.result.ok()) {
        FlowFile flow;
        flow.status = file.result.status;
        return flow;
    }
    return readFlow(file.text, path, &file);
}

bool rewriteFlowCommands(const std::string& text, const FlowSteps& steps, std::string& out) {
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<picojson::object>())
        return false;
    picojson::object& flow = root.get<picojson::object>();
    if (!stringMember(flow, "cmd") || !stringMember(flow, "protocol"))
        return false;
    // std::map orders its std::string keys by their bytes, unsigned.
    picojson::array commands;
    for (const auto& entry : steps) {
        if (!entry.second.isChecked)
            continue;
        picojson::object step;
        step["cmd"] = picojson::value(entry.first);
        step["isChecked"] = picojson::value(true);
        step["delay"] = picojson::value(static_cast<int64_t>(entry.second.delay));
        commands.emplace_back(step);
    }
    flow["commands"] = picojson::value(commands);
    out = serializeConfig(root);
    return true;
}

} // namespace Zuno
