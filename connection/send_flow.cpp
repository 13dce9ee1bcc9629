#include "connection/send_flow.h"

#include <algorithm>

#include <QDebug>

#include <picojson.h>

#include "builders/model_file.h"

#include "protocol/helpers.h"
#include "protocol/text_file.h"

namespace Zuno {

namespace {

// The step at `index`, or false (logged) when it has not the step's shape.
bool readStep(const picojson::value& element, size_t index, const QString& path,
              ProtocolTask& step) {
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
    qDebug() << path << "step" << index << problem << "- skipped";
    return false;
}

} // namespace

FlowFile readFlowFile(const QString& path) {
    FlowFile flow;
    const std::string text = readTextFile(path).toUtf8().toStdString();
    if (text.empty())
        return flow;
    flow.status = FlowRead::NoSteps;
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<picojson::object>()) {
        qDebug() << path << " , Json error";
        return flow;
    }
    const picojson::object& obj = root.get<picojson::object>();
    const auto commands = obj.find("commands");
    if (commands == obj.end())
        return flow;
    if (!commands->second.is<picojson::array>()) {
        qDebug() << path << "\"commands\" is not an array";
        return flow;
    }
    flow.status = FlowRead::Ok;
    const picojson::array& array = commands->second.get<picojson::array>();
    for (size_t i = 0; i < array.size(); ++i) {
        ProtocolTask step;
        if (readStep(array[i], i, path, step))
            flow.steps.push_back(step);
    }
    return flow;
}

FlowLoad loadSendFlow(const QString& flowPath, const QString& modelDir,
                      const MessageBuilderFn& build) {
    FlowLoad load;
    FlowFile flow = readFlowFile(flowPath);
    load.status = flow.status;
    if (flow.status != FlowRead::Ok)
        return load;

    const QList<ProtocolDataModel> models = scanConfigDir(modelDir);
    for (const ProtocolTask& step : flow.steps) {
        const uint8_t protocol = protocolNumber(step.cmd);
        if (protocol == kNoKeyword)
            continue;
        const auto model = std::find_if(models.begin(), models.end(), [&](const ProtocolDataModel& m) {
            return m.cmd.toUtf8().toStdString() == step.cmd;
        });
        if (model == models.end())
            continue;
        const std::string json = readTextFile(model->absoluteFilePath).toUtf8().toStdString();
        std::shared_ptr<ZunoMSG> message = build ? build(protocol, json) : nullptr;
        if (!message) {
            qDebug() << step.cmd.c_str() << model->fileName << "load error!";
            continue;
        }
        SendTask task;
        task.task = step;
        task.message = std::move(message);
        load.tasks.push_back(std::move(task));
        qDebug() << step.cmd.c_str() << model->fileName << "loaded!";
    }
    return load;
}

void sortFlows(QList<ProtocolDataModel>& flows) {
    std::stable_sort(flows.begin(), flows.end(),
                     [](const ProtocolDataModel& a, const ProtocolDataModel& b) { return a.cmd > b.cmd; });
}

} // namespace Zuno
