#include "dialogs/task_setting_flow.h"

#include <algorithm>

#include <picojson.h>

#include "builders/model_file.h"

namespace Zuno {

bool isLoginStep(const QString& cmd) {
    const QString name = cmd.trimmed().toUpper();
    return name.startsWith("LOGIN") || name.startsWith("CONNECT");
}

namespace {

// The root object of a flow text, or null.
picojson::object* flowObject(picojson::value& root, const std::string& text) {
    if (!parseJsonText(text, root) || !root.is<picojson::object>())
        return nullptr;
    return &root.get<picojson::object>();
}

bool stringMember(const picojson::object& obj, const char* key) {
    const auto it = obj.find(key);
    return it != obj.end() && it->second.is<std::string>();
}

// Adds one step of "commands" unless its keyword is there already; false
// when the element has not the shape of a step.
bool readStep(const picojson::value& element, FlowSteps& steps) {
    if (!element.is<picojson::object>())
        return false;
    const picojson::object& step = element.get<picojson::object>();
    const auto checked = step.find("isChecked");
    const auto delay = step.find("delay");
    if (!stringMember(step, "cmd") || checked == step.end() || !checked->second.is<bool>() ||
        delay == step.end() || !delay->second.is<int64_t>())
        return false;
    ProtocolTask task;
    task.cmd = step.at("cmd").get<std::string>();
    task.isChecked = checked->second.get<bool>();
    task.delay = static_cast<int16_t>(static_cast<uint16_t>(delay->second.get<int64_t>()));
    steps.emplace(task.cmd, task);
    return true;
}

} // namespace

bool readFlowSteps(const std::string& text, FlowSteps& steps, bool* illTyped) {
    steps.clear();
    bool faulty = false;
    picojson::value root;
    const picojson::object* flow = flowObject(root, text);
    if (flow) {
        const auto commands = flow->find("commands");
        if (commands != flow->end() && !commands->second.is<picojson::array>())
            faulty = true;
        else if (commands != flow->end())
            for (const picojson::value& element : commands->second.get<picojson::array>())
                if (!readStep(element, steps))
                    faulty = true;
    }
    if (illTyped)
        *illTyped = faulty;
    return flow != nullptr;
}

std::vector<FlowRow> flowRows(QList<ProtocolDataModel> models, const QString& protocol,
                              const FlowSteps& steps) {
    std::stable_sort(models.begin(), models.end(),
                     [](const ProtocolDataModel& a, const ProtocolDataModel& b) { return a.cmd < b.cmd; });
    std::vector<FlowRow> rows;
    for (const ProtocolDataModel& model : models) {
        if (model.protocol != protocol)
            continue;
        FlowRow row;
        row.cmd = model.cmd;
        row.login = isLoginStep(model.cmd);
        const auto step = steps.find(model.cmd.toStdString());
        if (row.login) {
            // Sent on connecting, whatever the file says.
            row.checked = true;
            row.delay = 0;
        } else if (step != steps.end()) {
            row.checked = step->second.isChecked;
            // The 16 bits are an interval, never a negative one.
            row.delay = std::clamp<int>(static_cast<uint16_t>(step->second.delay), kFlowDelayMin,
                                        kFlowDelayMax);
        }
        rows.push_back(row);
    }
    return rows;
}

bool rewriteFlowCommands(const std::string& text, const FlowSteps& panel, std::string& out) {
    picojson::value root;
    picojson::object* flow = flowObject(root, text);
    if (!flow || !stringMember(*flow, "cmd") || !stringMember(*flow, "protocol"))
        return false;
    // std::map orders its std::string keys by their bytes, unsigned.
    picojson::array commands;
    for (const auto& entry : panel) {
        if (!entry.second.isChecked)
            continue;
        picojson::object step;
        step["cmd"] = picojson::value(entry.first);
        step["isChecked"] = picojson::value(true);
        step["delay"] = picojson::value(static_cast<int64_t>(entry.second.delay));
        commands.emplace_back(step);
    }
    (*flow)["commands"] = picojson::value(commands);
    out = serializeModel(root);
    return true;
}

} // namespace Zuno
